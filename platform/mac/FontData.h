#pragma once

#include "graphics/resources/IFontData.h"
#include "platform/mac/system/FontDataProvider.h"

#include <cstddef>
#include <memory>

// Turning font file bytes into the renderer's font-data record: face selection inside a
// collection, table lookup, metrics and names. Every read is checked against the data, so
// truncated or hostile bytes give a record without a face, never a read past the end.
// Main thread; allocates.
namespace plugin::ui {

// Sets the face index and fills the face fields of data from face faceIndex of data.mBytes: the
// face pointer and the 'head', 'name', 'hhea' and 'fdsc' offsets (0 when missing, or too short
// for the fields read); the names and metrics only when head, name and hhea are all there. A
// missing face leaves the face pointer null and the fields untouched.
void ParseFontFace(IFontData& data, int faceIndex);

// The face that carries a style: 0 for a null or empty style; otherwise the first face 0, 1, 2, ...
// whose style name (name record 2) equals style, passing over faces without a style name; -1
// as soon as a face is not usable (which also ends the search past the last face).
int FindFaceWithStyle(const void* bytes, size_t size, const char* style);

// A new record with a copy of the provider's bytes, parsed at the face FindFaceWithStyle picks.
// A copy that fails leaves the record without bytes (not valid). Never null.
std::unique_ptr<IFontData> CreateFontData(const sys::FontDataProvider& provider, const char* style);

} // namespace plugin::ui

#pragma once

#include "platform/mac/system/FontTableReader.h"

// Whether a face of a font file can be drawn: the check the platform's font calls make before
// they hand out a font. Pure; any thread; no allocation.
namespace plugin::sys {

// True when face `index` of bytes has TrueType outlines, every table of its directory lies inside
// the data, the tables the glyph code reads ('cmap', 'head', 'hhea', 'hmtx', 'glyf', 'loca',
// optional 'maxp') are long enough for the fields it reads, and stb_truetype accepts the face.
// Faces with CFF outlines are refused.
bool IsUsableFontFace(const FontBytes& bytes, int index) noexcept;

} // namespace plugin::sys

#pragma once

#include "framework/fonttables/FontBytes.h"

#include <cstdint>

// The structure of font files (single faces and collections): where a face starts and where its
// tables lie, every field read through FontBytes. Each user puts its own acceptance rule on top
// (which signatures it knows, which tables it needs). Pure; any thread; no allocation.
namespace plugin::fonts {

// What the four bytes at the start of a file or face announce.
enum class SfntKind {
  kNone,
  kTrueType,      // 00 01 00 00, or "1" 00 00 00
  kOpenTypeCff,   // "OTTO"
  kType1,         // "typ1"
  kAppleTrueType, // "true"
  kCollection,    // "ttcf"
};

// The kind announced at offset; kNone when the bytes are none of these or lie past the end.
SfntKind KindAt(const FontBytes& bytes, uint64_t offset) noexcept;

// True for the kinds that start a single face.
constexpr bool IsSingleFace(SfntKind kind) noexcept
{
  return kind != SfntKind::kNone && kind != SfntKind::kCollection;
}

// Number of faces: a collection's count (version 1 or 2 only), 1 for a single face, 0 for
// anything else.
int CountFontFaces(const FontBytes& bytes) noexcept;

// Where face `index` starts: 0 for a single face (index 0 only); in a collection with more than
// index faces, the offset read from its header. False for a negative index, anything else, or a
// header that does not fit. The face's own signature is not checked.
bool FindFontFace(const FontBytes& bytes, int index, uint32_t& faceOffset) noexcept;

// One table of a face: absolute offset of its bytes in the file and its length.
struct FontTable
{
  uint32_t offset = 0;
  uint32_t length = 0;
};

// Number of records of the directory of the face at faceOffset; 0 when the directory (header and
// every record) does not fit in the data.
int CountFontTables(const FontBytes& bytes, uint32_t faceOffset) noexcept;

// Record `i` of that directory (tag in tag[0..3], NUL-terminated); false when i is outside it.
bool FontTableAt(const FontBytes& bytes, uint32_t faceOffset, int i, char (&tag)[5],
                 FontTable& table) noexcept;

// The first record with that tag as the directory states it, whether or not its bytes lie in
// the data; false (table untouched) when the directory does not fit or has no such record.
bool FindFontTableRecord(const FontBytes& bytes, uint32_t faceOffset, const char (&tag)[5],
                         FontTable& table) noexcept;

// As FindFontTableRecord, and false too when the record's bytes lie outside the data.
bool FindFontTable(const FontBytes& bytes, uint32_t faceOffset, const char (&tag)[5],
                   FontTable& table) noexcept;

} // namespace plugin::fonts

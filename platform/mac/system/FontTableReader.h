#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reading font files (single faces and collections) where every field is checked against the end
// of the data before it is read, so truncated or hostile files give "not found", never a read
// past the end. Portable code that the platform's font classes parse with. Pure; any thread.
namespace plugin::sys {

// Read-only view of a font file's bytes (not owned).
class FontBytes
{
public:
  FontBytes() = default;
  FontBytes(const void* data, size_t size) noexcept
      : mData(static_cast<const uint8_t*>(data)), mSize(data ? size : 0)
  {}

  const uint8_t* Data() const noexcept { return mData; }
  size_t Size() const noexcept { return mSize; }

  // True when [offset, offset + length) lies inside the data.
  bool Contains(uint64_t offset, uint64_t length) const noexcept
  {
    return offset <= mSize && length <= mSize - offset;
  }

  // Big-endian fields; false, with out untouched, when the field lies past the end.
  bool U16(uint64_t offset, uint16_t& out) const noexcept;
  bool I16(uint64_t offset, int16_t& out) const noexcept;
  bool U32(uint64_t offset, uint32_t& out) const noexcept;
  // True when the four bytes at offset are tag.
  bool HasTag(uint64_t offset, const char (&tag)[5]) const noexcept;

private:
  const uint8_t* mData = nullptr;
  size_t mSize = 0;
};

// Where face `index` starts, by the first four bytes: "ttcf" is a collection (version 1 or 2,
// more than index faces, the face offset read from the header); "OTTO", "typ1", 00 01 00 00 and
// "1" 00 00 00 are a single face (index 0 only). False for anything else, a negative index, or a
// header that does not fit.
bool FindFontFace(const FontBytes& bytes, int index, uint32_t& faceOffset) noexcept;

// Number of faces: the collection's count, 1 for a single face, 0 when the bytes are no font.
int CountFontFaces(const FontBytes& bytes) noexcept;

// One table of a face: absolute offset of its bytes in the file and its length.
struct FontTable
{
  uint32_t offset = 0;
  uint32_t length = 0;
};

// The first table with that tag in the directory of the face at faceOffset. False (table
// untouched) when the directory does not fit in the data, no record has the tag, or the
// record's bytes lie outside the data.
bool FindFontTable(const FontBytes& bytes, uint32_t faceOffset, const char (&tag)[5],
                   FontTable& table) noexcept;

// Number of records of the directory of the face at faceOffset; 0 when the directory (header
// and every record) does not fit in the data.
int CountFontTables(const FontBytes& bytes, uint32_t faceOffset) noexcept;

// Table `i` of that directory (tag in tag[0..3]); false when i is outside it.
bool FontTableAt(const FontBytes& bytes, uint32_t faceOffset, int i, char (&tag)[5],
                 FontTable& table) noexcept;

// The name with that id from a 'name' table (every read stays inside the table): the first record of platform
// 3, encoding 1, language 1033 (UTF-16 big-endian, converted to UTF-8); when that gives nothing, the first
// record of platform 1, encoding 0, language 0 (single-byte text up to its length or its first zero byte; a
// length of 0 reads up to the next zero byte). UTF-16 text ends at a zero unit; a lone surrogate becomes
// U+FFFD. "" when no record fits inside the table.
std::string ReadFontName(const FontBytes& bytes, const FontTable& nameTable, uint16_t nameId);

} // namespace plugin::sys

#include "platform/mac/system/FontTableReader.h"

#include "framework/text/UnicodeCodec.h"

#include <cstring>

namespace plugin::sys {

namespace {

constexpr uint32_t kTableRecordSize = 16;
constexpr uint32_t kDirectoryHeaderSize = 12;
constexpr uint32_t kNameRecordSize = 12;
constexpr uint16_t kPlatformWindows = 3, kEncodingUnicodeBmp = 1, kLanguageEnglishUS = 1033;
constexpr uint16_t kPlatformMac = 1, kEncodingRoman = 0, kLanguageEnglish = 0;

bool IsSingleFaceSignature(const FontBytes& bytes) noexcept
{
  static constexpr uint8_t kTrueType1[4] = {'1', 0, 0, 0};
  static constexpr uint8_t kTrueType[4] = {0, 1, 0, 0};
  if (!bytes.Contains(0, 4)) return false;
  return bytes.HasTag(0, "OTTO") || bytes.HasTag(0, "typ1") ||
         std::memcmp(bytes.Data(), kTrueType1, 4) == 0 || std::memcmp(bytes.Data(), kTrueType, 4) == 0;
}

// Collection header: its face count when the version is one the format defines, else 0.
int CollectionFaceCount(const FontBytes& bytes) noexcept
{
  uint32_t version = 0, count = 0;
  if (!bytes.HasTag(0, "ttcf") || !bytes.U32(4, version) || !bytes.U32(8, count)) return 0;
  if (version != 0x00010000 && version != 0x00020000) return 0;
  return count > 0x7fffffff ? 0x7fffffff : static_cast<int>(count);
}

// `units` big-endian UTF-16 units at offset of the table, as UTF-8, up to the first zero unit.
std::string Utf16ToUtf8(const FontBytes& table, uint32_t offset, uint32_t units)
{
  std::u16string text;
  for (uint32_t i = 0; i < units; ++i) {
    uint16_t unit = 0;
    if (!table.U16(offset + 2ull * i, unit) || unit == 0) break;
    text += static_cast<char16_t>(unit);
  }
  return text::Utf16ToUtf8(text);
}

// Single-byte text at offset: up to length bytes or the first zero byte (length 0: up to the
// next zero byte), never past the table's end.
std::string SingleByteText(const FontBytes& table, uint32_t offset, uint16_t length)
{
  if (offset > table.Size()) return std::string();
  const size_t available = table.Size() - offset;
  if (length > available) return std::string(); // the record's text runs past the table
  const size_t n = length ? length : available;
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    const char c = static_cast<char>(table.Data()[offset + i]);
    if (c == 0) break;
    out += c;
  }
  return out;
}

struct NameRecord
{
  uint16_t platform, encoding, language, nameId, length, offset;
};

bool ReadNameRecord(const FontBytes& table, uint32_t at, NameRecord& r) noexcept
{
  return table.U16(at, r.platform) && table.U16(at + 2, r.encoding) && table.U16(at + 4, r.language) &&
         table.U16(at + 6, r.nameId) && table.U16(at + 8, r.length) && table.U16(at + 10, r.offset);
}

// The first record of that platform, encoding, language and name id, decoded; "" when none fits.
std::string NameFromRecords(const FontBytes& table, uint16_t nameId, uint16_t platform, uint16_t encoding,
                            uint16_t language)
{
  uint16_t count = 0, storage = 0;
  if (!table.U16(2, count) || !table.U16(4, storage)) return std::string();
  for (uint32_t i = 0; i < count; ++i) {
    NameRecord r{};
    if (!ReadNameRecord(table, 6 + i * kNameRecordSize, r)) return std::string(); // records run out
    if (r.platform != platform || r.encoding != encoding || r.language != language || r.nameId != nameId)
      continue;
    const uint32_t at = static_cast<uint32_t>(storage) + r.offset;
    if (platform == kPlatformWindows) {
      if (!table.Contains(at, r.length)) return std::string();
      return Utf16ToUtf8(table, at, r.length / 2u);
    }
    return SingleByteText(table, at, r.length);
  }
  return std::string();
}

} // namespace

bool FontBytes::U16(uint64_t offset, uint16_t& out) const noexcept
{
  if (!Contains(offset, 2)) return false;
  out = static_cast<uint16_t>(mData[offset] << 8 | mData[offset + 1]);
  return true;
}

bool FontBytes::I16(uint64_t offset, int16_t& out) const noexcept
{
  uint16_t u = 0;
  if (!U16(offset, u)) return false;
  out = static_cast<int16_t>(u);
  return true;
}

bool FontBytes::U32(uint64_t offset, uint32_t& out) const noexcept
{
  if (!Contains(offset, 4)) return false;
  out = static_cast<uint32_t>(mData[offset]) << 24 | static_cast<uint32_t>(mData[offset + 1]) << 16 |
        static_cast<uint32_t>(mData[offset + 2]) << 8 | mData[offset + 3];
  return true;
}

bool FontBytes::HasTag(uint64_t offset, const char (&tag)[5]) const noexcept
{
  return Contains(offset, 4) && std::memcmp(mData + offset, tag, 4) == 0;
}

bool FindFontFace(const FontBytes& bytes, int index, uint32_t& faceOffset) noexcept
{
  if (index < 0) return false;
  if (IsSingleFaceSignature(bytes)) {
    if (index != 0) return false;
    faceOffset = 0;
    return true;
  }
  if (index >= CollectionFaceCount(bytes)) return false;
  return bytes.U32(12 + 4ull * static_cast<uint32_t>(index), faceOffset);
}

int CountFontFaces(const FontBytes& bytes) noexcept
{
  if (IsSingleFaceSignature(bytes)) return 1;
  return CollectionFaceCount(bytes);
}

int CountFontTables(const FontBytes& bytes, uint32_t faceOffset) noexcept
{
  uint16_t count = 0;
  if (!bytes.U16(faceOffset + 4ull, count)) return 0;
  if (!bytes.Contains(faceOffset + static_cast<uint64_t>(kDirectoryHeaderSize),
                      count * uint64_t{kTableRecordSize}))
    return 0;
  return count;
}

bool FontTableAt(const FontBytes& bytes, uint32_t faceOffset, int i, char (&tag)[5],
                 FontTable& table) noexcept
{
  if (i < 0 || i >= CountFontTables(bytes, faceOffset)) return false;
  const uint64_t record = faceOffset + uint64_t{kDirectoryHeaderSize} + uint64_t{kTableRecordSize} * i;
  FontTable t;
  if (!bytes.U32(record + 8, t.offset) || !bytes.U32(record + 12, t.length)) return false;
  std::memcpy(tag, bytes.Data() + record, 4);
  tag[4] = 0;
  table = t;
  return true;
}

bool FindFontTable(const FontBytes& bytes, uint32_t faceOffset, const char (&tag)[5],
                   FontTable& table) noexcept
{
  const int count = CountFontTables(bytes, faceOffset);
  for (int i = 0; i < count; ++i) {
    char recordTag[5];
    FontTable t;
    if (!FontTableAt(bytes, faceOffset, i, recordTag, t) || std::memcmp(recordTag, tag, 4) != 0) continue;
    if (!bytes.Contains(t.offset, t.length)) return false;
    table = t;
    return true;
  }
  return false;
}

std::string ReadFontName(const FontBytes& bytes, const FontTable& nameTable, uint16_t nameId)
{
  if (!bytes.Contains(nameTable.offset, nameTable.length)) return std::string();
  const FontBytes table(bytes.Data() + nameTable.offset, nameTable.length);
  std::string name =
      NameFromRecords(table, nameId, kPlatformWindows, kEncodingUnicodeBmp, kLanguageEnglishUS);
  if (name.empty()) name = NameFromRecords(table, nameId, kPlatformMac, kEncodingRoman, kLanguageEnglish);
  return name;
}

} // namespace plugin::sys

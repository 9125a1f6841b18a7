#include "framework/fonttables/FontNames.h"

#include "framework/text/UnicodeCodec.h"

namespace plugin::fonts {

namespace {

constexpr uint32_t kNameRecordSize = 12;
constexpr uint16_t kPlatformWindows = 3, kEncodingUnicodeBmp = 1, kLanguageEnglishUS = 1033;
constexpr uint16_t kPlatformMac = 1, kEncodingRoman = 0, kLanguageEnglish = 0;

// `units` big-endian UTF-16 units at offset of the table, as UTF-8, up to the first zero unit.
std::string Utf16Name(const FontBytes& table, uint32_t offset, uint32_t units)
{
  std::u16string name;
  for (uint32_t i = 0; i < units; ++i) {
    uint16_t unit = 0;
    if (!table.U16(offset + 2ull * i, unit) || unit == 0) break;
    name += static_cast<char16_t>(unit);
  }
  return text::Utf16ToUtf8(name);
}

// Single-byte text at offset: up to length bytes or the first zero byte (length 0: up to the
// next zero byte), never past the table's end.
std::string SingleByteName(const FontBytes& table, uint32_t offset, uint16_t length)
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
      return Utf16Name(table, at, r.length / 2u);
    }
    return SingleByteName(table, at, r.length);
  }
  return std::string();
}

} // namespace

std::string ReadFontName(const FontBytes& bytes, const FontTable& nameTable, uint16_t nameId)
{
  if (!bytes.Contains(nameTable.offset, nameTable.length)) return std::string();
  const FontBytes table = bytes.Slice(nameTable.offset, nameTable.length);
  std::string name =
      NameFromRecords(table, nameId, kPlatformWindows, kEncodingUnicodeBmp, kLanguageEnglishUS);
  if (name.empty()) name = NameFromRecords(table, nameId, kPlatformMac, kEncodingRoman, kLanguageEnglish);
  return name;
}

} // namespace plugin::fonts

#include "support/ui/FontFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fonttest {

namespace {

void PadTo4(Bytes& b)
{
  while (b.size() % 4)
    b.push_back(0);
}

} // namespace

std::vector<std::string> DebianFontFolders()
{
  return {"/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF", "/usr/share/fonts/truetype/lato",
          "/usr/share/fonts/truetype/dejavu"};
}

std::string DebianFontPath(const std::string& fileName)
{
  for (const std::string& folder : DebianFontFolders()) {
    const std::string path = folder + "/" + fileName;
    if (std::filesystem::exists(path)) return path;
  }
  return std::string();
}

Bytes ReadFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

uint16_t GetU16(const Bytes& b, size_t at)
{
  return static_cast<uint16_t>(b.at(at) << 8 | b.at(at + 1));
}

uint32_t GetU32(const Bytes& b, size_t at)
{
  return uint32_t{GetU16(b, at)} << 16 | GetU16(b, at + 2);
}

void PutU16(Bytes& b, size_t at, uint16_t v)
{
  b.at(at) = static_cast<uint8_t>(v >> 8);
  b.at(at + 1) = static_cast<uint8_t>(v);
}

void PutU32(Bytes& b, size_t at, uint32_t v)
{
  PutU16(b, at, static_cast<uint16_t>(v >> 16));
  PutU16(b, at + 2, static_cast<uint16_t>(v));
}

Bytes MakeFace(const std::vector<std::pair<std::string, Bytes>>& tables, const std::string& signature)
{
  const size_t n = tables.size();
  Bytes out(12 + 16 * n, 0);
  std::copy(signature.begin(), signature.begin() + 4, out.begin());
  PutU16(out, 4, static_cast<uint16_t>(n));
  for (size_t i = 0; i < n; ++i) {
    const size_t record = 12 + 16 * i;
    std::copy(tables[i].first.begin(), tables[i].first.begin() + 4, out.begin() + static_cast<long>(record));
    PutU32(out, record + 8, static_cast<uint32_t>(out.size()));
    PutU32(out, record + 12, static_cast<uint32_t>(tables[i].second.size()));
    out.insert(out.end(), tables[i].second.begin(), tables[i].second.end());
    PadTo4(out);
  }
  return out;
}

Bytes MakeCollection(const std::vector<Bytes>& faces, uint32_t version)
{
  Bytes out(12 + 4 * faces.size(), 0);
  std::copy_n("ttcf", 4, out.begin());
  PutU32(out, 4, version);
  PutU32(out, 8, static_cast<uint32_t>(faces.size()));
  for (size_t i = 0; i < faces.size(); ++i) {
    PadTo4(out);
    const uint32_t base = static_cast<uint32_t>(out.size());
    PutU32(out, 12 + 4 * i, base);
    Bytes face = faces[i];
    for (uint16_t t = 0; t < GetU16(face, 4); ++t)
      PutU32(face, 12 + 16u * t + 8, GetU32(face, 12 + 16u * t + 8) + base);
    out.insert(out.end(), face.begin(), face.end());
  }
  return out;
}

size_t TableRecordOf(const Bytes& font, const std::string& tag, uint32_t faceOffset)
{
  const uint16_t n = GetU16(font, faceOffset + 4);
  for (uint16_t t = 0; t < n; ++t) {
    const size_t record = faceOffset + 12 + 16u * t;
    if (std::equal(tag.begin(), tag.begin() + 4, font.begin() + static_cast<long>(record))) return record;
  }
  return 0;
}

std::pair<uint32_t, uint32_t> TableOf(const Bytes& font, const std::string& tag, uint32_t faceOffset)
{
  const size_t record = TableRecordOf(font, tag, faceOffset);
  if (!record) return {0, 0};
  return {GetU32(font, record + 8), GetU32(font, record + 12)};
}

Bytes MakeNameTable(const std::vector<NameRecord>& records)
{
  const size_t storage = 6 + 12 * records.size();
  Bytes out(storage, 0);
  PutU16(out, 2, static_cast<uint16_t>(records.size()));
  PutU16(out, 4, static_cast<uint16_t>(storage));
  for (size_t i = 0; i < records.size(); ++i) {
    const NameRecord& r = records[i];
    const size_t at = 6 + 12 * i;
    PutU16(out, at, r.platform);
    PutU16(out, at + 2, r.encoding);
    PutU16(out, at + 4, r.language);
    PutU16(out, at + 6, r.nameId);
    PutU16(out, at + 8, static_cast<uint16_t>(r.lengthOverride >= 0 ? r.lengthOverride : r.text.size()));
    PutU16(out, at + 10,
           static_cast<uint16_t>(r.offsetOverride >= 0 ? r.offsetOverride : out.size() - storage));
    out.insert(out.end(), r.text.begin(), r.text.end());
  }
  return out;
}

Bytes Utf16Be(const std::vector<uint16_t>& units)
{
  Bytes out;
  for (uint16_t u : units) {
    out.push_back(static_cast<uint8_t>(u >> 8));
    out.push_back(static_cast<uint8_t>(u));
  }
  return out;
}

Bytes Utf16Be(const std::string& ascii)
{
  return Utf16Be(std::vector<uint16_t>(ascii.begin(), ascii.end()));
}

Bytes Ascii(const std::string& text)
{
  return Bytes(text.begin(), text.end());
}

Bytes MakeHead(uint16_t unitsPerEm, uint16_t macStyle)
{
  Bytes head(54, 0);
  PutU32(head, 0, 0x00010000);
  PutU32(head, 12, 0x5f0f3cf5); // magic number
  PutU16(head, 18, unitsPerEm);
  PutU16(head, 44, macStyle);
  return head;
}

Bytes MakeHhea(int16_t ascender, int16_t descender, int16_t lineGap)
{
  Bytes hhea(36, 0);
  PutU32(hhea, 0, 0x00010000);
  PutU16(hhea, 4, static_cast<uint16_t>(ascender));
  PutU16(hhea, 6, static_cast<uint16_t>(descender));
  PutU16(hhea, 8, static_cast<uint16_t>(lineGap));
  return hhea;
}

} // namespace fonttest

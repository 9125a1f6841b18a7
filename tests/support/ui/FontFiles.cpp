#include "support/ui/FontFiles.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fonttest {

std::vector<std::string> DebianFontFolders()
{
  return {"/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF", "/usr/share/fonts/truetype/lato",
          "/usr/share/fonts/truetype/dejavu"};
}

std::string DebianFontPath(const std::string& fileName)
{
  for (const std::string& folder : DebianFontFolders())
    if (std::filesystem::exists(folder + "/" + fileName)) return folder + "/" + fileName;
  return std::string();
}

std::string DebianFontPackage(const std::string& fileName)
{
  if (fileName.starts_with("Roboto")) return "fonts-roboto-unhinted";
  if (fileName.starts_with("Lato")) return "fonts-lato";
  // The core package holds the plain and bold faces; every other face comes with the extra one.
  for (const char* core : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansMono.ttf",
                           "DejaVuSansMono-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf"})
    if (fileName == core) return "fonts-dejavu-core";
  return "fonts-dejavu-extra";
}

namespace {

[[noreturn]] void ThrowMissing(const std::string& fileName, const char* problem)
{
  std::string folders;
  for (const std::string& folder : DebianFontFolders())
    folders += (folders.empty() ? "" : ", ") + folder;
  throw std::runtime_error("font file " + fileName + " " + problem + " (looked in " + folders +
                           "): install the Debian package " + DebianFontPackage(fileName) +
                           " (./tools/install-deps)");
}

} // namespace

std::string RequireDebianFont(const std::string& fileName)
{
  const std::string path = DebianFontPath(fileName);
  if (path.empty()) ThrowMissing(fileName, "is missing");
  return path;
}

Bytes ReadDebianFont(const std::string& fileName)
{
  Bytes bytes = ReadFile(RequireDebianFont(fileName));
  if (bytes.empty()) ThrowMissing(fileName, "is empty or unreadable");
  return bytes;
}

Bytes ReadFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Bytes Ascii(const std::string& text)
{
  return Bytes(text.begin(), text.end());
}

Bytes Utf16Be(const std::vector<uint16_t>& units)
{
  Bytes out;
  for (uint16_t u : units)
    out.insert(out.end(), {uint8_t(u >> 8), uint8_t(u)});
  return out;
}

uint32_t GetU32(const Bytes& b, size_t at)
{
  return uint32_t{b.at(at)} << 24 | uint32_t{b.at(at + 1)} << 16 | uint32_t{b.at(at + 2)} << 8 | b.at(at + 3);
}

void PutU16(Bytes& b, size_t at, uint16_t v)
{
  b.at(at) = uint8_t(v >> 8), b.at(at + 1) = uint8_t(v);
}

void PutU32(Bytes& b, size_t at, uint32_t v)
{
  PutU16(b, at, uint16_t(v >> 16)), PutU16(b, at + 2, uint16_t(v));
}

Bytes MakeFace(const Tables& tables, const std::string& signature)
{
  Bytes out(signature.begin(), signature.begin() + 4);
  out.resize(12 + 16 * tables.size());
  PutU16(out, 4, uint16_t(tables.size()));
  for (size_t i = 0; i < tables.size(); ++i) {
    std::copy_n(tables[i].first.begin(), 4, out.begin() + long(12 + 16 * i));
    PutU32(out, 12 + 16 * i + 8, uint32_t(out.size()));
    PutU32(out, 12 + 16 * i + 12, uint32_t(tables[i].second.size()));
    out.insert(out.end(), tables[i].second.begin(), tables[i].second.end());
    out.resize((out.size() + 3) / 4 * 4);
  }
  return out;
}

Bytes MakeCollection(const std::vector<Bytes>& faces, uint32_t version)
{
  Bytes out = Ascii("ttcf");
  out.resize(12 + 4 * faces.size());
  PutU32(out, 4, version);
  PutU32(out, 8, uint32_t(faces.size()));
  for (size_t i = 0; i < faces.size(); ++i) {
    const uint32_t base = uint32_t(out.size());
    PutU32(out, 12 + 4 * i, base);
    Bytes face = faces[i];
    for (size_t record = 12; record < 12 + 16u * (face[4] << 8 | face[5]); record += 16)
      PutU32(face, record + 8, GetU32(face, record + 8) + base);
    out.insert(out.end(), face.begin(), face.end());
  }
  return out;
}

size_t TableRecordOf(const Bytes& font, const std::string& tag, uint32_t faceOffset)
{
  const size_t count = size_t(font.at(faceOffset + 4) << 8 | font.at(faceOffset + 5));
  for (size_t record = faceOffset + 12; record < faceOffset + 12 + 16 * count; record += 16)
    if (std::equal(tag.begin(), tag.begin() + 4, font.begin() + long(record))) return record;
  return 0;
}

std::pair<uint32_t, uint32_t> TableOf(const Bytes& font, const std::string& tag, uint32_t faceOffset)
{
  const size_t record = TableRecordOf(font, tag, faceOffset);
  return record ? std::make_pair(GetU32(font, record + 8), GetU32(font, record + 12))
                : std::make_pair(0u, 0u);
}

Bytes MakeNameTable(const std::vector<NameRecord>& records)
{
  const size_t storage = 6 + 12 * records.size();
  Bytes out(storage, 0);
  PutU16(out, 2, uint16_t(records.size()));
  PutU16(out, 4, uint16_t(storage));
  for (size_t i = 0; i < records.size(); ++i) {
    const NameRecord& r = records[i];
    const uint16_t fields[] = {r.platform,
                               r.encoding,
                               r.language,
                               r.nameId,
                               uint16_t(r.length >= 0 ? r.length : r.text.size()),
                               uint16_t(r.offset >= 0 ? r.offset : out.size() - storage)};
    for (size_t f = 0; f < 6; ++f)
      PutU16(out, 6 + 12 * i + 2 * f, fields[f]);
    out.insert(out.end(), r.text.begin(), r.text.end());
  }
  return out;
}

Bytes SyntheticFace(const char* style, const Tables& extra)
{
  Bytes head(54, 0), hhea(36, 0);
  PutU16(head, 18, 1000);
  PutU16(head, 44, 2);
  PutU16(hhea, 4, 800);
  PutU16(hhea, 6, uint16_t(-200));
  PutU16(hhea, 8, 90);
  std::vector<NameRecord> names{{3, 1, 1033, 1, Utf16Be({'S', 'y', 'n', 't', 'h'})}};
  if (style) names.push_back({3, 1, 1033, 2, Utf16Be(std::vector<uint16_t>(style, style + strlen(style)))});
  Tables tables{{"head", head}, {"hhea", hhea}};
  if (std::none_of(extra.begin(), extra.end(), [](const auto& t) { return t.first == "name"; }))
    tables.push_back({"name", MakeNameTable(names)});
  tables.insert(tables.end(), extra.begin(), extra.end());
  return MakeFace(tables);
}

} // namespace fonttest

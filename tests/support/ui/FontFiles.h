#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Font files for tests: the Debian fonts, whole-file bytes, big-endian patches and small
// synthetic files (faces from tables, collections of faces, 'name' tables).
namespace fonttest {

using Bytes = std::vector<uint8_t>;
using Tables = std::vector<std::pair<std::string, Bytes>>;

// The folders of the Debian fonts used here, and a font's path by file name ("" when missing).
std::vector<std::string> DebianFontFolders();
std::string DebianFontPath(const std::string& fileName);

// The Debian package that installs a font file of these folders.
std::string DebianFontPackage(const std::string& fileName);

// A font file a test cannot do without: its path, or its bytes (never empty). A missing, unreadable
// or empty file throws std::runtime_error naming the file and the package to install, which
// fails the running test with that message instead of letting it feed nothing to the font code.
std::string RequireDebianFont(const std::string& fileName);
Bytes ReadDebianFont(const std::string& fileName);

Bytes ReadFile(const std::string& path); // empty when unreadable
void WriteFile(const std::string& path, const Bytes& bytes);
Bytes Ascii(const std::string& text);
Bytes Utf16Be(const std::vector<uint16_t>& units);

// Big-endian fields at an offset (the bytes must be there).
uint32_t GetU32(const Bytes& b, size_t at);
void PutU16(Bytes& b, size_t at, uint16_t v);
void PutU32(Bytes& b, size_t at, uint32_t v);

// A face of these tables in this order behind a real directory; signature: the first 4 bytes.
inline const std::string kTrueType{'\0', '\1', '\0', '\0'};
Bytes MakeFace(const Tables& tables, const std::string& signature = kTrueType);
// A "ttcf" collection of single faces, their table offsets moved to where each face lands.
Bytes MakeCollection(const std::vector<Bytes>& faces, uint32_t version = 0x00010000);
// A face's table: the offset of its directory record (0 when missing), and {offset, length}.
size_t TableRecordOf(const Bytes& font, const std::string& tag, uint32_t faceOffset = 0);
std::pair<uint32_t, uint32_t> TableOf(const Bytes& font, const std::string& tag, uint32_t faceOffset = 0);

// A 'name' record; the length and offset fields are the real ones unless overridden (>= 0).
struct NameRecord
{
  uint16_t platform, encoding, language, nameId;
  Bytes text;
  int length = -1;
  int offset = -1;
};
Bytes MakeNameTable(const std::vector<NameRecord>& records);

// A face with head (1000 units per em, mac style 2), hhea (800, -200, 90), a family "Synth", the
// style (no record when null) and extra tables (a 'name' among them replaces the made one).
Bytes SyntheticFace(const char* style, const Tables& extra = {});

} // namespace fonttest

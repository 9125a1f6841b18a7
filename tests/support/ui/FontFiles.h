#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Font files for tests: the Debian fonts on this machine, whole-file bytes, big-endian patches,
// and small synthetic files (single faces from tables, collections of faces, 'name' tables).
namespace fonttest {

using Bytes = std::vector<uint8_t>;

// Full path of a Debian font file by its file name ("Roboto-Regular.ttf", "Lato-Bold.ttf",
// "DejaVuSans.ttf"); "" when it is not installed.
std::string DebianFontPath(const std::string& fileName);

// The folders that hold the Debian fonts used by the tests.
std::vector<std::string> DebianFontFolders();

// The whole file (empty when unreadable), and writing bytes to a file.
Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const Bytes& bytes);

// Big-endian reads and writes at an offset (the bytes must be there).
uint16_t GetU16(const Bytes& b, size_t at);
uint32_t GetU32(const Bytes& b, size_t at);
void PutU16(Bytes& b, size_t at, uint16_t v);
void PutU32(Bytes& b, size_t at, uint32_t v);

// A single face of these tables, in this order, with a real table directory (each table padded
// to 4 bytes); signature is the first four bytes ("\0\1\0\0" for TrueType).
Bytes MakeFace(const std::vector<std::pair<std::string, Bytes>>& tables, const std::string& signature);
inline const std::string kTrueTypeSignature{'\0', '\1', '\0', '\0'};

// A collection ("ttcf", version) of these single faces, each face's table offsets moved to
// where the face lands in the collection.
Bytes MakeCollection(const std::vector<Bytes>& faces, uint32_t version = 0x00010000);

// Absolute offset and length of a face's table ({0, 0} when missing); faceOffset 0 for a single face.
std::pair<uint32_t, uint32_t> TableOf(const Bytes& font, const std::string& tag, uint32_t faceOffset = 0);

// Offset of the directory record of a face's table (0 when missing): the tag is at +0, the
// offset at +8 and the length at +12.
size_t TableRecordOf(const Bytes& font, const std::string& tag, uint32_t faceOffset = 0);

// One record of a 'name' table and the table built from records (strings stored in record order).
struct NameRecord
{
  uint16_t platform, encoding, language, nameId;
  Bytes text;              // stored bytes
  int lengthOverride = -1; // >= 0: the length field written instead of text.size()
  int offsetOverride = -1; // >= 0: the offset field written instead of the real one
};
Bytes MakeNameTable(const std::vector<NameRecord>& records);

// UTF-16 big-endian bytes of a UTF-16 unit list, and of ASCII text.
Bytes Utf16Be(const std::vector<uint16_t>& units);
Bytes Utf16Be(const std::string& ascii);
Bytes Ascii(const std::string& text);

// A 'head' of 54 bytes with units per em and mac style, and an 'hhea' of 36 bytes with ascender,
// descender and line gap.
Bytes MakeHead(uint16_t unitsPerEm, uint16_t macStyle);
Bytes MakeHhea(int16_t ascender, int16_t descender, int16_t lineGap);

} // namespace fonttest

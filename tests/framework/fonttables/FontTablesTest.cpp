#include "framework/fonttables/FontDirectory.h"
#include "framework/fonttables/FontNames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace plugin::fonts;

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, size_t at, uint32_t v)
{
  if (b.size() < at + 2) b.resize(at + 2);
  b[at] = uint8_t(v >> 8);
  b[at + 1] = uint8_t(v);
}

void Put32(Bytes& b, size_t at, uint32_t v)
{
  Put16(b, at, v >> 16);
  Put16(b, at + 2, v & 0xFFFF);
}

struct Table
{
  const char* tag;
  Bytes data;
};

// A face with a table directory starting at `base` of the file and its tables after it.
Bytes Face(const char (&signature)[5], const std::vector<Table>& tables, uint32_t base = 0)
{
  Bytes b(base + 12 + 16 * tables.size());
  std::memcpy(b.data() + base, signature, 4);
  Put16(b, base + 4, uint32_t(tables.size()));
  for (size_t i = 0; i < tables.size(); ++i) {
    const size_t record = base + 12 + 16 * i, at = b.size();
    std::memcpy(b.data() + record, tables[i].tag, 4);
    Put32(b, record + 8, uint32_t(at));
    Put32(b, record + 12, uint32_t(tables[i].data.size()));
    b.insert(b.end(), tables[i].data.begin(), tables[i].data.end());
  }
  return b;
}

// A 'name' table whose records (platform, encoding, language, id) hold the given texts.
struct Name
{
  uint16_t platform, encoding, language, id;
  Bytes text;
};

Bytes NameTable(const std::vector<Name>& names)
{
  Bytes b(6 + 12 * names.size());
  Put16(b, 2, uint32_t(names.size()));
  Put16(b, 4, uint32_t(b.size()));
  Bytes storage;
  for (size_t i = 0; i < names.size(); ++i) {
    const size_t r = 6 + 12 * i;
    Put16(b, r, names[i].platform);
    Put16(b, r + 2, names[i].encoding);
    Put16(b, r + 4, names[i].language);
    Put16(b, r + 6, names[i].id);
    Put16(b, r + 8, uint32_t(names[i].text.size()));
    Put16(b, r + 10, uint32_t(storage.size()));
    storage.insert(storage.end(), names[i].text.begin(), names[i].text.end());
  }
  b.insert(b.end(), storage.begin(), storage.end());
  return b;
}

Bytes Utf16BE(std::u16string s)
{
  Bytes b;
  for (char16_t u : s) {
    b.push_back(uint8_t(u >> 8));
    b.push_back(uint8_t(u));
  }
  return b;
}

Bytes Latin(const std::string& s)
{
  return Bytes(s.begin(), s.end());
}

FontBytes View(const Bytes& b)
{
  return FontBytes(b.data(), b.size());
}

} // namespace

TEST(FontBytes, ReadsStopAtTheEnd)
{
  const Bytes b = {0x12, 0x34, 0x56, 0x78, 0x9A};
  const FontBytes bytes = View(b);
  uint32_t u32 = 7;
  EXPECT_TRUE(bytes.U32(1, u32));
  EXPECT_EQ(u32, 0x3456789Au);
  EXPECT_FALSE(bytes.U32(2, u32));
  EXPECT_EQ(u32, 0x3456789Au); // untouched
  int16_t i16 = 0;
  EXPECT_TRUE(bytes.I16(3, i16));
  EXPECT_EQ(i16, int16_t(0x789A));
  EXPECT_EQ(bytes.ReadU16(4), 0);               // past the end reads as 0
  EXPECT_EQ(bytes.ReadU32(UINT64_MAX - 1), 0u); // no wrap-around
  EXPECT_FALSE(bytes.Contains(UINT64_MAX, 2));
  EXPECT_EQ(bytes.Slice(3, 2).ReadU16(0), 0x789A);
  EXPECT_EQ(bytes.Slice(4, 2).Size(), 0u); // outside: empty
  EXPECT_EQ(FontBytes(nullptr, 100).Size(), 0u);
}

TEST(FontDirectory, SignaturesFacesAndCollections)
{
  const std::vector<Table> one = {{"head", Bytes(54)}};
  const struct
  {
    Bytes file;
    SfntKind kind;
    int faces;
  } cases[] = {
      {Face("\x00\x01\x00\x00", one), SfntKind::kTrueType, 1},
      {Face("1\0\0\0", one), SfntKind::kTrueType, 1},
      {Face("OTTO", one), SfntKind::kOpenTypeCff, 1},
      {Face("typ1", one), SfntKind::kType1, 1},
      {Face("true", one), SfntKind::kAppleTrueType, 1},
      {Face("wOFF", one), SfntKind::kNone, 0},
      {Bytes{0, 1, 0}, SfntKind::kNone, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KindAt(View(c.file), 0), c.kind);
    EXPECT_EQ(CountFontFaces(View(c.file)), c.faces);
    uint32_t face = 99;
    EXPECT_EQ(FindFontFace(View(c.file), 0, face), c.faces == 1);
    EXPECT_FALSE(FindFontFace(View(c.file), 1, face) || FindFontFace(View(c.file), -1, face));
  }

  // A collection of two faces: version 1 or 2, its count, the offsets after the header.
  Bytes ttc(20);
  std::memcpy(ttc.data(), "ttcf", 4);
  Put32(ttc, 4, 0x00020000);
  Put32(ttc, 8, 2);
  Put32(ttc, 12, 20);
  Put32(ttc, 16, 0x7FFFFFF0);
  const Bytes face = Face("\x00\x01\x00\x00", one);
  ttc.insert(ttc.end(), face.begin(), face.end());
  uint32_t offset = 0;
  EXPECT_EQ(CountFontFaces(View(ttc)), 2);
  EXPECT_TRUE(FindFontFace(View(ttc), 0, offset));
  EXPECT_EQ(offset, 20u);
  EXPECT_TRUE(FindFontFace(View(ttc), 1, offset)); // the offset as stated; its face is the user's check
  EXPECT_EQ(offset, 0x7FFFFFF0u);
  EXPECT_FALSE(FindFontFace(View(ttc), 2, offset));
  Bytes cut(ttc.begin(), ttc.begin() + 14); // the first offset runs past the end
  EXPECT_FALSE(FindFontFace(View(cut), 0, offset));
  Put32(ttc, 4, 0x00030000);
  EXPECT_EQ(CountFontFaces(View(ttc)), 0);
}

TEST(FontDirectory, TablesInsideAndOutsideTheData)
{
  Bytes file = Face("\x00\x01\x00\x00", {{"cmap", Bytes(8)}, {"head", Bytes(54)}, {"cmap", Bytes(4)}});
  const FontBytes bytes = View(file);
  EXPECT_EQ(CountFontTables(bytes, 0), 3);
  FontTable t;
  ASSERT_TRUE(FindFontTable(bytes, 0, "cmap", t)); // the first record of a tag
  EXPECT_EQ(t.offset, 60u);
  EXPECT_EQ(t.length, 8u);
  EXPECT_FALSE(FindFontTable(bytes, 0, "glyf", t));
  char tag[5];
  ASSERT_TRUE(FontTableAt(bytes, 0, 1, tag, t));
  EXPECT_STREQ(tag, "head");
  EXPECT_FALSE(FontTableAt(bytes, 0, 3, tag, t));

  // A record whose bytes run past the end is found as a record, never as a table.
  Put32(file, 12 + 16 + 12, 0x7FFFFFFF);
  FontTable record;
  EXPECT_TRUE(FindFontTableRecord(View(file), 0, "head", record));
  EXPECT_EQ(record.length, 0x7FFFFFFFu);
  t = FontTable{1, 2};
  EXPECT_FALSE(FindFontTable(View(file), 0, "head", t));
  EXPECT_EQ(t.offset, 1u); // untouched

  // A directory that does not fit has no tables at all.
  Put16(file, 4, 5000);
  EXPECT_EQ(CountFontTables(View(file), 0), 0);
  EXPECT_FALSE(FindFontTableRecord(View(file), 0, "cmap", record));
  EXPECT_EQ(CountFontTables(View(file), 0xFFFFFFF0u), 0);
}

TEST(FontNames, WindowsNameFirstThenMacRomanAndEveryReadInside)
{
  const struct
  {
    std::vector<Name> names;
    std::string family;
  } cases[] = {
      {{{3, 1, 1033, 1, Utf16BE(u"Caf\u00E9 \U0001F3B9")}}, "Caf\xC3\xA9 \xF0\x9F\x8E\xB9"},
      {{{3, 1, 1033, 1, Utf16BE(u"a\xD800z")}}, "a\xEF\xBF\xBDz"},     // a lone surrogate
      {{{3, 1, 1033, 1, Utf16BE(std::u16string(u"ab\0c", 4))}}, "ab"}, // ends at a zero unit
      {{{3, 1, 1033, 1, {}}, {1, 0, 0, 1, Latin("Mac")}}, "Mac"},      // empty: the Mac record
      {{{1, 0, 0, 1, Latin(std::string("Ma\0c", 4))}}, "Ma"},          // up to a zero byte
      {{{3, 1, 1031, 1, Utf16BE(u"Deutsch")}, {3, 1, 1033, 2, Utf16BE(u"Bold")}}, ""},
  };
  for (const auto& c : cases) {
    const Bytes file = Face("\x00\x01\x00\x00", {{"name", NameTable(c.names)}});
    FontTable name;
    ASSERT_TRUE(FindFontTable(View(file), 0, "name", name));
    EXPECT_EQ(ReadFontName(View(file), name, 1), c.family);
  }

  // A record whose text runs past the table gives nothing; so does a table outside the data.
  Bytes table = NameTable({{3, 1, 1033, 1, Utf16BE(u"Long")}});
  Put16(table, 6 + 8, 200);
  const Bytes file = Face("\x00\x01\x00\x00", {{"name", table}});
  FontTable name;
  ASSERT_TRUE(FindFontTable(View(file), 0, "name", name));
  EXPECT_EQ(ReadFontName(View(file), name, 1), "");
  EXPECT_EQ(ReadFontName(View(file), FontTable{name.offset, name.length + 1}, 1), "");
  const Bytes truncated(file.begin(), file.begin() + name.offset + 10); // the records run out
  EXPECT_EQ(ReadFontName(View(truncated), FontTable{name.offset, 10}, 1), "");
}

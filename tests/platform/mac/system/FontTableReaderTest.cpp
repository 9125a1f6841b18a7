#include "platform/mac/system/FontTableReader.h"

#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <functional>

#define STBTT_STATIC
#define STB_TRUETYPE_IMPLEMENTATION
#include "stb_truetype.h"

using namespace plugin::sys;
using namespace fonttest;

namespace {

FontBytes View(const Bytes& b)
{
  return FontBytes(b.data(), b.size());
}

Bytes Header(const std::string& first4, std::vector<uint32_t> words = {})
{
  Bytes b(first4.begin(), first4.end());
  for (uint32_t w : words) {
    b.resize(b.size() + 4);
    PutU32(b, b.size() - 4, w);
  }
  return b;
}

Bytes NameFace(const std::vector<NameRecord>& records)
{
  return MakeFace({{"name", MakeNameTable(records)}}, kTrueTypeSignature);
}

std::string NameOf(const Bytes& face, uint16_t id)
{
  FontTable table;
  if (!FindFontTable(View(face), 0, "name", table)) return "<no table>";
  return ReadFontName(View(face), table, id);
}

} // namespace

TEST(FontTableReader, FieldReadsStopAtTheEnd)
{
  const Bytes b{0x12, 0x34, 0x56, 0x78, 0xff};
  const FontBytes v = View(b);
  uint16_t u16 = 7;
  int16_t i16 = 7;
  uint32_t u32 = 7;
  EXPECT_TRUE(v.U16(3, u16));
  EXPECT_EQ(u16, 0x78ff);
  EXPECT_TRUE(v.I16(3, i16));
  EXPECT_EQ(i16, static_cast<int16_t>(0x78ff));
  EXPECT_TRUE(v.U32(1, u32));
  EXPECT_EQ(u32, 0x345678ffu);
  EXPECT_FALSE(v.U16(4, u16));
  EXPECT_FALSE(v.U32(2, u32));
  EXPECT_FALSE(v.U32(~uint64_t{0} - 1, u32)); // no wrap-around
  EXPECT_EQ(u32, 0x345678ffu);                // untouched by failed reads
  EXPECT_TRUE(v.Contains(5, 0));
  EXPECT_FALSE(v.Contains(6, 0));
  EXPECT_FALSE(FontBytes(nullptr, 100).Contains(0, 1));
}

TEST(FontTableReader, FaceSelectionBySignature)
{
  struct Case
  {
    const char* what;
    Bytes bytes;
    int index;
    bool found;
    uint32_t offset;
  };
  const Case cases[] = {
      {"collection face 0", Header("ttcf", {0x00010000, 2, 40, 80}), 0, true, 40},
      {"collection face 1", Header("ttcf", {0x00010000, 2, 40, 80}), 1, true, 80},
      {"collection beyond count", Header("ttcf", {0x00010000, 2, 40, 80}), 2, false, 0},
      {"collection version 2", Header("ttcf", {0x00020000, 1, 16}), 0, true, 16},
      {"collection version 3", Header("ttcf", {0x00030000, 1, 16}), 0, false, 0},
      {"collection offset cut off", Header("ttcf", {0x00010000, 2, 40}), 1, false, 0},
      {"empty collection", Header("ttcf", {0x00010000, 0}), 0, false, 0},
      {"truncated collection header", Header("ttcf", {0x00010000}), 0, false, 0},
      {"huge count, no offsets", Header("ttcf", {0x00010000, 0xffffffff}), 5, false, 0},
      {"OpenType CFF", Header("OTTO"), 0, true, 0},
      {"Type 1 wrapper", Header("typ1"), 0, true, 0},
      {"TrueType", Header(kTrueTypeSignature), 0, true, 0},
      {"TrueType 1", Header(std::string{'1', '\0', '\0', '\0'}), 0, true, 0},
      {"single face index 1", Header("OTTO"), 1, false, 0},
      {"negative index", Header("OTTO"), -1, false, 0},
      {"'true' signature", Header("true"), 0, false, 0},
      {"web font", Header("wOFF"), 0, false, 0},
      {"three bytes", Bytes{0, 1, 0}, 0, false, 0},
      {"nothing", Bytes{}, 0, false, 0},
  };
  for (const Case& c : cases) {
    uint32_t offset = 0;
    EXPECT_EQ(FindFontFace(View(c.bytes), c.index, offset), c.found) << c.what;
    EXPECT_EQ(offset, c.offset) << c.what; // untouched when not found
  }
  EXPECT_EQ(CountFontFaces(View(Header("ttcf", {0x00020000, 3}))), 3);
  EXPECT_EQ(CountFontFaces(View(Header("ttcf", {0x00030000, 3}))), 0);
  EXPECT_EQ(CountFontFaces(View(Header("OTTO"))), 1);
  EXPECT_EQ(CountFontFaces(View(Header("true"))), 0);
}

TEST(FontTableReader, TablesAreFoundOnlyInsideTheData)
{
  const Bytes face =
      MakeFace({{"head", MakeHead(2048, 0)}, {"hhea", MakeHhea(1, -1, 0)}}, kTrueTypeSignature);
  FontTable t;
  ASSERT_TRUE(FindFontTable(View(face), 0, "hhea", t));
  EXPECT_EQ(std::make_pair(t.offset, t.length), TableOf(face, "hhea"));
  EXPECT_FALSE(FindFontTable(View(face), 0, "name", t));
  EXPECT_FALSE(FindFontTable(View(face), static_cast<uint32_t>(face.size()), "head", t));
  EXPECT_EQ(CountFontTables(View(face), 0), 2);

  struct Corruption
  {
    const char* what;
    std::function<void(Bytes&)> apply;
  };
  const Corruption corruptions[] = {
      {"count past the data", [](Bytes& b) { PutU16(b, 4, 0x1000); }},
      {"directory cut short", [](Bytes& b) { b.resize(12 + 16 + 8); }},
      {"table past the end", [](Bytes& b) { PutU32(b, 12 + 16 + 12, static_cast<uint32_t>(b.size())); }},
      {"offset past the end", [](Bytes& b) { PutU32(b, 12 + 16 + 8, static_cast<uint32_t>(b.size()) + 4); }},
      {"offset + length wraps",
       [](Bytes& b) { PutU32(b, 12 + 16 + 8, 0xfffffff0u), PutU32(b, 12 + 16 + 12, 0x20); }},
  };
  for (const Corruption& c : corruptions) {
    Bytes bad = face;
    c.apply(bad);
    FontTable found{7, 7};
    EXPECT_FALSE(FindFontTable(View(bad), 0, "hhea", found)) << c.what;
    EXPECT_EQ(found.offset, 7u) << c.what;
  }
}

TEST(FontTableReader, NameRecordRules)
{
  const uint16_t kWin[3] = {3, 1, 1033};
  auto win = [&](uint16_t id, Bytes text) {
    return NameRecord{kWin[0], kWin[1], kWin[2], id, std::move(text)};
  };
  auto mac = [](uint16_t id, Bytes text) { return NameRecord{1, 0, 0, id, std::move(text)}; };
  struct Case
  {
    const char* what;
    std::vector<NameRecord> records;
    std::string expected;
  };
  const Case cases[] = {
      {"windows record", {mac(1, Ascii("Mac")), win(1, Utf16Be("Roboto"))}, "Roboto"},
      {"first windows record wins", {win(1, Utf16Be("First")), win(1, Utf16Be("Second"))}, "First"},
      {"mac record only", {mac(1, Ascii("Lato"))}, "Lato"},
      {"empty windows text falls back", {win(1, {}), mac(1, Ascii("Mac"))}, "Mac"},
      {"windows text past the table falls back",
       {NameRecord{3, 1, 1033, 1, Utf16Be("Abc"), -1, 200}, mac(1, Ascii("Mac"))},
       "Mac"},
      {"other language is not taken", {NameRecord{3, 1, 1031, 1, Utf16Be("Schrift")}}, ""},
      {"other name id", {win(2, Utf16Be("Bold"))}, ""},
      {"odd byte length drops the last byte", {NameRecord{3, 1, 1033, 1, Utf16Be("Abcd"), 7}}, "Abc"},
      {"non-ASCII text",
       {win(1, Utf16Be(std::vector<uint16_t>{'S', 0xe9, 0x20ac}))},
       "S\xc3\xa9\xe2\x82\xac"},
      {"surrogate pair", {win(1, Utf16Be(std::vector<uint16_t>{0xd83d, 0xde00}))}, "\xf0\x9f\x98\x80"},
      {"lone surrogates",
       {win(1, Utf16Be(std::vector<uint16_t>{0xd83d, 'a', 0xde00}))},
       "\xef\xbf\xbd"
       "a\xef\xbf\xbd"},
      {"zero unit ends the text", {win(1, Utf16Be(std::vector<uint16_t>{'A', 0, 'B'}))}, "A"},
      {"mac text stops at a zero byte", {mac(1, Bytes{'A', 'b', 0, 'c'})}, "Ab"},
      {"mac length 0 reads to the zero byte",
       {NameRecord{1, 0, 0, 1, Bytes{'A', 'b', 'c', 0, 'd'}, 0}},
       "Abc"},
      {"mac length 0 without zero ends at the table", {NameRecord{1, 0, 0, 1, Ascii("Abc"), 0}}, "Abc"},
      {"mac text past the table", {NameRecord{1, 0, 0, 1, Ascii("Abc"), 40}}, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NameOf(NameFace(c.records), 1), c.expected) << c.what;
}

TEST(FontTableReader, NameTableWithMoreRecordsThanItHolds)
{
  Bytes name = MakeNameTable({NameRecord{1, 0, 0, 2, Ascii("Bold")}});
  PutU16(name, 2, 500); // claims 500 records
  const Bytes face = MakeFace({{"name", name}}, kTrueTypeSignature);
  EXPECT_EQ(NameOf(face, 2), "Bold"); // records that fit are read
  EXPECT_EQ(NameOf(face, 1), "");     // the scan ends where the table does
}

TEST(FontTableReader, AgreesWithStbTrueTypeOnDebianFonts)
{
  for (const char* file :
       {"Roboto-Regular.ttf", "Lato-Bold.ttf", "DejaVuSans.ttf", "DejaVuSerif-BoldItalic.ttf"}) {
    const Bytes font = ReadFile(DebianFontPath(file));
    ASSERT_FALSE(font.empty()) << file;
    stbtt_fontinfo info;
    ASSERT_TRUE(stbtt_InitFont(&info, font.data(), stbtt_GetFontOffsetForIndex(font.data(), 0))) << file;
    FontTable head, hhea, name;
    ASSERT_TRUE(FindFontTable(View(font), 0, "head", head));
    ASSERT_TRUE(FindFontTable(View(font), 0, "hhea", hhea));
    ASSERT_TRUE(FindFontTable(View(font), 0, "name", name));
    EXPECT_EQ(static_cast<int>(head.offset), info.head) << file;
    EXPECT_EQ(static_cast<int>(hhea.offset), info.hhea) << file;
    for (uint16_t id : {1, 2, 4, 6}) {
      int length = 0;
      const char* utf16 = stbtt_GetFontNameString(&info, &length, STBTT_PLATFORM_ID_MICROSOFT,
                                                  STBTT_MS_EID_UNICODE_BMP, STBTT_MS_LANG_ENGLISH, id);
      ASSERT_NE(utf16, nullptr) << file << " " << id;
      std::string ascii;
      for (int i = 1; i < length; i += 2)
        ascii += utf16[i]; // these names are ASCII
      EXPECT_EQ(ReadFontName(View(font), name, id), ascii) << file << " " << id;
    }
    EXPECT_EQ(CountFontFaces(View(font)), stbtt_GetNumberOfFonts(font.data())) << file;
  }
}

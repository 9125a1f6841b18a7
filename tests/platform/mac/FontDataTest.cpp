#include "platform/mac/FontData.h"

#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <functional>

#define STBTT_STATIC
#define STB_TRUETYPE_IMPLEMENTATION
#include "stb_truetype.h"

using namespace plugin::ui;
using namespace fonttest;

namespace {

std::unique_ptr<IFontData> DataOf(const Bytes& bytes, const char* style = "")
{
  static const uint8_t kNothing = 0;
  const auto provider = plugin::sys::FontDataProvider::CreateWithData(
      nullptr, bytes.empty() ? &kNothing : bytes.data(), bytes.size(), nullptr);
  return CreateFontData(*provider, style);
}

// "valid face@offset family/style upem macStyle ascender descender lineGap" of a record.
std::string Describe(const IFontData& d)
{
  char text[256];
  std::snprintf(text, sizeof text, "%d %d@%ld %s/%s %d %d %d %d %d", d.IsValid(), d.mFaceIndex,
                d.mFaceData ? long(d.mFaceData - d.GetBytes()) : -1L, d.mFamily.Get(), d.mStyle.Get(),
                d.mUnitsPerEm, d.mMacStyle, d.mAscender, d.mDescender, d.mLineGap);
  return text;
}

} // namespace

// A font file a test needs and cannot find fails that test with the package to install.
TEST(FontData, AMissingFontFileFailsTheTestWithItsPackage)
{
  const std::pair<const char*, const char*> cases[] = {
      {"DejaVuSans-BoldOblique-missing.ttf", "fonts-dejavu-extra"},
      {"Lato-Missing.ttf", "fonts-lato"},
      {"Roboto-Missing.ttf", "fonts-roboto-unhinted"},
  };
  for (const auto& [file, package] : cases)
    for (const auto& read : {std::function<void()>([f = file] { ReadDebianFont(f); }),
                             std::function<void()>([f = file] { RequireDebianFont(f); })}) {
      try {
        read();
        ADD_FAILURE() << file << " was found";
      } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(std::string(file) + " is missing"), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find(package), std::string::npos) << e.what();
      }
    }
  const std::pair<const char*, const char*> packages[] = {
      {"DejaVuSans.ttf", "fonts-dejavu-core"},
      {"DejaVuSansMono-Bold.ttf", "fonts-dejavu-core"},
      {"DejaVuSans-BoldOblique.ttf", "fonts-dejavu-extra"},
      {"DejaVuSansMono-Oblique.ttf", "fonts-dejavu-extra"},
  };
  for (const auto& [file, package] : packages)
    EXPECT_EQ(DebianFontPackage(file), package) << file;
}

TEST(FontData, DebianFontsAgreeWithStbTrueType)
{
  const std::pair<const char*, const char*> cases[] = {
      {"Roboto-Regular.ttf", "1 0@0 Roboto/Regular 2048 0 1900 -500 0"},
      {"Lato-Bold.ttf", "1 0@0 Lato/Bold 2000 1 1974 -426 0"},
      {"DejaVuSans-BoldOblique.ttf", "1 0@0 DejaVu Sans/Bold Oblique 2048 3 1901 -483 0"},
  };
  for (const auto& [file, expected] : cases) {
    const Bytes bytes = ReadDebianFont(file);
    const auto data = DataOf(bytes);
    EXPECT_EQ(Describe(*data), expected);
    EXPECT_TRUE(data->GetSize() == int(bytes.size()) &&
                std::equal(bytes.begin(), bytes.end(), data->GetBytes()));
    EXPECT_EQ(data->mFdscOffset, 0u);

    stbtt_fontinfo info;
    ASSERT_TRUE(stbtt_InitFont(&info, bytes.data(), 0));
    int ascent, descent, gap;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    EXPECT_EQ(std::vector<int>({data->mAscender, data->mDescender, data->mLineGap}),
              std::vector<int>({ascent, descent, gap}));
    EXPECT_FLOAT_EQ(stbtt_ScaleForMappingEmToPixels(&info, 1.f), 1.f / data->mUnitsPerEm);
    EXPECT_TRUE(int(data->mHeadOffset) == info.head && int(data->mHheaOffset) == info.hhea);
  }
}

TEST(FontData, CollectionFaceChosenByStyle)
{
  const Bytes ttc = MakeCollection({ReadDebianFont("Lato-Regular.ttf"), ReadDebianFont("Lato-Bold.ttf")});
  const std::string second = std::to_string(GetU32(ttc, 16));
  const std::pair<const char*, std::string> cases[] = {
      {"Bold", "1 1@" + second + " Lato/Bold 2000 1 1974 -426 0"},
      {"", "1 0@20 Lato/Regular 2000 0 1974 -426 0"},
      {nullptr, "1 0@20 Lato/Regular 2000 0 1974 -426 0"},
      {"bold", "0 -1@-1 / 0 0 0 0 0"},
      {"Italic", "0 -1@-1 / 0 0 0 0 0"},
  };
  for (const auto& [style, expected] : cases)
    EXPECT_EQ(Describe(*DataOf(ttc, style)), expected);
  EXPECT_EQ(DataOf(ttc, "Bold")->mHeadOffset, TableOf(ttc, "head", GetU32(ttc, 16)).first); // absolute

  // Faces without a style name are passed over; an unusable face ends the search.
  const Bytes bold = SyntheticFace("Bold"), unnamed = SyntheticFace(nullptr), broken = MakeFace({});
  const auto find = [](const Bytes& b) { return FindFaceWithStyle(b.data(), b.size(), "Bold"); };
  EXPECT_EQ(find(MakeCollection({unnamed, bold})), 1);
  EXPECT_EQ(find(MakeCollection({broken, bold})), -1);
  EXPECT_EQ(FindFaceWithStyle(nullptr, 0, "Bold"), -1);
}

TEST(FontData, AcceptedAndRefusedFaceTags)
{
  const Bytes face = SyntheticFace("Bold");
  const auto tagged = [&](const std::string& tag) {
    Bytes b = face;
    std::copy(tag.begin(), tag.end(), b.begin());
    return b;
  };
  const std::pair<Bytes, bool> cases[] = {
      {face, true},
      {tagged(std::string{'1', 0, 0, 0}), true},
      {tagged("OTTO"), true},
      {tagged("typ1"), true},
      {tagged("true"), false},
      {tagged("wOF2"), false},
      {MakeCollection({face}, 0x00010000), true},
      {MakeCollection({face}, 0x00020000), true},
      {MakeCollection({face}, 0x00030000), false},
      {MakeCollection({}), false},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(DataOf(cases[i].first)->IsValid(), cases[i].second) << i;
}

TEST(FontData, NameRecordRules)
{
  auto win = [](std::vector<uint16_t> units) { return NameRecord{3, 1, 1033, 2, Utf16Be(units)}; };
  auto mac = [](std::string text, int length = -1) { return NameRecord{1, 0, 0, 2, Ascii(text), length}; };
  const std::pair<std::vector<NameRecord>, std::string> cases[] = {
      {{mac("Mac"), win({'B', 'o'}), win({'N', 'o'})}, "Bo"},
      {{win({}), mac("Mac")}, "Mac"},
      {{NameRecord{3, 1, 1033, 2, Utf16Be({'A'}), -1, 500}, mac("Mac")}, "Mac"}, // text past the table
      {{NameRecord{3, 1, 1031, 2, Utf16Be({'A'})}}, ""},                         // other language
      {{NameRecord{3, 1, 1033, 2, Utf16Be({'A', 'b'}), 3}}, "A"},                // odd length
      {{win({'S', 0xe9, 0x20ac, 0xd83d, 0xde00})}, "S\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"},
      {{win({0xd83d, 'a', 0xde00, 0, 'x'})},
       "\xef\xbf\xbd"
       "a\xef\xbf\xbd"}, // lone surrogates, zero unit
      {{mac(std::string("Ab\0c", 4))}, "Ab"},
      {{mac("Abc", 0)}, "Abc"}, // length 0: up to a zero byte or the table's end
      {{mac("Abc", 40)}, ""},   // past the table
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(DataOf(SyntheticFace(nullptr, {{"name", MakeNameTable(cases[i].first)}}))->mStyle.Get(),
              cases[i].second)
        << i;
}

TEST(FontData, DamagedTruncatedAndEmptyBytes)
{
  const Bytes good = SyntheticFace("Bold", {{"fdsc", Bytes(12)}});
  EXPECT_EQ(DataOf(good)->mFdscOffset, TableOf(good, "fdsc").first);
  const auto patch = [](const char* tag, int field, uint32_t v) {
    return [=](Bytes& b) { PutU32(b, TableRecordOf(b, tag) + field, v); };
  };
  const std::function<void(Bytes&)> damages[] = {
      patch("head", 12, 45),                  // too short for the mac style
      patch("hhea", 12, 9),                   // too short for the line gap
      patch("name", 12, 5),                   // too short for its header
      patch("name", 8, 0x7fffff00),           // past the end
      patch("head", 8, 0xffffffffu),          // offset + length wraps
      patch("hhea", 0, 0x78787878),           // missing
      [](Bytes& b) { PutU16(b, 4, 0x7fff); }, // directory past the end
  };
  for (size_t i = 0; i < std::size(damages); ++i) {
    Bytes bad = good;
    damages[i](bad);
    EXPECT_EQ(Describe(*DataOf(bad)), "0 0@0 / 0 0 0 0 0") << i; // metrics only from a complete face
  }
  const Bytes roboto = ReadDebianFont("Roboto-Regular.ttf");
  // Cut inside the directory, the head or the name table, or only in the last table (GSUB).
  for (size_t length : {size_t{0}, size_t{3}, size_t{12}, size_t{250}, roboto.size() / 3, roboto.size() - 1})
    EXPECT_EQ(DataOf(Bytes(roboto.begin(), roboto.begin() + long(length)))->IsValid(),
              length == roboto.size() - 1);
}

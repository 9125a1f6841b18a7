#include "platform/mac/FontData.h"

#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <functional>

#define STBTT_STATIC
#define STB_TRUETYPE_IMPLEMENTATION
#include "stb_truetype.h"

using namespace plugin::ui;
using namespace fonttest;
namespace sys = plugin::sys;

namespace {

// The fields of a record that tests compare, as one value.
struct Summary
{
  bool valid = false;
  int faceIndex = 0;
  long faceOffset = -1; // -1 without a face
  std::string family, style;
  int unitsPerEm = 0, macStyle = 0, ascender = 0, descender = 0, lineGap = 0;
  uint32_t head = 0, name = 0, hhea = 0, fdsc = 0;

  bool operator==(const Summary&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Summary& s)
{
  return os << "{valid " << s.valid << ", face " << s.faceIndex << " at " << s.faceOffset << ", '" << s.family
            << "'/'" << s.style << "', upem " << s.unitsPerEm << ", mac style " << s.macStyle << ", asc "
            << s.ascender << ", desc " << s.descender << ", gap " << s.lineGap << ", head " << s.head
            << ", name " << s.name << ", hhea " << s.hhea << ", fdsc " << s.fdsc << "}";
}

Summary Summarise(const IFontData& d)
{
  return {d.IsValid(),     d.mFaceIndex,   d.mFaceData ? static_cast<long>(d.mFaceData - d.GetBytes()) : -1,
          d.mFamily.Get(), d.mStyle.Get(), d.mUnitsPerEm,
          d.mMacStyle,     d.mAscender,    d.mDescender,
          d.mLineGap,      d.mHeadOffset,  d.mNameOffset,
          d.mHheaOffset,   d.mFdscOffset};
}

std::unique_ptr<IFontData> DataOf(const Bytes& bytes, const char* style = "")
{
  static const uint8_t kNothing = 0;
  const auto provider = sys::FontDataProvider::CreateWithData(
      nullptr, bytes.empty() ? &kNothing : bytes.data(), bytes.size(), nullptr);
  return CreateFontData(*provider, style);
}

// A face with head, name and hhea, its style name (none when null) and extra tables.
Bytes SyntheticFace(const char* style, const std::string& signature = kTrueTypeSignature,
                    std::vector<std::pair<std::string, Bytes>> extra = {})
{
  std::vector<NameRecord> names{{3, 1, 1033, 1, Utf16Be("Synth")}};
  if (style) names.push_back({3, 1, 1033, 2, Utf16Be(style)});
  std::vector<std::pair<std::string, Bytes>> tables{
      {"head", MakeHead(1000, 2)}, {"hhea", MakeHhea(800, -200, 90)}, {"name", MakeNameTable(names)}};
  tables.insert(tables.end(), extra.begin(), extra.end());
  return MakeFace(tables, signature);
}

} // namespace

TEST(FontData, DebianFontsMetricsAndNames)
{
  struct Case
  {
    const char* file;
    Summary expected; // table offsets filled from the file
  };
  const Case cases[] = {
      {"Roboto-Regular.ttf", {true, 0, 0, "Roboto", "Regular", 2048, 0, 1900, -500, 0}},
      {"Lato-Bold.ttf", {true, 0, 0, "Lato", "Bold", 2000, 1, 1974, -426, 0}},
      {"DejaVuSans-BoldOblique.ttf", {true, 0, 0, "DejaVu Sans", "Bold Oblique", 2048, 3, 1901, -483, 0}},
  };
  for (const Case& c : cases) {
    const Bytes file = ReadFile(DebianFontPath(c.file));
    Summary expected = c.expected;
    expected.head = TableOf(file, "head").first;
    expected.name = TableOf(file, "name").first;
    expected.hhea = TableOf(file, "hhea").first;
    const auto data = DataOf(file);
    EXPECT_EQ(Summarise(*data), expected) << c.file;
    ASSERT_EQ(Bytes(data->GetBytes(), data->GetBytes() + data->GetSize()), file) << c.file;

    // The same metrics as the glyph code reads them.
    stbtt_fontinfo info;
    ASSERT_TRUE(stbtt_InitFont(&info, file.data(), 0));
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    EXPECT_EQ(data->mAscender, ascent) << c.file;
    EXPECT_EQ(data->mDescender, descent) << c.file;
    EXPECT_EQ(data->mLineGap, gap) << c.file;
    EXPECT_FLOAT_EQ(stbtt_ScaleForMappingEmToPixels(&info, 1.0f), 1.0f / data->mUnitsPerEm) << c.file;
  }
}

TEST(FontData, FaceSelectionInACollectionByStyle)
{
  const Bytes regular = ReadFile(DebianFontPath("Lato-Regular.ttf"));
  const Bytes bold = ReadFile(DebianFontPath("Lato-Bold.ttf"));
  const Bytes ttc = MakeCollection({regular, bold});
  const uint32_t second = GetU32(ttc, 16);
  struct Case
  {
    const char* style;
    int face;
    long offset;
    const char* foundStyle;
  };
  const Case cases[] = {
      {"Bold", 1, second, "Bold"}, {"Regular", 0, 20, "Regular"}, {"", 0, 20, "Regular"},
      {nullptr, 0, 20, "Regular"}, {"bold", -1, -1, ""},          {"Italic", -1, -1, ""},
  };
  for (const Case& c : cases) {
    const auto data = DataOf(ttc, c.style);
    EXPECT_EQ(data->mFaceIndex, c.face) << (c.style ? c.style : "null");
    EXPECT_EQ(data->IsValid(), c.face >= 0);
    EXPECT_EQ(data->mFaceData ? data->mFaceData - data->GetBytes() : -1, c.offset);
    EXPECT_STREQ(data->mStyle.Get(), c.foundStyle);
    EXPECT_EQ(data->GetSize(), static_cast<int>(ttc.size()));
  }
  // Table offsets of the second face are absolute in the file.
  const auto data = DataOf(ttc, "Bold");
  EXPECT_EQ(data->mHeadOffset, TableOf(ttc, "head", second).first);
  EXPECT_STREQ(data->mFamily.Get(), "Lato");
}

TEST(FontData, StyleSearchPassesUnnamedFacesAndStopsAtUnusableOnes)
{
  const Bytes bold = SyntheticFace("Bold");
  const Bytes unnamed = SyntheticFace(nullptr);
  const Bytes broken =
      MakeFace({{"head", MakeHead(1000, 0)}, {"name", MakeNameTable({})}}, kTrueTypeSignature);
  const auto find = [](const Bytes& b, const char* style) {
    return FindFaceWithStyle(b.data(), b.size(), style);
  };
  EXPECT_EQ(find(MakeCollection({unnamed, bold}), "Bold"), 1);
  EXPECT_EQ(find(MakeCollection({broken, bold}), "Bold"), -1);
  EXPECT_EQ(find(MakeCollection({bold, broken}), "Bold"), 0);
  EXPECT_EQ(find(MakeCollection({}), "Bold"), -1);
  EXPECT_EQ(find(MakeCollection({}), ""), 0);
  EXPECT_EQ(FindFaceWithStyle(nullptr, 0, "Bold"), -1);
}

TEST(FontData, AcceptedAndRefusedFaceSignatures)
{
  const Bytes face = SyntheticFace("Bold");
  const auto withSignature = [&](const std::string& signature) {
    Bytes b = face;
    std::copy(signature.begin(), signature.end(), b.begin());
    return b;
  };
  struct Case
  {
    const char* what;
    Bytes bytes;
    bool valid;
  };
  const Case cases[] = {
      {"TrueType", face, true},
      {"TrueType 1", withSignature(std::string{'1', '\0', '\0', '\0'}), true},
      {"OpenType CFF", withSignature("OTTO"), true},
      {"Type 1 wrapper", withSignature("typ1"), true},
      {"'true'", withSignature("true"), false},
      {"web font", withSignature("wOF2"), false},
      {"collection version 1", MakeCollection({face}, 0x00010000), true},
      {"collection version 2", MakeCollection({face}, 0x00020000), true},
      {"collection version 3", MakeCollection({face}, 0x00030000), false},
      {"empty collection", MakeCollection({}), false},
  };
  for (const Case& c : cases) {
    const auto data = DataOf(c.bytes);
    EXPECT_EQ(data->IsValid(), c.valid) << c.what;
    EXPECT_STREQ(data->mFamily.Get(), c.valid ? "Synth" : "") << c.what;
  }
}

TEST(FontData, BrokenTablesLeaveTheRecordInvalid)
{
  const Bytes good = SyntheticFace("Bold", kTrueTypeSignature, {{"fdsc", Bytes(12, 0)}});
  const auto [fdsc, fdscLength] = TableOf(good, "fdsc");
  EXPECT_EQ(DataOf(good)->mFdscOffset, fdsc);
  EXPECT_EQ(DataOf(SyntheticFace("Bold"))->mFdscOffset, 0u);

  struct Case
  {
    const char* what;
    std::function<void(Bytes&)> damage;
  };
  const Case cases[] = {
      {"head too short for mac style", [](Bytes& b) { PutU32(b, TableRecordOf(b, "head") + 12, 45); }},
      {"hhea too short for line gap", [](Bytes& b) { PutU32(b, TableRecordOf(b, "hhea") + 12, 9); }},
      {"name too short for its header", [](Bytes& b) { PutU32(b, TableRecordOf(b, "name") + 12, 5); }},
      {"name past the end",
       [](Bytes& b) { PutU32(b, TableRecordOf(b, "name") + 8, static_cast<uint32_t>(b.size())); }},
      {"head offset wraps", [](Bytes& b) { PutU32(b, TableRecordOf(b, "head") + 8, 0xffffffffu); }},
      {"no hhea",
       [](Bytes& b) { std::copy_n("xxxx", 4, b.begin() + static_cast<long>(TableRecordOf(b, "hhea"))); }},
      {"directory count too large", [](Bytes& b) { PutU16(b, 4, 0x7fff); }},
  };
  for (const Case& c : cases) {
    Bytes bad = good;
    c.damage(bad);
    const auto data = DataOf(bad);
    EXPECT_FALSE(data->IsValid()) << c.what;
    EXPECT_NE(data->mFaceData, nullptr) << c.what;
    EXPECT_EQ(data->mUnitsPerEm, 0) << c.what; // metrics only from a complete face
  }
}

TEST(FontData, TruncatedAndEmptyBytes)
{
  const Bytes roboto = ReadFile(DebianFontPath("Roboto-Regular.ttf"));
  const uint32_t lastNeeded = std::max({TableOf(roboto, "head").first + 46, TableOf(roboto, "name").first + 6,
                                        TableOf(roboto, "hhea").first + 10});
  for (size_t length : {size_t{0}, size_t{2}, size_t{4}, size_t{12}, size_t{100}, size_t{lastNeeded - 1},
                        roboto.size() / 3, roboto.size() - 1}) {
    const Bytes cut(roboto.begin(), roboto.begin() + static_cast<long>(length));
    const auto data = DataOf(cut);
    EXPECT_EQ(data->GetSize(), static_cast<int>(length));
    if (data->IsValid()) {
      // Only tables that lie wholly inside the cut bytes count.
      EXPECT_LE(data->mNameOffset + TableOf(roboto, "name").second, length);
      EXPECT_LE(data->mHheaOffset + TableOf(roboto, "hhea").second, length);
    }
  }
}

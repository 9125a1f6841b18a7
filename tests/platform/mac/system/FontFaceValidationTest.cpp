#include "platform/mac/system/FontFaceValidation.h"

#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

using namespace plugin::sys;
using namespace fonttest;

namespace {

bool Usable(const Bytes& b, int index = 0)
{
  return IsUsableFontFace(FontBytes(b.data(), b.size()), index);
}

void Rename(Bytes& font, const std::string& from, const std::string& to)
{
  const size_t record = TableRecordOf(font, from);
  ASSERT_NE(record, 0u) << from;
  std::copy(to.begin(), to.begin() + 4, font.begin() + static_cast<long>(record));
}

void SetLength(Bytes& font, const std::string& tag, uint32_t length)
{
  const size_t record = TableRecordOf(font, tag);
  ASSERT_NE(record, 0u) << tag;
  PutU32(font, record + 12, length);
}

} // namespace

TEST(FontFaceValidation, EveryDebianFontIsUsable)
{
  int checked = 0;
  for (const std::string& folder : DebianFontFolders())
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() != ".ttf") continue;
      EXPECT_TRUE(Usable(ReadFile(entry.path().string()))) << entry.path();
      ++checked;
    }
  EXPECT_GT(checked, 40);
}

TEST(FontFaceValidation, FacesOfACollection)
{
  const Bytes ttc = MakeCollection(
      {ReadFile(DebianFontPath("Lato-Regular.ttf")), ReadFile(DebianFontPath("Lato-Bold.ttf"))});
  EXPECT_TRUE(Usable(ttc, 0));
  EXPECT_TRUE(Usable(ttc, 1));
  EXPECT_FALSE(Usable(ttc, 2));
  EXPECT_FALSE(Usable(ttc, -1));
}

TEST(FontFaceValidation, DamagedFontsAreRefused)
{
  const Bytes roboto = ReadFile(DebianFontPath("Roboto-Regular.ttf"));
  ASSERT_TRUE(Usable(roboto));
  const auto [cmapOffset, cmapLength] = TableOf(roboto, "cmap");
  struct Case
  {
    const char* what;
    std::function<void(Bytes&)> damage;
  };
  const Case cases[] = {
      {"no cmap", [](Bytes& b) { Rename(b, "cmap", "cmaq"); }},
      {"no head", [](Bytes& b) { Rename(b, "head", "heaD"); }},
      {"no hhea", [](Bytes& b) { Rename(b, "hhea", "hheb"); }},
      {"no hmtx", [](Bytes& b) { Rename(b, "hmtx", "hmty"); }},
      {"no loca", [](Bytes& b) { Rename(b, "loca", "locb"); }},
      {"CFF outlines", [](Bytes& b) { Rename(b, "glyf", "CFF "); }},
      {"short head", [](Bytes& b) { SetLength(b, "head", 52); }},
      {"short hhea", [](Bytes& b) { SetLength(b, "hhea", 34); }},
      {"short maxp", [](Bytes& b) { SetLength(b, "maxp", 4); }},
      {"cmap records past the table", [&](Bytes& b) { PutU16(b, cmapOffset + 2, 0xffff); }},
      {"cmap subtable past the table", [&](Bytes& b) { PutU32(b, cmapOffset + 4 + 4, cmapLength); }},
      {"no known cmap encoding",
       [&](Bytes& b) {
         for (uint16_t i = 0; i < GetU16(b, cmapOffset + 2); ++i)
           PutU16(b, cmapOffset + 4 + 8u * i, 7);
       }},
      {"a table past the end", [](Bytes& b) { SetLength(b, "post", 0x7fffffff); }},
      {"directory count past the data", [](Bytes& b) { PutU16(b, 4, 0xffff); }},
      {"'true' signature", [](Bytes& b) { std::copy_n("true", 4, b.begin()); }},
  };
  for (const Case& c : cases) {
    Bytes bad = roboto;
    c.damage(bad);
    EXPECT_FALSE(Usable(bad)) << c.what;
  }
}

TEST(FontFaceValidation, TruncatedAndGarbageBytesAreRefused)
{
  const Bytes lato = ReadFile(DebianFontPath("Lato-Bold.ttf"));
  for (size_t length : {size_t{0}, size_t{3}, size_t{4}, size_t{11}, size_t{12}, size_t{40}, size_t{400},
                        lato.size() / 2, lato.size() - 1}) {
    const Bytes cut(lato.begin(), lato.begin() + static_cast<long>(length));
    EXPECT_FALSE(Usable(cut)) << length;
  }
  std::mt19937 random(22);
  for (int round = 0; round < 200; ++round) {
    Bytes garbage(64 + random() % 512);
    for (uint8_t& byte : garbage)
      byte = static_cast<uint8_t>(random());
    std::copy(kTrueTypeSignature.begin(), kTrueTypeSignature.end(), garbage.begin());
    garbage[4] = 0;
    garbage[5] = static_cast<uint8_t>(round % 12);
    EXPECT_FALSE(Usable(garbage)) << round;
  }
  EXPECT_FALSE(IsUsableFontFace(FontBytes(nullptr, 0), 0));
}

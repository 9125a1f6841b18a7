#include "platform/mac/system/FontFaceValidation.h"

#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plugin::sys;
using namespace fonttest;

// Faces reach the glyph code only when every field it reads lies inside the data.
TEST(FontFaceValidation, DamagedAndTruncatedFontsAreRefused)
{
  const auto usable = [](const Bytes& b, int index = 0) {
    return IsUsableFontFace(FontBytes(b.data(), b.size()), index);
  };
  const Bytes roboto = ReadDebianFont("Roboto-Regular.ttf");
  const Bytes pair = MakeCollection({roboto, ReadDebianFont("Lato-Bold.ttf")});
  EXPECT_TRUE(usable(roboto) && usable(pair, 0) && usable(pair, 1));
  EXPECT_FALSE(usable(pair, 2) || usable(pair, -1) || usable(roboto, 1));

  const size_t cmap = TableOf(roboto, "cmap").first,
               cmapRecords = size_t(roboto[cmap + 2] << 8 | roboto[cmap + 3]);
  const auto field = [](const char* tag, int at, uint32_t v) {
    return [=](Bytes& b) { PutU32(b, TableRecordOf(b, tag) + at, v); };
  };
  const std::function<void(Bytes&)> damages[] = {
      field("cmap", 0, 0x636d6171),
      field("head", 0, 0x68656144),
      field("hhea", 0, 0x68686562), // renamed:
      field("hmtx", 0, 0x686d7479),
      field("loca", 0, 0x6c6f6362),
      field("glyf", 0, 0x43464620), // CFF outlines
      field("head", 12, 52),
      field("hhea", 12, 34),
      field("maxp", 12, 4),                                              // too short
      field("post", 12, 0x7fffffff),                                     // past the end
      [=](Bytes& b) { PutU16(b, cmap + 2, 0xffff); },                    // encoding records past cmap
      [=](Bytes& b) { PutU32(b, cmap + 8, TableOf(b, "cmap").second); }, // subtable past cmap
      [=](Bytes& b) {
        for (size_t i = 0; i < cmapRecords; ++i)
          PutU16(b, cmap + 4 + 8 * i, 7);
      },                                      // unknown encodings
      [](Bytes& b) { PutU16(b, 4, 0xffff); }, // directory past the data
      [](Bytes& b) { b.resize(b.size() - 1); },
      [](Bytes& b) { b.resize(b.size() / 2); },
      [](Bytes& b) { b.resize(12); },
  };
  for (size_t i = 0; i < std::size(damages); ++i) {
    Bytes bad = roboto;
    damages[i](bad);
    EXPECT_FALSE(usable(bad)) << i;
  }
}

#include "framework/buffers/Base64.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using plugin::AppendBase64;
using plugin::DecodeBase64;
using plugin::StringBuf;

TEST(Base64, EncodesWithPadding)
{
  const uint8_t bytes[] = {0, 1, 2, 3, 0xff};
  const struct
  {
    int size;
    const char* text;
  } cases[] = {{4, "AAECAw=="}, {3, "AAEC"}, {5, "AAECA/8="}, {1, "AA=="}};
  for (const auto& c : cases) {
    StringBuf out;
    AppendBase64(bytes, c.size, out);
    EXPECT_STREQ(out.Get(), c.text);
  }
  StringBuf none;
  AppendBase64(bytes, 0, none);
  EXPECT_STREQ(none.Get(), "");
}

TEST(Base64, DecodeStopsOutsideTheAlphabetOrAtTheLimit)
{
  std::vector<uint8_t> out(8, 0xee);
  EXPECT_EQ(DecodeBase64("AAECA/8=", out.data(), 8), 5);
  EXPECT_EQ(out, (std::vector<uint8_t>{0, 1, 2, 3, 0xff, 0xee, 0xee, 0xee}));
  EXPECT_EQ(DecodeBase64("AAEC Aw==", out.data(), 8), 3); // white space ends the data
  EXPECT_EQ(DecodeBase64("AAECAw==", out.data(), 2), 2);
  EXPECT_EQ(DecodeBase64("", out.data(), 8), 0);
  EXPECT_EQ(DecodeBase64(nullptr, out.data(), 8), 0);
  EXPECT_EQ(DecodeBase64("AAEC", nullptr, 8), 0);
}

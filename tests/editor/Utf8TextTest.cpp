#include "editor/Utf8Text.h"

#include <string>

#include <gtest/gtest.h>

using plugin::ui::FirstCharacters;

TEST(FirstCharacters, CutsBetweenCharacters)
{
  const std::string mixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\x9B"
                            "b"; // 1, 2, 3, 4 and 1 bytes
  const std::size_t byteEnds[] = {0, 1, 3, 6, 10, 11, 11};
  for (std::size_t n = 0; n < std::size(byteEnds); ++n)
    EXPECT_EQ(FirstCharacters(mixed, n), mixed.substr(0, byteEnds[n])) << n;
  // An ill-formed subpart counts as the one character that replaces it.
  EXPECT_EQ(FirstCharacters("\xE2\x82z\xC0", 1), "\xE2\x82");
  EXPECT_EQ(FirstCharacters("\xE2\x82z\xC0", 2), "\xE2\x82z");
}

#include "editor/Utf8Text.h"

#include <string>

#include <gtest/gtest.h>

using plugin::ui::FirstCharacters;
using plugin::ui::ValidUtf8;

// One U+FFFD per ill-formed maximal subpart; the byte that broke a sequence starts the next one.
TEST(ValidUtf8, ReplacesEachIllFormedSubpart)
{
  const std::string R = "\xEF\xBF\xBD";
  const std::string good = "Br\xC3\xBC"
                           "cke \xE2\x82\xAC \xF0\x9F\x8E\x9B";
  const std::pair<std::string, std::string> cases[] = {
      {good, good},
      {"a\xFF"
       "b",
       "a" + R + "b"},
      {"\x80\x80", R + R},                 // stray continuation bytes
      {"\xC0\xAF", R + R},                 // overlong two-byte form
      {"\xE0\x80\xAF", R + R + R},         // overlong three-byte form
      {"\xED\xA0\x80", R + R + R},         // surrogate
      {"\xF4\x90\x80\x80", R + R + R + R}, // above U+10FFFF
      {"\xE2\x82", R},                     // cut at the end
      {"\xE2\x82"
       "A",
       R + "A"},                                // cut before ASCII
      {"\xF0\x9F\x8E\xC3\xBC", R + "\xC3\xBC"}, // cut before a whole character
  };
  for (const auto& [in, out] : cases) {
    SCOPED_TRACE(in);
    EXPECT_EQ(ValidUtf8(in), out);
  }
}

TEST(FirstCharacters, CutsBetweenCharacters)
{
  const std::string mixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\x9B"
                            "b"; // 1, 2, 3, 4 and 1 bytes
  const std::size_t byteEnds[] = {0, 1, 3, 6, 10, 11, 11};
  for (std::size_t n = 0; n < std::size(byteEnds); ++n)
    EXPECT_EQ(FirstCharacters(mixed, n), mixed.substr(0, byteEnds[n])) << n;
}

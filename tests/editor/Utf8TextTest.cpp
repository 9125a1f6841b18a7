#include "editor/Utf8Text.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/UserPresetFormat.h"

using plugin::ui::FirstCharacters;
using plugin::ui::ValidUtf8;

namespace {

const std::string R = "\xEF\xBF\xBD"; // U+FFFD

struct Case
{
  std::string in;
  std::string out;
};

// Each ill-formed maximal subpart becomes one replacement; the byte that broke a sequence starts
// the next one.
const Case kCases[] = {
    {"", ""},
    {"plain", "plain"},
    {"Br\xC3\xBC"
     "cke \xE2\x82\xAC \xF0\x9F\x8E\x9B",
     "Br\xC3\xBC"
     "cke \xE2\x82\xAC \xF0\x9F\x8E\x9B"},
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
    {"\xC3", R},
    {"x\xF8\x88\x80\x80\x80", "x" + R + R + R + R + R},
};

} // namespace

TEST(ValidUtf8, ReplacesEachIllFormedSubpart)
{
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(ValidUtf8(c.in), c.out);
  }
}

// The file writer cleans names its own way too; both must agree, so that the name stored is the
// name the editor showed.
TEST(ValidUtf8, AgreesWithTheFileWriter)
{
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.in);
    const auto text = FormatUserPresetFile({}, c.in);
    ASSERT_TRUE(text);
    const auto read = ParseUserPresetFile(*text);
    ASSERT_TRUE(read && read->name);
    EXPECT_EQ(*read->name, ValidUtf8(c.in));
  }
}

TEST(FirstCharacters, CutsBetweenCharacters)
{
  const std::string mixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\x9B"
                            "b"; // 1, 2, 3, 4 and 1 bytes
  const struct
  {
    std::size_t n;
    std::string out;
  } cases[] = {
      {0, ""},
      {1, "a"},
      {2, "a\xC3\xA9"},
      {3, "a\xC3\xA9\xE2\x82\xAC"},
      {4, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\x9B"},
      {5, mixed},
      {99, mixed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(FirstCharacters(mixed, c.n), c.out);
  }
}

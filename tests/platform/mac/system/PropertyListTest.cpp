// Reading property lists: a description's forms; malformed and too deep text refused (more in fuzz/).
#include "platform/mac/system/PropertyList.h"

#include <gtest/gtest.h>

#include <string>

namespace plugin::sys {
namespace {

std::string Nested(int depth)
{
  std::string open, close;
  for (int i = 0; i < depth; ++i)
    open += "<array>", close += "</array>";
  return "<plist>" + open + close + "</plist>";
}

// A description reads, a repeated key keeping its last value; malformed text is refused, and so
// are every cut of the description and nesting past the bound (without running the stack out).
TEST(PropertyList, ReadsADescriptionAndRefusesMalformedOrTooDeepText)
{
  const std::string text =
      "<?xml version=\"1.0\"?>\n<!DOCTYPE plist SYSTEM \"x.dtd\">\n<!-- c -->\n<plist version=\"1.0\">"
      "<dict><key>a</key><integer>1</integer><key>b</key><array><real>2</real><dict/></array>\n"
      "<key>a</key> <real> -2.5e1 </real></dict></plist>\n";
  const auto value = ParsePropertyList(text);
  ASSERT_TRUE(value && value->ValueForKey("b") && value->ValueForKey("b")->Count() == 2);
  EXPECT_EQ(value->ValueForKey("a")->Number(), -25.0);
  for (std::size_t n = 0; n + 1 < text.size(); ++n)
    EXPECT_FALSE(ParsePropertyList(std::string_view(text).substr(0, n))) << n;
  // clang-format off
  const char* cases[] = {"", "<plist/>", "<dict/>", "<plist><dict></array></plist>",
      "<plist><dict><key>a</key></dict></plist>", "<plist><dict><real>1</real></dict></plist>",
      "<plist><real>12px</real></plist>", "<plist><data>AAAA</data></plist>", "<!-- <plist><dict/></plist>",
      "<plist><string>&#xD800;</string></plist>", "<plist><string>&bogus;</string></plist>",
      "<plist><dict/><dict/></plist>", "<plist><dict/></plist>x"};
  // clang-format on
  for (const char* bad : cases)
    EXPECT_FALSE(ParsePropertyList(bad)) << bad;
  EXPECT_TRUE(ParsePropertyList(Nested(kMaxPropertyListDepth)));
  EXPECT_FALSE(ParsePropertyList(Nested(kMaxPropertyListDepth + 1)));
  EXPECT_FALSE(ParsePropertyList(Nested(100000)));
}

} // namespace
} // namespace plugin::sys

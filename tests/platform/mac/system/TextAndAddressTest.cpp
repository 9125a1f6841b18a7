#include "framework/text/UnicodeCodec.h"
#include "platform/mac/system/CharacterSet.h"
#include "platform/mac/system/TextEncoding.h"
#include "platform/mac/system/Url.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace plugin::sys {
namespace {

TEST(TextEncoding, IntValueReadsLikeTheStringClass)
{
  const std::pair<std::u16string, int> cases[] = {
      {u"42", 42},
      {u"  -12x", -12},
      {u"+7", 7},
      {u"", 0},
      {u"abc", 0},
      {u"-", 0},
      {u"1.9", 1},
      {u"\t\n 3", 3},
      {u"99999999999", INT_MAX},
      {u"-99999999999999999999", INT_MIN},
      {u"2147483647", INT_MAX},
      {u"-2147483648", INT_MIN},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(Utf16IntValue(text), value) << text::Utf16ToUtf8(text);
}

TEST(CharacterSet, ExplicitSetsAndTheLettersAndDigitsOfEveryScript)
{
  const CharacterSet digits = CharacterSet::WithCharactersInString(u"0123456789-+.");
  for (char16_t c : std::u16string_view(u"09-+."))
    EXPECT_TRUE(digits.IsMember(c)) << int(c);
  for (char16_t c : std::u16string_view(u"a ,e"))
    EXPECT_FALSE(digits.IsMember(c)) << int(c);
  EXPECT_FALSE(CharacterSet().IsMember(u'0'));

  const CharacterSet alnum = CharacterSet::Alphanumerics();
  const std::pair<char16_t, bool> cases[] = {
      {u'a', true},    {u'Z', true},    {u'7', true},    {u'!', false},   {u' ', false},
      {0x00e9, true},  {0x03b1, true},  {0x4e2d, true},  {0x0660, true}, // Arabic-Indic zero
      {0xf704, false}, {0xd83c, false}, {0x2603, false}, {0x0019, false},
  };
  for (const auto& [c, member] : cases)
    EXPECT_EQ(alnum.IsMember(c), member) << std::hex << int(c);
}

TEST(Url, TextsThatFormAnAddressAndThoseThatDoNot)
{
  const std::pair<const char*, const char*> cases[] = {
      // text, scheme ("" relative; nullptr: no address)
      {"https://example.org/a?b=1#c", "https"},
      {"HTTP://x", "http"},
      {"mailto:a@b.c", "mailto"},
      {"see http://x", nullptr}, // a blank
      {"https://x/%zz", nullptr},
      {"https://x/%4", nullptr},
      {"https://x/%41", "https"},
      {"https://x/\xc3\xa9", nullptr},
      {"https://x/{a}", nullptr},
      {"relative/page", ""},
      {"1http:x", ""}, // a scheme starts with a letter
      {"", nullptr},
  };
  for (const auto& [text, scheme] : cases) {
    const auto url = Url::WithString(text);
    ASSERT_EQ(url.has_value(), scheme != nullptr) << text;
    if (!url) continue;
    EXPECT_EQ(url->Scheme(), scheme) << text;
    EXPECT_EQ(url->AbsoluteString(), text);
    EXPECT_EQ(url->Path(), "") << text; // only file addresses have a path here
  }
}

TEST(Url, FileAddressesEncodeTheirPathAndDecodeItBack)
{
  const std::string folder = std::filesystem::temp_directory_path().string();
  const struct
  {
    std::string path, text, back;
  } cases[] = {
      {"/a b/c%d.txt", "file:///a%20b/c%25d.txt", "/a b/c%d.txt"},
      {"/x/\xc3\xa9?#", "file:///x/%C3%A9%3F%23", "/x/\xc3\xa9?#"},
      {"/", "file:///", "/"},
      {folder, "file://" + folder + "/", folder}, // an existing folder gets its '/'
  };
  for (const auto& c : cases) {
    const auto url = Url::FileUrlWithPath(c.path);
    ASSERT_TRUE(url) << c.path;
    EXPECT_EQ(url->AbsoluteString(), c.text);
    EXPECT_TRUE(url->IsFileUrl());
    EXPECT_EQ(url->Path(), c.back);
    EXPECT_EQ(Url::WithString(url->AbsoluteString()), url); // its text forms the same address again
  }
  EXPECT_FALSE(Url::FileUrlWithPath(""));
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(Url::FileUrlWithPath("rel.txt")->Path(), (cwd == "/" ? "" : cwd) + "/rel.txt");
  EXPECT_EQ(Url::WithString("file://localhost/a/b/")->Path(), "/a/b");
}

} // namespace
} // namespace plugin::sys

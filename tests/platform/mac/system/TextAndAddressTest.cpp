#include "platform/mac/system/CharacterSet.h"
#include "platform/mac/system/TextEncoding.h"
#include "platform/mac/system/Url.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace plugin::sys {
namespace {

TEST(TextEncoding, MalformedUtf8BecomesOneReplacementPerFault)
{
  const struct
  {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"a\xc3\xa9", u"a\u00e9"},
      {"\xe2\x82\xac", u"\u20ac"},
      {"\xf0\x9f\x8e\xb5", u"\U0001f3b5"}, // a pair of surrogates
      {"\x80z", u"\ufffdz"},               // stray continuation byte
      {"\xc3", u"\ufffd"},                 // cut short at the end
      {"\xe2\x82z", u"\ufffdz"},           // cut short before an ASCII byte
      {"\xc0\xaf", u"\ufffd"},             // overlong "/"
      {"\xed\xa0\x80", u"\ufffd"},         // an encoded surrogate
      {"\xf4\x90\x80\x80", u"\ufffd"},     // past U+10FFFF
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
}

TEST(TextEncoding, Utf16BackToUtf8KeepsPairsAndReplacesLoneHalves)
{
  const struct
  {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {u"\U0001f3b5x", "\xf0\x9f\x8e\xb5x"},
      {std::u16string(1, char16_t(0xd83c)), "\xef\xbf\xbd"},
      {std::u16string{char16_t(0xdfb5), char16_t(0xd83c)}, "\xef\xbf\xbd\xef\xbf\xbd"}, // reversed pair
      {u"\u07ff\u0800", "\xdf\xbf\xe0\xa0\x80"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8);
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(c.utf8)), c.utf8); // valid UTF-8 survives the round trip
  }
}

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
    EXPECT_EQ(Utf16IntValue(text), value) << Utf8FromUtf16(text);
}

TEST(CharacterSet, ExplicitSetsAndTheLettersAndDigitsOfEveryScript)
{
  CharacterSet digits = CharacterSet::WithCharactersInString(u"0123456789-+");
  digits.AddCharactersInString(u".");
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

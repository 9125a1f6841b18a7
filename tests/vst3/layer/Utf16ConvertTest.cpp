#include "vst3/layer/Utf16Convert.h"

#include <gtest/gtest.h>

using namespace plugin::layer;

TEST(Utf16Convert, NonAsciiRoundTrip)
{
  const std::string texts[] = {"\xCE\xBC-Diff", "Caf\xC3\xA9", "\xE2\x82\xAC 5", "\xF0\x9F\x8E\xB9 keys", ""};
  for (const auto& text : texts) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  }
  EXPECT_EQ(Utf8ToUtf16("\xCE\xBC-Diff"), u"\u03BC-Diff");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x8E\xB9"), std::u16string(u"\U0001F3B9"));
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x8E\xB9").size(), 2u);
}

TEST(Utf16Convert, MalformedInputBecomesReplacement)
{
  EXPECT_EQ(Utf8ToUtf16("a\x80z"), u"a\uFFFDz");                           // stray continuation byte
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");                     // overlong '/'
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");           // encoded surrogate
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");                     // cut sequence at the end
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD"); // beyond U+10FFFF
  EXPECT_EQ(Utf16ToUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");                   // lone high surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD");
  const std::string withNul("a\0b", 3);
  EXPECT_EQ(Utf8ToUtf16(withNul).size(), 3u);
}

TEST(Utf16Convert, BufferFormsCutAtWholeCodePoints)
{
  char16_t wide[4];
  // "μμμμ" needs 4 units + terminator: only 3 fit.
  EXPECT_EQ(Utf8ToUtf16("\xCE\xBC\xCE\xBC\xCE\xBC\xCE\xBC", wide, 4), 3);
  EXPECT_EQ(std::u16string(wide), u"\u03BC\u03BC\u03BC");
  // A surrogate pair never gets split: "a" + pair needs 3 units + terminator.
  EXPECT_EQ(Utf8ToUtf16("a\xF0\x9F\x8E\xB9", wide, 3), 1);
  EXPECT_EQ(std::u16string(wide), u"a");

  char narrow[4];
  // "μμ" is 4 bytes: with a 4-byte buffer only one fits whole.
  EXPECT_EQ(Utf16ToUtf8(u"\u03BC\u03BC", narrow, 4), 2);
  EXPECT_STREQ(narrow, "\xCE\xBC");
  EXPECT_EQ(Utf16ToUtf8(u"abc", narrow, 1), 0);
  EXPECT_STREQ(narrow, "");

  // Nothing is written for an empty or missing buffer.
  EXPECT_EQ(Utf8ToUtf16("abc", nullptr, 10), 0);
  wide[0] = u'Z';
  EXPECT_EQ(Utf8ToUtf16("abc", wide, 0), 0);
  EXPECT_EQ(wide[0], u'Z');
  EXPECT_EQ(Utf16ToUtf8(u"abc", narrow, -5), 0);
}

TEST(Utf16Convert, ViewOfFixedBufferStopsAtCapacity)
{
  const char16_t full[3] = {u'a', u'b', u'c'}; // no terminator inside the buffer
  EXPECT_EQ(Utf16View(full, 3), u"abc");
  const char16_t shorter[5] = {u'a', 0, u'x', u'y', 0};
  EXPECT_EQ(Utf16View(shorter, 5), u"a");
  EXPECT_TRUE(Utf16View(nullptr, 5).empty());
}

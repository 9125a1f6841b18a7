#include "framework/text/UnicodeCodec.h"

#include <gtest/gtest.h>

#include <string>

using namespace plugin::text;

namespace {

const std::u16string R = u"\uFFFD";

} // namespace

// UTF-8 in, UTF-16 out: one U+FFFD per maximal ill-formed subpart; the byte that broke a sequence
// starts the next one. ValidUtf8 gives the same text in UTF-8.
TEST(UnicodeCodec, Utf8DecodingReplacesEachMaximalSubpart)
{
  const struct
  {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"", u""},
      {"a\xC3\xA9", u"a\u00E9"},
      {"\xCE\xBC-Diff", u"\u03BC-Diff"},
      {"\xDF\xBF\xE0\xA0\x80", u"\u07FF\u0800"}, // the two- and three-byte boundaries
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xEF\xBF\xBD", R},                                  // a real U+FFFD is well formed
      {"\xF0\x9F\x8E\xB9", u"\U0001F3B9"},                  // a surrogate pair
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},                  // the last code point
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)}, // NUL is a character
      {"\xE2\x82", R},                                      // cut at the end
      {"\xE2\x82z", R + u"z"},                              // cut before ASCII
      {"\xC3", R},
      {"\xF0\x9F\x8E", R},
      {"\xF0\x9F\x8E\xC3\xBC", R + u"\u00FC"}, // cut before a whole character
      {"\xED\xA0\x80", R + R + R},             // an encoded surrogate
      {"\xC0\xAF", R + R},                     // overlong "/"
      {"\xE0\x80\xAF", R + R + R},             // overlong three-byte form
      {"\xE0\x9F\xBF", R + R + R},
      {"\xF0\x8F\xBF\xBF", R + R + R + R}, // overlong four-byte form
      {"\xF4\x90\x80\x80", R + R + R + R}, // past U+10FFFF
      {"\xF5\x80", R + R},                 // no lead byte from F5 on
      {"a\x80z", u"a" + R + u"z"},         // stray continuation bytes
      {"\x80\x80", R + R},
      {"a\xFF"
       "b",
       u"a" + R + u"b"},
      {"\xED\xA0\x80\xC0\xAF", R + R + R + R + R},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.utf8));
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
    EXPECT_EQ(ValidUtf8(c.utf8), Utf16ToUtf8(c.utf16));
    EXPECT_EQ(Utf8ToUtf16(ValidUtf8(c.utf8)), c.utf16); // clean text stays as it is
  }
}

// UTF-16 in, UTF-8 out: pairs join, a surrogate without its partner becomes U+FFFD.
TEST(UnicodeCodec, Utf16DecodingReplacesLoneSurrogates)
{
  const struct
  {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {u"\U0001F3B5x", "\xF0\x9F\x8E\xB5x"},
      {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
      {u"x\xD800y", "x\xEF\xBF\xBDy"},                                                  // lone high
      {std::u16string(1, char16_t(0xDC00)), "\xEF\xBF\xBD"},                            // lone low
      {std::u16string{char16_t(0xDFB5), char16_t(0xD83C)}, "\xEF\xBF\xBD\xEF\xBF\xBD"}, // reversed pair
      {std::u16string{char16_t(0xD83C), char16_t(0xD83C), char16_t(0xDFB5)}, "\xEF\xBF\xBD\xF0\x9F\x8E\xB5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.utf8));
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(c.utf8)), c.utf8); // valid UTF-8 survives the round trip
  }
}

TEST(UnicodeCodec, StepsReportLengthAndWellFormedness)
{
  const struct
  {
    std::string utf8;
    std::size_t at;
    char32_t codePoint;
    std::size_t length;
    bool wellFormed;
  } cases[] = {
      {"a\xE2\x82\xAC", 1, 0x20AC, 3, true}, {"\xE2\x82", 0, 0xFFFD, 2, false},
      {"\xED\xA0\x80", 0, 0xFFFD, 1, false}, {"\xF4\x90", 1, 0xFFFD, 1, false},
      {"\xEF\xBF\xBD", 0, 0xFFFD, 3, true},  {"ab", 2, 0xFFFD, 0, false},
  };
  for (const auto& c : cases) {
    const Decoded d = DecodeUtf8(c.utf8, c.at);
    EXPECT_EQ(static_cast<uint32_t>(d.codePoint), static_cast<uint32_t>(c.codePoint))
        << testing::PrintToString(c.utf8);
    EXPECT_EQ(d.length, c.length) << testing::PrintToString(c.utf8);
    EXPECT_EQ(d.wellFormed, c.wellFormed) << testing::PrintToString(c.utf8);
  }
  EXPECT_EQ(DecodeUtf16(u"\U0001F3B9", 0).length, 2u);
  EXPECT_FALSE(DecodeUtf16(u"\xD800", 0).wellFormed);
  EXPECT_EQ(DecodeUtf16(u"a", 1).length, 0u);
}

TEST(UnicodeCodec, EncodingByValue)
{
  const struct
  {
    char32_t cp;
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {0x41, "A", u"A"},
      {0x7FF, "\xDF\xBF", u"\u07FF"},
      {0xD800, "\xED\xA0\x80", std::u16string(1, char16_t(0xD800))}, // a lone unit encodes by itself
      {0x10FFFF, "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {0x110000, "\xEF\xBF\xBD", R}, // past the last code point
  };
  for (const auto& c : cases) {
    char bytes[4];
    char16_t units[2];
    EXPECT_EQ(std::string(bytes, EncodeUtf8(c.cp, bytes)), c.utf8) << static_cast<uint32_t>(c.cp);
    EXPECT_EQ(std::u16string(units, EncodeUtf16(c.cp, units)), c.utf16) << static_cast<uint32_t>(c.cp);
  }
}

TEST(UnicodeCodec, BufferFormsCutAtWholeCharacters)
{
  char16_t wide[4];
  // "μμμμ" needs 4 units and the terminator: 3 fit.
  EXPECT_EQ(Utf8ToUtf16("\xCE\xBC\xCE\xBC\xCE\xBC\xCE\xBC", wide, 4), 3);
  EXPECT_EQ(std::u16string(wide), u"\u03BC\u03BC\u03BC");
  // A surrogate pair is never split.
  EXPECT_EQ(Utf8ToUtf16("a\xF0\x9F\x8E\xB9", wide, 3), 1);
  EXPECT_EQ(std::u16string(wide), u"a");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82z", wide, 4), 2);
  EXPECT_EQ(std::u16string(wide), R + u"z");

  char narrow[4];
  EXPECT_EQ(Utf16ToUtf8(u"\u03BC\u03BC", narrow, 4), 2); // 4 bytes do not fit with the terminator
  EXPECT_STREQ(narrow, "\xCE\xBC");
  EXPECT_EQ(Utf16ToUtf8(u"abc", narrow, 1), 0);
  EXPECT_STREQ(narrow, "");

  // Nothing is written for a missing or empty buffer.
  EXPECT_EQ(Utf8ToUtf16("abc", nullptr, 10), 0);
  wide[0] = u'Z';
  EXPECT_EQ(Utf8ToUtf16("abc", wide, 0), 0);
  EXPECT_EQ(wide[0], u'Z');
  EXPECT_EQ(Utf16ToUtf8(u"abc", narrow, -5), 0);
}

TEST(UnicodeCodec, ViewOfAFixedBufferStopsAtItsCapacity)
{
  const char16_t full[3] = {u'a', u'b', u'c'}; // no terminator inside the buffer
  EXPECT_EQ(Utf16View(full, 3), u"abc");
  const char16_t shorter[5] = {u'a', 0, u'x', u'y', 0};
  EXPECT_EQ(Utf16View(shorter, 5), u"a");
  EXPECT_TRUE(Utf16View(nullptr, 5).empty());
  EXPECT_TRUE(Utf16View(full, 0).empty());
}

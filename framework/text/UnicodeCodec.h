#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The one UTF-8 / UTF-16 codec of the project. Decoding replaces each maximal subpart of an
// ill-formed sequence with one U+FFFD, as the Unicode Standard recommends ("\xE2\x82" gives one,
// "\xED\xA0\x80" three, "\xC0\xAF" two, "\xF4\x90\x80\x80" four); a UTF-16 surrogate without its
// partner decodes to U+FFFD. Callers put their own rules (length limits, cuts) on top.
// Pure functions, any thread; the functions returning strings allocate, the others never do.
namespace plugin::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;
inline constexpr char32_t kLastCodePoint = 0x10FFFF;

// True for the UTF-16 surrogate code points U+D800 to U+DFFF.
constexpr bool IsSurrogate(char32_t c) noexcept
{
  return c >= 0xD800 && c <= 0xDFFF;
}

// One decoded character: its code point (U+FFFD for an ill-formed sequence), the code units it
// took, and whether they were well formed.
struct Decoded
{
  char32_t codePoint = kReplacementCharacter;
  std::size_t length = 0;
  bool wellFormed = false;
};

// The character at text[at]: a well-formed sequence gives its scalar value; otherwise U+FFFD and
// the length of the maximal subpart there (at least one byte). Past the end: length 0.
Decoded DecodeUtf8(std::string_view text, std::size_t at) noexcept;

// The character at text[at]: a surrogate pair gives its scalar value (two units), a lone
// surrogate U+FFFD (one unit). Past the end: length 0.
Decoded DecodeUtf16(std::u16string_view text, std::size_t at) noexcept;

// Writes cp as UTF-8 (1 to 4 bytes) and returns the byte count. Values up to U+10FFFF are encoded
// by their bits (a surrogate, which no decoder here yields, as three bytes, for the callers whose
// rule encodes a lone unit by itself); larger values give U+FFFD.
int EncodeUtf8(char32_t cp, char out[4]) noexcept;

// Writes cp as UTF-16 (one unit, or a surrogate pair above U+FFFF) and returns the unit count;
// values above U+10FFFF give U+FFFD.
int EncodeUtf16(char32_t cp, char16_t out[2]) noexcept;

// Appends cp as EncodeUtf8 writes it.
void AppendUtf8(std::string& out, char32_t cp);

// Whole-text conversions; embedded NULs are characters like any other.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// The text as well-formed UTF-8: well-formed sequences kept, ill-formed subparts as U+FFFD.
std::string ValidUtf8(std::string_view text);

// Fixed-buffer forms: write src NUL-terminated into dst (capacity units, terminator included),
// cut after the last whole character that fits (never half a pair or half a sequence). Return
// the units written without the terminator; a null dst or capacity <= 0 writes nothing, 0.
int Utf8ToUtf16(std::string_view src, char16_t* dst, int capacity) noexcept;
int Utf16ToUtf8(std::u16string_view src, char* dst, int capacity) noexcept;

// The text of a fixed buffer: up to its first NUL or capacity units, whichever comes first.
std::u16string_view Utf16View(const char16_t* text, int capacity) noexcept;

} // namespace plugin::text

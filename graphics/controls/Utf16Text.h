#pragma once

#include <cstddef>
#include <string>

// Conversions between the UTF-8 the toolkit passes around and the UTF-16 the text entry edits.
// Pure functions; any thread.

namespace plugin::ui {

// The replacement character that stands for anything that cannot be decoded.
inline constexpr char32_t kReplacementChar = 0xFFFD;

// UTF-16 of a UTF-8 string: characters beyond the BMP become surrogate pairs; every byte that does
// not start a valid sequence (stray continuation bytes, truncated or overlong sequences, encoded
// surrogates, values past U+10FFFF) becomes U+FFFD. Null gives "".
std::u16string Utf8ToUtf16(const char* utf8);
// UTF-8 of n UTF-16 units; a surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(const char16_t* text, size_t n);
inline std::string Utf16ToUtf8(const std::u16string& text)
{
  return Utf16ToUtf8(text.data(), text.size());
}

// The character of a key's UTF-8 text: -1 for no text; the value of the first byte for a
// malformed sequence; '_' for a lead byte announcing more than four bytes.
int DecodeKeyCharacter(const char* utf8);

} // namespace plugin::ui

#pragma once

#include <string>
#include <string_view>

// Conversions between the UTF-8 texts of the C++ side and the UTF-16 strings of the system's
// string class, and the string class's number reading. Pure; any thread; allocates.
namespace plugin::sys {

// Appends code point cp as UTF-8 (1 to 4 bytes); the caller passes a valid scalar value.
void AppendUtf8(std::string& out, char32_t cp);

// UTF-8 as UTF-16. Every malformed sequence (stray continuation byte, truncated or overlong
// form, encoded surrogate, value past U+10FFFF) becomes one U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);

// UTF-16 as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view utf16);

// The string class's integer reading: leading blanks skipped, an optional sign, then decimal
// digits up to the first other unit; 0 when there are none; saturated at the int range.
int Utf16IntValue(std::u16string_view text) noexcept;

} // namespace plugin::sys

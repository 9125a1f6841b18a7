#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plugin::layer {

// UTF-8 <-> UTF-16 conversion for the texts that cross the host interface (names, units, values).
// Malformed input (stray continuation bytes, overlong forms, surrogates encoded in UTF-8,
// unpaired UTF-16 surrogates) becomes U+FFFD; nothing throws, nothing allocates in the
// buffer forms. Any thread.

// Writes src as NUL-terminated UTF-16 into dst, which holds `capacity` units including the
// terminator; cuts at a whole code point (never half a surrogate pair). Returns the units
// written without the terminator; capacity <= 0 or a null dst writes nothing and returns 0.
int Utf8ToUtf16(std::string_view src, char16_t* dst, int capacity) noexcept;

// Writes src as NUL-terminated UTF-8 into dst (`capacity` bytes including the terminator);
// cuts at a whole code point. Returns the bytes written without the terminator.
int Utf16ToUtf8(std::u16string_view src, char* dst, int capacity) noexcept;

// Whole-string forms.
std::u16string Utf8ToUtf16(std::string_view src);
std::string Utf16ToUtf8(std::u16string_view src);

// The text of a fixed host buffer: up to the first NUL or `capacity` units, whichever is first.
std::u16string_view Utf16View(const char16_t* text, int capacity) noexcept;

} // namespace plugin::layer

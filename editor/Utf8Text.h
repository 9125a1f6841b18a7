#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 clean-up for texts the user types or a file supplies before they are shown or stored.
// Pure functions; any thread; they allocate only their result.

namespace plugin::ui {

// The text with every ill-formed UTF-8 sequence replaced by U+FFFD, one replacement per maximal
// ill-formed subpart (so a truncated three-byte sequence gives one U+FFFD, a stray continuation
// byte one each). Surrogates and code points above U+10FFFF count as ill-formed.
std::string ValidUtf8(std::string_view text);

// The first maxChars characters of valid UTF-8 text, never splitting a character.
std::string FirstCharacters(std::string_view text, std::size_t maxChars);

} // namespace plugin::ui

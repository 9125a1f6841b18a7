#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Cutting UTF-8 text for display. Pure; any thread; allocates only its result.

namespace plugin::ui {

// The first maxChars characters of the text, never splitting a character; each ill-formed
// subpart counts as one character, as the codec replaces it.
std::string FirstCharacters(std::string_view text, std::size_t maxChars);

} // namespace plugin::ui

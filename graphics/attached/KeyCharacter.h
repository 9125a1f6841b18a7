#pragma once

// The character a key press types, as the text entry reads it. Pure; any thread.

namespace plugin::ui {

// The character of a key's UTF-8 text: -1 for no text; the value of the first byte for a
// malformed sequence; '_' for a lead byte announcing more than four bytes.
int DecodeKeyCharacter(const char* utf8);

} // namespace plugin::ui

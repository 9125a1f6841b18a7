#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelmo::editor {

// A key of the keyboard as the system reports it: its hardware key code and the character it
// types without modifiers.
struct KeyStroke
{
  std::uint16_t keyCode = 0;
  char16_t character = 0;
};

// The keys a script names, for those that type no printable character or a blank: "space",
// "Return", "Escape", "Tab", "Backspace", "Left", "Right", "Up", "Down" (any case). None for
// another name.
std::optional<KeyStroke> NamedKey(const std::string& name);

// The names NamedKey knows, separated by ", " (for messages and help).
const char* NamedKeyList() noexcept;

} // namespace kelmo::editor

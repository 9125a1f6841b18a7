#pragma once

#include <string>
#include <string_view>

// A set of UTF-16 units: either the units of a string, or the letters and digits of every script
// by the system's character classes. Value type; any thread.
namespace plugin::sys {

class CharacterSet
{
public:
  // The empty set.
  CharacterSet() = default;

  // The set of the units of chars.
  static CharacterSet WithCharactersInString(std::u16string_view chars);

  // Letters and digits of every script (ASCII and beyond).
  static CharacterSet Alphanumerics();

  bool IsMember(char16_t unit) const noexcept;

private:
  bool mAlphanumerics = false;
  std::u16string mUnits; // sorted, unique
};

} // namespace plugin::sys

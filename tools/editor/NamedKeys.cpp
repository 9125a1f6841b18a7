#include "tools/editor/NamedKeys.h"

#include <array>
#include <strings.h>

namespace kelmo::editor {

namespace {

struct NamedKeyEntry
{
  const char* name;
  KeyStroke stroke;
};

// The hardware codes of the platform's keyboard; the arrows type the private-use characters the
// platform gives them.
constexpr std::array<NamedKeyEntry, 9> kNamedKeys = {{
    {"space", {49, u' '}},
    {"Return", {36, u'\r'}},
    {"Escape", {53, u'\x1b'}},
    {"Tab", {48, u'\t'}},
    {"Backspace", {51, u'\x7f'}},
    {"Left", {123, u'\xF702'}},
    {"Right", {124, u'\xF703'}},
    {"Up", {126, u'\xF700'}},
    {"Down", {125, u'\xF701'}},
}};

} // namespace

std::optional<KeyStroke> NamedKey(const std::string& name)
{
  for (const NamedKeyEntry& entry : kNamedKeys)
    if (::strcasecmp(entry.name, name.c_str()) == 0) return entry.stroke;
  return std::nullopt;
}

const char* NamedKeyList() noexcept
{
  return "space, Return, Escape, Tab, Backspace, Left, Right, Up, Down";
}

} // namespace kelmo::editor

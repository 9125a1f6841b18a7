#include "platform/mac/MacKeyTranslation.h"

#include "platform/mac/system/CharacterSet.h"

#include <array>
#include <utility>

namespace plugin::ui {

namespace {

// Hardware keys with a fixed virtual key: keypad, function, navigation and editing keys.
constexpr std::array<std::pair<std::uint16_t, int>, 45> kFixedKeys = {{
    {51, 8},    {65, 110},  {67, 106},  {69, 107},  {71, 144},  {75, 111},  {76, 0x800D}, {78, 109},
    {81, 108},  {82, 96},   {83, 97},   {84, 98},   {85, 99},   {86, 100},  {87, 101},    {88, 102},
    {89, 103},  {91, 104},  {92, 105},  {122, 112}, {120, 113}, {99, 114},  {118, 115},   {96, 116},
    {97, 117},  {98, 118},  {100, 119}, {101, 120}, {109, 121}, {103, 122}, {111, 123},   {105, 124},
    {107, 125}, {113, 126}, {106, 127}, {114, 45},  {115, 36},  {119, 35},  {116, 33},    {121, 34},
    {117, 46},  {123, 37},  {124, 39},  {125, 40},  {126, 38},
}};

int ModifierFlags(unsigned long modifiers) noexcept
{
  int flags = 0;
  if (modifiers & sys::kEventModifierShift) flags |= kMacKeyShift;
  if (modifiers & sys::kEventModifierCommand) flags |= kMacKeyCommand;
  if (modifiers & sys::kEventModifierOption) flags |= kMacKeyOption;
  if (modifiers & sys::kEventModifierControl) flags |= kMacKeyControl;
  return flags;
}

bool IsSurrogate(char16_t unit) noexcept
{
  return unit >= 0xD800 && unit <= 0xDFFF;
}

} // namespace

int TranslateMacKeyEvent(const sys::Event& event, int& flags) noexcept
{
  flags |= ModifierFlags(event.modifierFlags);
  for (const auto& [keyCode, code] : kFixedKeys) {
    if (keyCode == event.keyCode) {
      flags |= kMacKeyVirtual;
      return code;
    }
  }
  const auto& chars = event.charactersIgnoringModifiers;
  if (!chars || chars->empty()) {
    flags |= kMacKeyVirtual;
    return event.keyCode + 1024;
  }
  int c = (*chars)[0];
  if (c >= 0xF704 && c <= 0xF71B) { // the function keys' private-use characters, F1 = 0xF704
    flags |= kMacKeyVirtual;
    return c - 0xF694;
  }
  if (c >= 'a' && c <= 'z') c -= 32;
  // Shift-Tab types character 25; with Command it is read as Tab.
  if (c == 25 && (flags & (kMacKeyVirtual | 2 | kMacKeyCommand))) c = 9;
  if (sys::CharacterSet::Alphanumerics().IsMember(static_cast<char16_t>(c))) {
    flags |= kMacKeyVirtual;
    return c;
  }
  if (c == 9 || c == 10 || c == 13 || c == 27 || c == 32) {
    flags |= kMacKeyVirtual;
    return c;
  }
  flags &= ~kMacKeyShift; // a shifted character carries its shift already
  return c;
}

void MacKeyText(const sys::Event& event, char (&out)[5]) noexcept
{
  out[0] = out[1] = out[2] = out[3] = out[4] = 0;
  const auto& chars = event.charactersIgnoringModifiers;
  if (!chars || chars->size() != 1) return;
  const char16_t c = (*chars)[0];
  // Half a surrogate pair names no character.
  if (IsSurrogate(c)) return;
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
  } else if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
  }
}

IKeyPress MacKeyPress(const sys::Event& event) noexcept
{
  int flags = 0;
  const int code = TranslateMacKeyEvent(event, flags);
  IKeyPress press;
  press.mVKey = (flags & kMacKeyVirtual) ? code : 0;
  MacKeyText(event, press.mUtf8);
  press.mShift = (flags & kMacKeyShift) != 0;
  press.mCtrl = (flags & kMacKeyCommand) != 0;
  press.mAlt = (flags & kMacKeyOption) != 0;
  return press;
}

} // namespace plugin::ui

#include "platform/mac/MacKeyTranslation.h"

#include "framework/queues/VirtualKeys.h"
#include "framework/text/UnicodeCodec.h"
#include "platform/mac/system/CharacterSet.h"

#include <array>
#include <utility>

namespace plugin::ui {

namespace {

// Hardware keys (the platform's key codes) with a fixed virtual key: keypad, function,
// navigation and editing keys.
constexpr std::array<std::pair<std::uint16_t, int>, 45> kFixedKeys = {{
    {51, vkey::kBack},      {65, vkey::kDecimal}, {67, vkey::kMultiply},    {69, vkey::kAdd},
    {71, vkey::kNumLock},   {75, vkey::kDivide},  {76, vkey::kKeypadEnter}, {78, vkey::kSubtract},
    {81, vkey::kSeparator}, {82, vkey::kNumpad0}, {83, vkey::kNumpad1},     {84, vkey::kNumpad2},
    {85, vkey::kNumpad3},   {86, vkey::kNumpad4}, {87, vkey::kNumpad5},     {88, vkey::kNumpad6},
    {89, vkey::kNumpad7},   {91, vkey::kNumpad8}, {92, vkey::kNumpad9},     {122, vkey::kF1},
    {120, vkey::kF2},       {99, vkey::kF3},      {118, vkey::kF4},         {96, vkey::kF5},
    {97, vkey::kF6},        {98, vkey::kF7},      {100, vkey::kF8},         {101, vkey::kF9},
    {109, vkey::kF10},      {103, vkey::kF11},    {111, vkey::kF12},        {105, vkey::kF13},
    {107, vkey::kF14},      {113, vkey::kF15},    {106, vkey::kF16},        {114, vkey::kInsert},
    {115, vkey::kHome},     {119, vkey::kEnd},    {116, vkey::kPageUp},     {121, vkey::kPageDown},
    {117, vkey::kDelete},   {123, vkey::kLeft},   {124, vkey::kRight},      {125, vkey::kDown},
    {126, vkey::kUp},
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
  // The function keys type private-use characters from U+F704 (F1) on.
  constexpr int kF1Character = 0xF704;
  if (c >= kF1Character && c <= 0xF71B) {
    flags |= kMacKeyVirtual;
    return vkey::kF1 + (c - kF1Character);
  }
  if (c >= 'a' && c <= 'z') c -= 32;
  // Shift-Tab types character 25; with Command it is read as Tab.
  // Flag bit 2 has no name and nothing here sets it; it is kept in the test for callers' flags.
  constexpr int kShiftTabCharacter = 25;
  if (c == kShiftTabCharacter && (flags & (kMacKeyVirtual | 2 | kMacKeyCommand))) c = vkey::kTab;
  if (sys::CharacterSet::Alphanumerics().IsMember(static_cast<char16_t>(c))) {
    flags |= kMacKeyVirtual;
    return c;
  }
  if (c == vkey::kTab || c == '\n' || c == vkey::kReturn || c == vkey::kEscape || c == vkey::kSpace) {
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
  if (text::IsSurrogate(c)) return;
  text::EncodeUtf8(c, out);
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

#include "vst3/adapter/KeyTranslation.h"

#include "framework/text/UnicodeCodec.h"
#include "vst3/layer/KeyCodes.h"

#include <iterator>
#include <string_view>

namespace plugin::vst3 {

namespace {

// Virtual keys of the host key codes 1 to 56.
// clang-format off
constexpr int32_t kNamedKeys[] = {
    vkey::kBack, vkey::kTab, vkey::kClear, vkey::kReturn, vkey::kPause, vkey::kEscape, vkey::kSpace,
    vkey::kPageDown, vkey::kEnd, vkey::kHome, vkey::kLeft, vkey::kUp, vkey::kRight, vkey::kDown, // next ..
    vkey::kPageUp, vkey::kPageDown, vkey::kSelect, vkey::kPrint, vkey::kReturn /* enter */, vkey::kSnapshot,
    vkey::kInsert, vkey::kDelete, vkey::kHelp,
    vkey::kNumpad0, vkey::kNumpad1, vkey::kNumpad2, vkey::kNumpad3, vkey::kNumpad4, vkey::kNumpad5,
    vkey::kNumpad6, vkey::kNumpad7, vkey::kNumpad8, vkey::kNumpad9,
    vkey::kMultiply, vkey::kAdd, vkey::kSeparator, vkey::kSubtract, vkey::kDecimal, vkey::kDivide,
    vkey::kF1, vkey::kF2, vkey::kF3, vkey::kF4, vkey::kF5, vkey::kF6, vkey::kF7, vkey::kF8, vkey::kF9,
    vkey::kF10, vkey::kF11, vkey::kF12,
    vkey::kNumLock, vkey::kScrollLock,
    vkey::kShift, vkey::kControl, vkey::kAlt,
};
// clang-format on
static_assert(std::size(kNamedKeys) == layer::kKeyAlt, "one virtual key per named key code");

} // namespace

int VirtualKeyOfKeyCode(int keyCode) noexcept
{
  if (keyCode >= layer::kKeyBack && keyCode <= layer::kKeyAlt) return kNamedKeys[keyCode - 1];
  if (keyCode >= layer::kFirstAsciiKey) return keyCode - layer::kAsciiKeyOffset;
  return vkey::kNone;
}

IKeyPress TranslateKey(char16_t key, int16_t keyCode, int16_t modifiers) noexcept
{
  char16_t character = key;
  if (character == 0) {
    if (keyCode == layer::kKeySpace)
      character = u' ';
    else if (keyCode >= layer::kFirstAsciiKey)
      character = static_cast<char16_t>(keyCode - layer::kAsciiKeyOffset);
  }

  IKeyPress press;
  if (character != 0) text::Utf16ToUtf8(std::u16string_view(&character, 1), press.mUtf8, sizeof(press.mUtf8));
  if (keyCode == layer::kKeyNone || keyCode == layer::kKeyEquals)
    press.mVKey = vkey::OfCharacter(press.mUtf8[0]);
  else
    press.mVKey = VirtualKeyOfKeyCode(keyCode);
  press.mShift = (modifiers & layer::kShiftKey) != 0;
  press.mCtrl = (modifiers & layer::kCommandKey) != 0;
  press.mAlt = (modifiers & layer::kAlternateKey) != 0;
  return press;
}

} // namespace plugin::vst3

#include "vst3/adapter/KeyTranslation.h"

#include "vst3/layer/KeyCodes.h"
#include "vst3/layer/Utf16Convert.h"

#include <iterator>
#include <string_view>

namespace plugin::vst3 {

namespace {

// Virtual keys of the host key codes 1 to 56.
constexpr int kNamedKeys[] = {
    0x08, 0x09, 0x0C, 0x0D, 0x13, 0x1B, 0x20,                               // back .. space
    0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,                               // next, end, home, arrows
    0x21, 0x22, 0x29, 0x2A, 0x0D, 0x2C, 0x2D, 0x2E, 0x2F,                   // page up .. help
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,             // keypad digits
    0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,                                     // keypad operators
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, // F1 .. F12
    0x90, 0x91,                                                             // num lock, scroll lock
    0x10, 0x11, 0x12,                                                       // shift, control, alt
};
static_assert(std::size(kNamedKeys) == layer::kKeyAlt, "one virtual key per named key code");

// Virtual key of a character key: digits and capitals as they are, small letters upper-cased.
int VirtualKeyOfText(char c) noexcept
{
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return c;
  if (c >= 'a' && c <= 'z') return c - 32;
  return 0;
}

} // namespace

int VirtualKeyOfKeyCode(int keyCode) noexcept
{
  if (keyCode >= layer::kKeyBack && keyCode <= layer::kKeyAlt) return kNamedKeys[keyCode - 1];
  if (keyCode >= layer::kFirstAsciiKey) return keyCode - layer::kAsciiKeyOffset;
  return 0;
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
  if (character != 0) layer::Utf16ToUtf8(std::u16string_view(&character, 1), press.mUtf8, sizeof(press.mUtf8));
  if (keyCode == layer::kKeyNone || keyCode == layer::kKeyEquals)
    press.mVKey = VirtualKeyOfText(press.mUtf8[0]);
  else
    press.mVKey = VirtualKeyOfKeyCode(keyCode);
  press.mShift = (modifiers & layer::kShiftKey) != 0;
  press.mCtrl = (modifiers & layer::kCommandKey) != 0;
  press.mAlt = (modifiers & layer::kAlternateKey) != 0;
  return press;
}

} // namespace plugin::vst3

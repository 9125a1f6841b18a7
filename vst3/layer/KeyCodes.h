#pragma once

#include <cstdint>

namespace plugin::layer {

// Virtual key codes a host passes to a plug-in view's key events (the `keyCode` argument).
// Codes from kFirstAsciiKey on carry a character: code - 80 is its ASCII value (128 is '0').
enum VirtualKeyCode : int16_t {
  kKeyNone = 0,
  kKeyBack = 1,
  kKeyTab = 2,
  kKeyClear = 3,
  kKeyReturn = 4,
  kKeyPause = 5,
  kKeyEscape = 6,
  kKeySpace = 7,
  kKeyNext = 8,
  kKeyEnd = 9,
  kKeyHome = 10,
  kKeyLeft = 11,
  kKeyUp = 12,
  kKeyRight = 13,
  kKeyDown = 14,
  kKeyPageUp = 15,
  kKeyPageDown = 16,
  kKeySelect = 17,
  kKeyPrint = 18,
  kKeyEnter = 19,
  kKeySnapshot = 20,
  kKeyInsert = 21,
  kKeyDelete = 22,
  kKeyHelp = 23,
  kKeyNumpad0 = 24,
  kKeyNumpad1 = 25,
  kKeyNumpad2 = 26,
  kKeyNumpad3 = 27,
  kKeyNumpad4 = 28,
  kKeyNumpad5 = 29,
  kKeyNumpad6 = 30,
  kKeyNumpad7 = 31,
  kKeyNumpad8 = 32,
  kKeyNumpad9 = 33,
  kKeyMultiply = 34,
  kKeyAdd = 35,
  kKeySeparator = 36,
  kKeySubtract = 37,
  kKeyDecimal = 38,
  kKeyDivide = 39,
  kKeyF1 = 40,
  kKeyF2 = 41,
  kKeyF3 = 42,
  kKeyF4 = 43,
  kKeyF5 = 44,
  kKeyF6 = 45,
  kKeyF7 = 46,
  kKeyF8 = 47,
  kKeyF9 = 48,
  kKeyF10 = 49,
  kKeyF11 = 50,
  kKeyF12 = 51,
  kKeyNumLock = 52,
  kKeyScroll = 53,
  kKeyShift = 54,
  kKeyControl = 55,
  kKeyAlt = 56,
  kKeyEquals = 57, // like code 0: the view takes the key from the event's character
  kFirstAsciiKey = 128,
};

// ASCII value carried by a key code at or above kFirstAsciiKey.
constexpr int kAsciiKeyOffset = 80;

// Modifier bits of a key event (the `modifiers` argument).
enum KeyModifier : int16_t {
  kShiftKey = 1 << 0,
  kAlternateKey = 1 << 1,
  kCommandKey = 1 << 2, // command on macOS, control elsewhere
  kControlKey = 1 << 3, // the physical control key on macOS
};

} // namespace plugin::layer

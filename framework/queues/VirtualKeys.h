#pragma once

#include <cstdint>

// The virtual-key numbers of IKeyPress::mVKey: the Windows virtual-key numbering, the one table
// that the views producing key presses and the controls reading them share.
namespace plugin::vkey {

constexpr int32_t kNone = 0; // the key is only a character
constexpr int32_t kBack = 0x08;
constexpr int32_t kTab = 0x09;
constexpr int32_t kClear = 0x0C;
constexpr int32_t kReturn = 0x0D;
constexpr int32_t kShift = 0x10;
constexpr int32_t kControl = 0x11;
constexpr int32_t kAlt = 0x12;
constexpr int32_t kPause = 0x13;
constexpr int32_t kEscape = 0x1B;
constexpr int32_t kSpace = 0x20;
constexpr int32_t kPageUp = 0x21;
constexpr int32_t kPageDown = 0x22;
constexpr int32_t kEnd = 0x23;
constexpr int32_t kHome = 0x24;
constexpr int32_t kLeft = 0x25;
constexpr int32_t kUp = 0x26;
constexpr int32_t kRight = 0x27;
constexpr int32_t kDown = 0x28;
constexpr int32_t kSelect = 0x29;
constexpr int32_t kPrint = 0x2A;
constexpr int32_t kSnapshot = 0x2C;
constexpr int32_t kInsert = 0x2D;
constexpr int32_t kDelete = 0x2E;
constexpr int32_t kHelp = 0x2F;
constexpr int32_t kDigit0 = 0x30; // the digits and capitals are their ASCII values
constexpr int32_t kDigit9 = 0x39;
constexpr int32_t kA = 0x41;
constexpr int32_t kZ = 0x5A;
constexpr int32_t kNumpad0 = 0x60;
constexpr int32_t kNumpad1 = 0x61;
constexpr int32_t kNumpad2 = 0x62;
constexpr int32_t kNumpad3 = 0x63;
constexpr int32_t kNumpad4 = 0x64;
constexpr int32_t kNumpad5 = 0x65;
constexpr int32_t kNumpad6 = 0x66;
constexpr int32_t kNumpad7 = 0x67;
constexpr int32_t kNumpad8 = 0x68;
constexpr int32_t kNumpad9 = 0x69;
constexpr int32_t kMultiply = 0x6A;
constexpr int32_t kAdd = 0x6B;
constexpr int32_t kSeparator = 0x6C;
constexpr int32_t kSubtract = 0x6D;
constexpr int32_t kDecimal = 0x6E;
constexpr int32_t kDivide = 0x6F;
constexpr int32_t kF1 = 0x70;
constexpr int32_t kF2 = 0x71;
constexpr int32_t kF3 = 0x72;
constexpr int32_t kF4 = 0x73;
constexpr int32_t kF5 = 0x74;
constexpr int32_t kF6 = 0x75;
constexpr int32_t kF7 = 0x76;
constexpr int32_t kF8 = 0x77;
constexpr int32_t kF9 = 0x78;
constexpr int32_t kF10 = 0x79;
constexpr int32_t kF11 = 0x7A;
constexpr int32_t kF12 = 0x7B;
constexpr int32_t kF13 = 0x7C;
constexpr int32_t kF14 = 0x7D;
constexpr int32_t kF15 = 0x7E;
constexpr int32_t kF16 = 0x7F;
constexpr int32_t kNumLock = 0x90;
constexpr int32_t kScrollLock = 0x91;
// The keypad's Enter: Return with bit 15 set, so that it can be told apart.
constexpr int32_t kKeypadEnter = 0x800D;

// The key of a letter (either case) or digit character; kNone for any other character.
constexpr int32_t OfCharacter(char c) noexcept
{
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return c;
  if (c >= 'a' && c <= 'z') return c - 'a' + kA;
  return kNone;
}

// True for the keys of page up, page down, end, home and the four arrows.
constexpr bool IsNavigation(int32_t key) noexcept
{
  return key >= kPageUp && key <= kDown;
}

} // namespace plugin::vkey

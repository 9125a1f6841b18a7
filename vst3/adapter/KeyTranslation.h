#pragma once

#include "framework/queues/IKeyPress.h"

#include <cstdint>

namespace plugin::vst3 {

// Framework virtual key (Windows-style numbers) of a host key code: the table for the named keys
// 1-56, code - 80 for the ASCII codes from 128, 0 for 58-127, negative codes and the codes that
// carry only a character (0 and 57). Any thread.
int VirtualKeyOfKeyCode(int keyCode) noexcept;

// The key press of a host key event: the character (or one derived from the key code), its UTF-8
// text, the virtual key (from the text for codes 0 and 57) and the modifiers (shift 0x1,
// command/control 0x4, alt 0x2). Any thread; no allocation.
IKeyPress TranslateKey(char16_t key, int16_t keyCode, int16_t modifiers) noexcept;

} // namespace plugin::vst3

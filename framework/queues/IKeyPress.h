#pragma once

#include "framework/queues/VirtualKeys.h"

#include <cstdint>
#include <cstring>

namespace plugin {

// A key event from the editor view: virtual key code (0 when the key is only a character), the
// key's UTF-8 text and the modifiers.
struct IKeyPress
{
  int32_t mVKey = vkey::kNone; // a number of the table in VirtualKeys.h
  char mUtf8[5] = {};          // zero-terminated, empty when the key has no text
  bool mShift = false;
  bool mCtrl = false; // the command key on the Mac
  bool mAlt = false;  // the option key on the Mac

  IKeyPress() = default;

  // utf8Text is copied up to 4 bytes and always terminated; null gives the empty text.
  IKeyPress(const char* utf8Text, int vKey, bool shift = false, bool ctrl = false, bool alt = false) noexcept
      : mVKey(vKey), mShift(shift), mCtrl(ctrl), mAlt(alt)
  {
    if (utf8Text) std::memcpy(mUtf8, utf8Text, strnlen(utf8Text, sizeof(mUtf8) - 1));
  }
};

} // namespace plugin

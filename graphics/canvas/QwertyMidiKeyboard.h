#pragma once

#include "framework/queues/IKeyPress.h"
#include "framework/queues/IMidiMsg.h"

#include <functional>

namespace plugin::ui {

// The computer keyboard as a MIDI keyboard: the letters A W S E D F T G Y H U J K O L play the
// semitones 0 to 14 above a base note, X and Z move the base an octave up or down (within 24 to
// 96, turning every held note off), and a held note sounds once however often its key repeats.
// Main thread only.
class QwertyMidiKeyboard
{
public:
  using SendFunc = std::function<void(const IMidiMsg& msg)>;

  static constexpr int kStartBase = 48;

  // The keyboard every editor of the process shares (the base note and held notes live as long
  // as the process).
  static QwertyMidiKeyboard& Shared();

  // A key went down (isUp false) or up; every note message it makes goes to send. Keys other than
  // the letters do nothing. No allocation beyond what send does.
  void OnKey(const IKeyPress& key, bool isUp, const SendFunc& send);

  int GetBaseNote() const noexcept { return mBase; }
  bool IsHeld(int note) const noexcept { return note >= 0 && note < 128 && mHeld[note]; }

private:
  int mBase = kStartBase;
  bool mHeld[128] = {};
};

} // namespace plugin::ui

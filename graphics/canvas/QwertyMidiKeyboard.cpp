#include "graphics/canvas/QwertyMidiKeyboard.h"

#include "framework/editor/IEditorDelegate.h"
#include "graphics/canvas/ICanvas.h"

#include <algorithm>

namespace plugin::ui {

namespace {

constexpr uint8_t kNoteOn = 144;
constexpr uint8_t kNoteOff = 128;

// Semitones above the base for each letter A..Z; -1 for letters that play nothing.
constexpr int kSemitones[26] = {
    0,  -1, -1, 4,  3,  5, 7, 9,  -1, 11, 12, 14, -1, // A B C D E F G H I J K L M
    -1, 13, -1, -1, -1, 2, 6, 10, -1, 1,  -1, 8,  -1, // N O P Q R S T U V W X Y Z
};

IMidiMsg NoteMsg(uint8_t status, int note, uint8_t velocity)
{
  IMidiMsg msg;
  msg.mStatus = status;
  msg.mData1 = static_cast<uint8_t>(note);
  msg.mData2 = velocity;
  return msg;
}

} // namespace

QwertyMidiKeyboard& QwertyMidiKeyboard::Shared()
{
  static QwertyMidiKeyboard keyboard;
  return keyboard;
}

void QwertyMidiKeyboard::OnKey(const IKeyPress& key, bool isUp, const SendFunc& send)
{
  if (key.mVKey < vkey::kA || key.mVKey > vkey::kZ) return;
  const char letter = static_cast<char>(key.mVKey);

  if (letter == 'X' || letter == 'Z') {
    if (isUp) return;
    mBase = letter == 'X' ? std::clamp(mBase, 12, 84) + 12 : std::clamp(mBase, 36, 108) - 12;
    // Notes of the old octave stop, so that their keys play again in the new one.
    for (int note = 0; note < 128; ++note) {
      if (!mHeld[note]) continue;
      mHeld[note] = false;
      send(NoteMsg(kNoteOff, note, 0));
    }
    return;
  }

  const int semitones = kSemitones[key.mVKey - vkey::kA];
  if (semitones < 0) return;
  const int note = mBase + semitones;
  if (mHeld[note] != isUp) return; // repeat of a held key, or release of a note already off
  mHeld[note] = !isUp;
  send(isUp ? NoteMsg(kNoteOff, note, 0) : NoteMsg(kNoteOn, note, 127));
}

void ICanvas::SetQwertyMidiKeyHandlerFunc(IMidiFunc func)
{
  mKeyHandlerFunc = [this, func = std::move(func)](const IKeyPress& key, bool isUp) {
    QwertyMidiKeyboard::Shared().OnKey(key, isUp, [&](const IMidiMsg& msg) {
      mDelegate->DeferMidiMsg(msg);
      if (func) func(msg);
    });
    return true; // every key is taken, so none reaches the host
  };
}

} // namespace plugin::ui

#pragma once

#include "framework/queues/IKeyPress.h"
#include "platform/mac/system/Event.h"

// Key events of the editor view as the toolkit's key records: the hardware key code and the key's
// text become a Windows-numbered virtual key, the key's text becomes UTF-8, the modifier keys
// become flags. Pure; called by the view on the main thread; no allocation.
namespace plugin::ui {

// Flags TranslateMacKeyEvent adds: the returned code is a virtual key, and the modifiers held.
enum MacKeyFlags : int {
  kMacKeyVirtual = 1,
  kMacKeyShift = 4,
  kMacKeyCommand = 8,
  kMacKeyOption = 16,
  kMacKeyControl = 32,
};

// The key code of event, with MacKeyFlags added to flags: a virtual key (kMacKeyVirtual set) or a
// plain character (shift removed, as the character carries it already).
int TranslateMacKeyEvent(const sys::Event& event, int& flags) noexcept;

// The UTF-8 text of a key: its one UTF-16 unit (without modifiers) encoded, "" for no unit, for
// several, or for a surrogate without its partner. out holds at most 3 bytes and the terminator.
void MacKeyText(const sys::Event& event, char (&out)[5]) noexcept;

// The key record the view hands to the graphics context: the virtual key (0 for a plain
// character), the text, shift, command and option (control is not passed).
IKeyPress MacKeyPress(const sys::Event& event) noexcept;

} // namespace plugin::ui

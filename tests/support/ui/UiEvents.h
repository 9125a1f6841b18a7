#pragma once

#include "framework/queues/IKeyPress.h"
#include "graphics/values/IMouse.h"

#include <cstdint>

// Builders of the input records the platform view hands to the graphics context.

namespace plugin::ui::test {

inline IMouseMod LeftButton(uint64_t touchId = 0)
{
  return {.leftButton = true, .touchID = touchId};
}
inline IMouseMod RightButton(uint64_t touchId = 0)
{
  return {.rightButton = true, .touchID = touchId};
}
// No button held (hover, wheel).
inline IMouseMod NoButton()
{
  return {};
}
// mod with the modifier keys given added.
inline IMouseMod WithKeys(IMouseMod mod, bool shift, bool control = false, bool alt = false)
{
  mod.shift = mod.shift || shift;
  mod.control = mod.control || control;
  mod.alt = mod.alt || alt;
  return mod;
}

// One pointer.
inline IMouseInfo Point(float x, float y, const IMouseMod& mod = LeftButton(), float dX = 0.f, float dY = 0.f)
{
  return {x, y, dX, dY, mod};
}
// A single-pointer press or release at (x, y).
inline IMouseInfoList Press(float x, float y, const IMouseMod& mod = LeftButton())
{
  return {Point(x, y, mod)};
}
// A single-pointer drag to (x, y) that moved by (dX, dY).
inline IMouseInfoList Drag(float x, float y, float dX, float dY, const IMouseMod& mod = LeftButton())
{
  return {Point(x, y, mod, dX, dY)};
}

// A key with its virtual-key code and text.
inline IKeyPress Key(int vKey, const char* utf8 = "", bool shift = false, bool ctrl = false, bool alt = false)
{
  return IKeyPress(utf8, vKey, shift, ctrl, alt);
}

} // namespace plugin::ui::test

#pragma once

#include "framework/queues/IKeyPress.h"
#include "graphics/IMouse.h"

#include <cstdint>
#include <initializer_list>

// Builders of the input records the platform view hands to the graphics context.

namespace plugin::ui::test {

inline IMouseMod LeftButton(uint64_t touchId = 0)
{
  IMouseMod m;
  m.leftButton = true;
  m.touchID = touchId;
  return m;
}

inline IMouseMod RightButton(uint64_t touchId = 0)
{
  IMouseMod m;
  m.rightButton = true;
  m.touchID = touchId;
  return m;
}

// No button held (hover, wheel).
inline IMouseMod NoButton()
{
  return IMouseMod{};
}

// mod with shift, control or alt added.
inline IMouseMod WithShift(IMouseMod m)
{
  m.shift = true;
  return m;
}

inline IMouseMod WithControl(IMouseMod m)
{
  m.control = true;
  return m;
}

inline IMouseMod WithAlt(IMouseMod m)
{
  m.alt = true;
  return m;
}

// One pointer.
inline IMouseInfo Point(float x, float y, const IMouseMod& mod = LeftButton(), float dX = 0.f, float dY = 0.f)
{
  return IMouseInfo{x, y, dX, dY, mod};
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

// Several pointers at once.
inline IMouseInfoList Touches(std::initializer_list<IMouseInfo> points)
{
  return IMouseInfoList(points);
}

// A key with its virtual-key code and text.
inline plugin::IKeyPress Key(int vKey, const char* utf8 = "", bool shift = false, bool ctrl = false,
                             bool alt = false)
{
  return plugin::IKeyPress(utf8, vKey, shift, ctrl, alt);
}

} // namespace plugin::ui::test

#pragma once

#include <cstdint>
#include <vector>

namespace plugin::ui {

// Buttons and modifier keys of a pointer event; the mouse has touch id 0 and radius 0.
struct IMouseMod
{
  bool leftButton = false;
  bool rightButton = false;
  bool shift = false;
  bool control = false;
  bool alt = false;
  uint64_t touchID = 0;
  float touchRadius = 0.f;

  constexpr bool operator==(const IMouseMod&) const = default;
};

// One pointer of an event: position, movement since the previous event (0 outside drags) and
// modifiers. Press, release and drag handlers take a list of these, one per pointer.
struct IMouseInfo
{
  float x = 0.f;
  float y = 0.f;
  float dX = 0.f;
  float dY = 0.f;
  IMouseMod ms;

  constexpr bool operator==(const IMouseInfo&) const = default;
};

using IMouseInfoList = std::vector<IMouseInfo>;

} // namespace plugin::ui

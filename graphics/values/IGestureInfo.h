#pragma once

namespace plugin::ui {

// A gesture recognised by the platform (tap, long press, swipe, pinch, rotation) at a point.
// Only the type selects the handler; the other fields are the recogniser's readings.
struct IGestureInfo
{
  float x = 0.f;
  float y = 0.f;
  float scale = 0.f;
  float velocity = 0.f;
  float angle = 0.f;
  int state = 0;
  int type = 0;
};

} // namespace plugin::ui

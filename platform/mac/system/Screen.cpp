#include "platform/mac/system/Screen.h"

#include "platform/mac/system/Window.h"

#include <cmath>

namespace plugin::sys {

Screen& Screen::Main()
{
  static Screen screen;
  return screen;
}

void Screen::SetBackingScaleFactor(double scale)
{
  if (!std::isfinite(scale) || scale <= 0.0 || scale == mBackingScale) return;
  mBackingScale = scale;
  Window::ScreenBackingScaleChanged();
}

void Screen::Reset() noexcept
{
  mBackingScale = kDefaultBackingScale;
}

} // namespace plugin::sys

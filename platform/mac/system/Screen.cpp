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

void Screen::SetFrame(Rect frame)
{
  const bool finite = std::isfinite(frame.origin.x) && std::isfinite(frame.origin.y) &&
                      std::isfinite(frame.size.width) && std::isfinite(frame.size.height);
  if (finite && frame.size.width > 0.0 && frame.size.height > 0.0) mFrame = frame;
}

void Screen::Reset() noexcept
{
  mFrame = kDefaultFrame;
  mBackingScale = kDefaultBackingScale;
}

} // namespace plugin::sys

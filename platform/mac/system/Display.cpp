#include "platform/mac/system/Display.h"

#include "platform/mac/system/Screen.h"

#include <algorithm>
#include <cmath>

namespace plugin::sys {

namespace {

constexpr DisplayId kMainDisplay = 1;

DisplayCursorState& State() noexcept
{
  static DisplayCursorState state{
      {Screen::kDefaultFrame.size.width / 2, Screen::kDefaultFrame.size.height / 2}};
  return state;
}

} // namespace

DisplayId MainDisplayId() noexcept
{
  return kMainDisplay;
}

std::size_t DisplayPixelsHigh(DisplayId display) noexcept
{
  if (display != kMainDisplay) return 0;
  return static_cast<std::size_t>(Screen::Main().Frame().size.height);
}

int DisplayHideCursor(DisplayId display) noexcept
{
  if (display != kMainDisplay) return kDisplayIllegalArgument;
  ++State().hideCount;
  return kDisplaySuccess;
}

int DisplayShowCursor(DisplayId display) noexcept
{
  if (display != kMainDisplay) return kDisplayIllegalArgument;
  if (State().hideCount > 0) --State().hideCount;
  return kDisplaySuccess;
}

int DisplayMoveCursorToPoint(DisplayId display, Point p) noexcept
{
  if (display != kMainDisplay || !std::isfinite(p.x) || !std::isfinite(p.y)) return kDisplayIllegalArgument;
  const Rect screen = Screen::Main().Frame();
  const double height = static_cast<double>(DisplayPixelsHigh(display));
  const Point bottomLeft{p.x, height - p.y};
  State().location = {std::clamp(bottomLeft.x, screen.MinX(), screen.MaxX()),
                      std::clamp(bottomLeft.y, screen.MinY(), screen.MaxY())};
  ++State().warpCount;
  return kDisplaySuccess;
}

int AssociateMouseAndMouseCursorPosition(bool) noexcept
{
  return kDisplaySuccess; // no mouse moves the cursor here but the scripted user
}

Point MouseLocation() noexcept
{
  return State().location;
}

void SetMouseLocation(Point screenPoint) noexcept
{
  if (std::isfinite(screenPoint.x) && std::isfinite(screenPoint.y)) State().location = screenPoint;
}

const DisplayCursorState& DisplayCursor() noexcept
{
  return State();
}

void ResetDisplayCursor() noexcept
{
  const Rect screen = Screen::Main().Frame();
  State() =
      DisplayCursorState{{screen.MinX() + screen.size.width / 2, screen.MinY() + screen.size.height / 2}};
}

} // namespace plugin::sys

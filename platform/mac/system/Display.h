#pragma once

#include "platform/mac/system/Geometry.h"

#include <cstddef>
#include <cstdint>

// The display services for the mouse cursor: hiding and showing it, warping it to a point, and
// decoupling it from the mouse. Display coordinates have their origin at the top left of the main
// display (y grows down); the mouse location has its origin at the bottom left, like windows.
// Main thread only.
namespace plugin::sys {

using DisplayId = std::uint32_t;

// Results of the display calls.
constexpr int kDisplaySuccess = 0;
constexpr int kDisplayIllegalArgument = 1001;

// What a person sees of the cursor, and how often it was warped (a probe for tests).
struct DisplayCursorState
{
  Point location;    // screen points, origin bottom left
  int hideCount = 0; // > 0: hidden
  int warpCount = 0;
};

DisplayId MainDisplayId() noexcept;

// Height of the display in points; 0 for an unknown display.
std::size_t DisplayPixelsHigh(DisplayId display) noexcept;

// Hiding nests: each hide needs a show. A show with nothing hidden does nothing.
int DisplayHideCursor(DisplayId display) noexcept;
int DisplayShowCursor(DisplayId display) noexcept;

// Moves the cursor to p (display coordinates), kept on the screen; a non-finite point or an
// unknown display is refused.
int DisplayMoveCursorToPoint(DisplayId display, Point p) noexcept;

// Couples the cursor to the mouse or not (the cursor stays where warped while the mouse moves).
int AssociateMouseAndMouseCursorPosition(bool connected) noexcept;

// The cursor position in screen points, origin bottom left.
Point MouseLocation() noexcept;

// The window server moving the cursor with the mouse (event delivery; tests).
void SetMouseLocation(Point screenPoint) noexcept;

const DisplayCursorState& DisplayCursor() noexcept;

// Visible, at the screen's centre, no warps (tests).
void ResetDisplayCursor() noexcept;

} // namespace plugin::sys

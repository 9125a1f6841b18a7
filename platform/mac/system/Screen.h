#pragma once

#include "platform/mac/system/Geometry.h"

// The screen: its frame in points (origin bottom left) and its backing scale (pixels per point).
// There is one screen here, the main one, and every window sits on it. Main thread only.
namespace plugin::sys {

class Screen
{
public:
  static constexpr Rect kDefaultFrame = MakeRect(0.0, 0.0, 1920.0, 1080.0);
  static constexpr double kDefaultBackingScale = 1.0;

  // The main screen.
  static Screen& Main();

  Rect Frame() const noexcept { return kDefaultFrame; }
  double BackingScaleFactor() const noexcept { return mBackingScale; }

  // A person moving the windows to another display (tests, tools). A scale that is not finite and
  // positive is ignored; a new scale is reported to the views of every window.
  void SetBackingScaleFactor(double scale);

  // Back to the default scale (tests).
  void Reset() noexcept;

private:
  double mBackingScale = kDefaultBackingScale;
};

} // namespace plugin::sys

#pragma once

#include "platform/mac/system/Color.h"

#include <functional>

// The shared colour panel: one per application, made on first use. While it is open, each colour
// the person picks becomes its colour and runs its action. Main thread only.
namespace plugin::sys {

class ColorPanel
{
public:
  // Called on the main thread for each colour picked; may allocate, and may set a new action.
  using Action = std::function<void(ColorPanel&)>;

  // The shared panel, made on the first call.
  static ColorPanel& Shared();
  // Whether it has been made.
  static bool SharedExists() noexcept;

  // The target's action; an empty one picks nothing. Closing the panel keeps it.
  void SetAction(Action action) { mAction = std::move(action); }

  bool ShowsAlpha() const noexcept { return mShowsAlpha; }
  void SetShowsAlpha(bool shows) noexcept { mShowsAlpha = shows; }

  Color GetColor() const noexcept { return mColor; }
  void SetColor(Color color) noexcept { mColor = color; }

  void OrderFront() noexcept { mVisible = true; }
  void Close() noexcept { mVisible = false; }
  bool IsVisible() const noexcept { return mVisible; }

  // The person picks color: without the alpha control it is opaque. False (nothing happens) while
  // the panel is closed or missing.
  static bool PickColor(Color color);

  // Forgets the shared panel (tests).
  static void Reset() noexcept;

private:
  Action mAction;
  Color mColor = Color{1.0, 1.0, 1.0, 1.0};
  bool mShowsAlpha = false;
  bool mVisible = false;
};

} // namespace plugin::sys

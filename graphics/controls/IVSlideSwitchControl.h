#pragma once

#include "graphics/controls/IVSwitchControl.h"

namespace plugin::ui {

// A switch whose handle sits on the part of the track that belongs to its state and, after a
// click, slides to the next state's part over 100 ms. The value text (in the handle when asked)
// is hidden while the handle slides. Main thread only.
class IVSlideSwitchControl : public IVSwitchControl
{
public:
  // Bound to paramIdx (-1: none).
  IVSlideSwitchControl(const IRECT& bounds, int paramIdx, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, bool valueInButton = false,
                       EDirection direction = EDirection::Horizontal);
  // Unbound with numStates states, starting at state initialState (limited to the states); action
  // runs once the slide has finished.
  IVSlideSwitchControl(const IRECT& bounds, IActionFunction action, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, bool valueInButton = false,
                       EDirection direction = EDirection::Horizontal, int numStates = 2,
                       int initialState = 0);
  ~IVSlideSwitchControl() override;

  // Lays out as a switch, then places the handle.
  void OnResize() override;
  // The frame loop draws: background, track and handle, label; the value text only while the
  // handle rests.
  void Draw(ICanvas& g) override;
  // As the switch; the handle is placed again unless it is sliding.
  void SetDirty(bool triggerAction, int valIdx = -1) override;
  // Places the handle at the new state, then ends the animation (the animation-end action runs).
  void OnEndAnimation() override;

  // Track over the widget, then the handle where it is drawn. Frame loop.
  void DrawWidget(ICanvas& g) override;
  // The pressable handle over bounds. Frame loop.
  virtual void DrawHandle(ICanvas& g, EVShape shape, const IRECT& bounds);
  // The rounded track over bounds in the shadow colour. Frame loop.
  virtual void DrawTrack(ICanvas& g, const IRECT& bounds);

  // Part of the widget that state k covers.
  IRECT GetStateBounds(int k) const;
  const IRECT& GetHandleBounds() const noexcept { return mHandleBounds; }
  const IRECT& GetNextBounds() const noexcept { return mNextBounds; }
  const IRECT& GetDrawnBounds() const noexcept { return mDrawnBounds; }

  // Ready-made action, run by SetDirty with the action after a click: starts the 100 ms slide.
  static void SlideAction(IControl* control);
  // Ready-made animation, run by the frame loop every frame: moves the drawn handle with the
  // progress; past 1 ends the animation.
  static void SlideAnimation(IControl* control);

protected:
  // Handle and drawn rectangles at the current state, next at the following one (wrapping).
  void UpdateRects();

  IRECT mHandleBounds;
  IRECT mNextBounds;
  IRECT mDrawnBounds;
  EDirection mDirection;
};

} // namespace plugin::ui

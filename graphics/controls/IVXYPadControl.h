#pragma once

#include "graphics/control/IControl.h"
#include "graphics/control/IVectorBase.h"

#include <initializer_list>

namespace plugin::ui {

// A pad setting two values at once: value 0 from left (0) to right (1), value 1 from bottom (0)
// to top (1), shown as a round handle; an optional cross marks the middle. Main thread only.
class IVXYPadControl : public IControl, public IVectorBase
{
public:
  // Value entries for the listed parameters (x first, then y); the handle is an ellipse of
  // radius handleRadius, clipped to the pad when trackClipsHandle, else kept inside it.
  IVXYPadControl(const IRECT& bounds, const std::initializer_list<int>& params = {-1, -1},
                 const char* label = "", const IVStyle& style = DEFAULT_STYLE, float handleRadius = 10.f,
                 bool trackClipsHandle = true, bool drawCross = true);
  ~IVXYPadControl() override;

  // --- Events (dispatch, main thread) ---

  // Pressed (the pointer hides when the style says so), then handled as a drag.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Both values from the point clamped to the bounds; SetDirty with the action. Zero-size bounds
  // change nothing.
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  // The pointer shows again; not pressed; SetDirty with the action.
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  // Label, value and widget rectangles; redraw. Attaching and resizes.
  void OnResize() override;

  // --- Drawing (frame loop, no allocation) ---

  // Background, label, the pad's frame, widget.
  void Draw(ICanvas& g) override;
  // The cross, then the handle at the values.
  void DrawWidget(ICanvas& g) override;
  // The handle, clipped to the track when the track clips it.
  virtual void DrawHandle(ICanvas& g, const IRECT& trackBounds, const IRECT& handleBounds);
  // The cross through the pad's middle, when drawn.
  virtual void DrawTrack(ICanvas& g);

  // The rectangle the handle's centre moves in, and the handle for the current values.
  IRECT GetTrackBounds() const;
  IRECT GetHandleBounds() const;
  bool GetMouseDown() const noexcept { return mMouseDown; }

protected:
  float mHandleRadius;
  bool mMouseDown = false;
  bool mTrackClipsHandle;
  bool mDrawCross;
};

} // namespace plugin::ui

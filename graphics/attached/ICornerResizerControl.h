#pragma once

#include "graphics/control/IControl.h"

namespace plugin::ui {

// The drag square in the editor's bottom-right corner that resizes the editor by scale or by
// size. The graphics context places it and finishes the drags it starts. Main thread only.
class ICornerResizerControl : public IControl
{
public:
  // bounds: the square; size: its side at draw scale 1; graphicsWidth and graphicsHeight: the
  // editor's size now (restored by a double click).
  ICornerResizerControl(const IRECT& bounds, float size, float graphicsWidth, float graphicsHeight,
                        const IColor& color = COLOR_TRANSLUCENT, const IColor& mouseOverColor = COLOR_BLACK,
                        const IColor& dragColor = COLOR_BLACK);
  ~ICornerResizerControl() override;

  // --- Events: the graphics context calls them on the main thread. ---

  // Starts a resize drag; the graphics context follows the pointer until the release.
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  // Restores the size the editor had when the resizer was made, at scale 1.
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  // Entering shows the diagonal resize cursor; leaving restores the cursor it replaced.
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  // The draw scale or size changed: the square goes back to the bottom-right corner with the same
  // size on screen.
  void OnRescale() override;

  // The frame loop draws the corner triangle. Main thread; no allocation.
  void Draw(ICanvas& g) override;

  float GetSize() const noexcept { return mSize; }
  const IRECT& GetInitialGraphicsBounds() const noexcept { return mInitialGraphicsBounds; }

protected:
  float mSize;
  bool mMouseOver = false;
  int mPrevCursorType = 0;
  IRECT mInitialGraphicsBounds;
  IColor mColor;
  IColor mMouseOverColor;
  IColor mDragColor;
};

} // namespace plugin::ui

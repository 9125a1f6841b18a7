#pragma once

#include "graphics/IControl.h"

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

  // The frame loop draws the corner triangle. Main thread.
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

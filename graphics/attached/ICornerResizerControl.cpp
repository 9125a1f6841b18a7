#include "graphics/attached/ICornerResizerControl.h"

#include "graphics/canvas/ICanvas.h"

#include <cmath>

namespace plugin::ui {

ICornerResizerControl::ICornerResizerControl(const IRECT& bounds, float size, float graphicsWidth,
                                             float graphicsHeight, const IColor& color,
                                             const IColor& mouseOverColor, const IColor& dragColor)
    : IControl(bounds, -1), mSize(size), mInitialGraphicsBounds(0.f, 0.f, graphicsWidth, graphicsHeight),
      mColor(color), mMouseOverColor(mouseOverColor), mDragColor(dragColor)
{}

ICornerResizerControl::~ICornerResizerControl() = default;

void ICornerResizerControl::OnMouseDown(float, float, const IMouseMod&)
{
  if (mGraphicsContext) mGraphicsContext->SetResizeDragActive(true);
}

void ICornerResizerControl::OnMouseDblClick(float, float, const IMouseMod&)
{
  if (!mGraphicsContext) return;
  mGraphicsContext->Resize(static_cast<int>(std::trunc(mInitialGraphicsBounds.W())),
                           static_cast<int>(std::trunc(mInitialGraphicsBounds.H())), 1.f, true);
}

void ICornerResizerControl::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  if (!mMouseOver && mGraphicsContext)
    mPrevCursorType = mGraphicsContext->SetMouseCursor(ICanvas::kCursorSizeNWSE);
  mMouseOver = true;
  IControl::OnMouseOver(x, y, mod);
}

void ICornerResizerControl::OnMouseOut()
{
  if (mMouseOver && mGraphicsContext) mGraphicsContext->SetMouseCursor(mPrevCursorType);
  mMouseOver = false;
  IControl::OnMouseOut();
}

void ICornerResizerControl::OnRescale()
{
  if (!mGraphicsContext) return;
  const float w = static_cast<float>(mGraphicsContext->Width());
  const float h = static_cast<float>(mGraphicsContext->Height());
  const float s = mSize / mGraphicsContext->GetDrawScale();
  mBounds = IRECT(w - s, h - s, w, h);
  mHitRect = mBounds;
  mHovered = false;
  OnResize();
}

void ICornerResizerControl::Draw(ICanvas& g)
{
  const bool dragging = mGraphicsContext && mGraphicsContext->GetResizeDragActive();
  const IColor& color = dragging ? mDragColor : (mHovered ? mMouseOverColor : mColor);
  g.FillTriangle(color, mBounds.L, mBounds.B, mBounds.R, mBounds.T, mBounds.R, mBounds.B, &mBlendState);
}

} // namespace plugin::ui

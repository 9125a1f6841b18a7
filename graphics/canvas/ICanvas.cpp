#include "graphics/canvas/ICanvas.h"

#include "graphics/attached/IBubbleControl.h"
#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/attached/IFPSDisplayControl.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/attached/ITextEntryControl.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"
#include "graphics/resources/ResourceCaches.h"

#include <cmath>

namespace plugin::ui {

namespace {

bool UsableScale(float scale)
{
  return std::isfinite(scale) && scale > 0.f;
}

} // namespace

ICanvas::ICanvas(ICanvasEditorDelegateBase& dlg, int width, int height, int fps, float drawScale)
    : mWidth(width), mHeight(height), mFrameRate(fps), mDrawScale(UsableScale(drawScale) ? drawScale : 1.f),
      mDelegate(&dlg.EditorDelegate()), mCanvasDelegate(&dlg)
{
  RetainResourceCaches();
}

ICanvas::~ICanvas()
{
  // The derived parts are gone: nothing here may reach a renderer or platform operation, so the
  // pointer is not shown again (the platform closed its view before).
  mCaptureMap.clear();
  mCursorHidden = false;
  mOpenGestures.clear(); // the delegate is not told either: the platform closed the view before
  RemoveAllControls();
  ReleaseResourceCaches();
  for (ILayer* layer : mLayers)
    delete layer;
  mLayers.clear();
}

void ICanvas::RemoveAllControls()
{
  ReleaseMouseCapture();
  EndAllGestures(); // those of a control whose menu is open, too
  mMouseOverCtrl = nullptr;
  mMouseOverIdx = -1;
  mInTextEntryCtrl = nullptr;
  mInPopupMenuCtrl = nullptr;
  delete mPopupMenuCtrl;
  mPopupMenuCtrl = nullptr;
  delete mTextEntryCtrl;
  mTextEntryCtrl = nullptr;
  delete mCornerResizerCtrl;
  mCornerResizerCtrl = nullptr;
  delete mFrameRateDisplay;
  mFrameRateDisplay = nullptr;
  mBubbleList.Empty(true);
  mTagMap.clear();
  mControlList.Empty(true);
}

bool ICanvas::ControlIsCaptured(const IControl* control) const noexcept
{
  for (const auto& [touchId, captured] : mCaptureMap)
    if (captured == control) return true;
  return false;
}

IControl* ICanvas::GetCapturedControl(uint64_t touchId) const noexcept
{
  const auto it = mCaptureMap.find(touchId);
  return it == mCaptureMap.end() ? nullptr : it->second;
}

void ICanvas::EnableTooltips(bool enable)
{
  mTooltipsEnabled = enable;
  if (enable) mTrackMouseOver = true;
}

float ICanvas::MeasureText(const IText& text, const char* str, IRECT& bounds) const
{
  if (!str || !*str) return 0.f;
  return DoMeasureText(text, str, bounds);
}

void ICanvas::DrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* blend)
{
  if (!str || !*str) return;
  DoDrawText(text, str, bounds, blend);
}

void ICanvas::DrawText(const IText& text, const char* str, float x, float y, const IBlend* blend)
{
  DrawText(text, str, IRECT(x, y, x, y), blend);
}

float ICanvas::GetTotalScale() const
{
  return mScreenScale * mDrawScale;
}

} // namespace plugin::ui

#include "graphics/canvas/ICanvas.h"

#include "framework/editor/IEditorDelegate.h"
#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/attached/IFPSDisplayControl.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/attached/ITextEntryControl.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <algorithm>
#include <cmath>
#include <new>

// Pointer, wheel, key and drop events: which control receives each, pointer capture per touch,
// the host's parameter gestures and the host's context menu for a parameter.

namespace plugin::ui {

// --- Finding the control under the pointer ---

IControl* ICanvas::GetMouseControl(float x, float y, bool capture, bool mouseOver, uint64_t touchId)
{
  if (IControl* captured = GetCapturedControl(touchId)) return captured; // it keeps its whole gesture

  IControl* control = nullptr;
  int idx = -1;
  if (mPopupMenuCtrl && mPopupMenuCtrl->GetExpanded())
    control = mPopupMenuCtrl;
  else if (mTextEntryCtrl && mTextEntryCtrl->IsEditing())
    control = mTextEntryCtrl;
  else if (mCornerResizerCtrl && mCornerResizerCtrl->mBounds.Contains(x, y))
    control = mCornerResizerCtrl;
  else if (mFrameRateDisplay && mFrameRateDisplay->mBounds.Contains(x, y))
    control = mFrameRateDisplay;
  else {
    idx = GetMouseControlIdx(x, y, mouseOver);
    control = mControlList.Get(idx);
  }

  if (capture && control) {
    if (mMultiTouchEnabled && ControlIsCaptured(control) && !control->mMultiTouch)
      return nullptr; // already held by another touch
    mCaptureMap[touchId] = control;
  }
  if (mouseOver) mMouseOverIdx = idx;
  return control;
}

int ICanvas::GetMouseControlIdx(float x, float y, bool mouseOver)
{
  if (mouseOver && (!mTrackMouseOver || mControlList.GetSize() < 2)) return -1;
  const int last = mouseOver ? 1 : 0; // the background never takes hover
  for (int i = mControlList.GetSize() - 1; i >= last; --i) {
    const IControl* c = mControlList.Get(i);
    if (c->mIsHidden || c->mMouseTransparent) continue;
    if (c->mIsDisabled && !(mouseOver ? c->mHoverWhileDisabled : c->mMouseWhileDisabled)) continue;
    if (c->IsHit(x, y)) return i;
  }
  return -1;
}

// --- Host gestures ---

void ICanvas::BeginGestures(const IControl* control, uint64_t touchId)
{
  for (int v = 0; v < control->NVals(); ++v) {
    const int paramIdx = control->GetParamIdx(v);
    if (paramIdx < 0) continue;
    const bool open = std::any_of(mOpenGestures.begin(), mOpenGestures.end(), [&](const OpenGesture& g) {
      return g.control == control && g.touchId == touchId && g.paramIdx == paramIdx;
    });
    if (open) continue; // a repeated press of the same gesture begins nothing more
    mOpenGestures.push_back({control, touchId, paramIdx});
    mDelegate->BeginInformHostOfParamChangeFromUI(paramIdx);
  }
}

void ICanvas::EndGestures(const IControl* control, uint64_t touchId, bool anyTouch)
{
  // Taken out before the delegate hears of them, so that a re-entrant call ends nothing twice.
  std::vector<int> ended;
  std::erase_if(mOpenGestures, [&](const OpenGesture& g) {
    if (g.control != control || (!anyTouch && g.touchId != touchId)) return false;
    ended.push_back(g.paramIdx);
    return true;
  });
  for (int paramIdx : ended)
    mDelegate->EndInformHostOfParamChangeFromUI(paramIdx);
}

void ICanvas::EndAllGestures()
{
  std::vector<OpenGesture> open;
  open.swap(mOpenGestures);
  for (const OpenGesture& g : open)
    mDelegate->EndInformHostOfParamChangeFromUI(g.paramIdx);
}

void ICanvas::ReleaseCaptureKeeping(const IControl* keep)
{
  std::vector<std::pair<uint64_t, IControl*>> released(mCaptureMap.begin(), mCaptureMap.end());
  mCaptureMap.clear();
  for (const auto& [touchId, control] : released)
    if (control != keep) EndGestures(control, touchId, false);
  if (mCursorHidden) HideMouseCursor(false, true);
}

void ICanvas::ReleaseMouseCapture()
{
  ReleaseCaptureKeeping(nullptr);
}

void ICanvas::AbandonGesture()
{
  mCaptureMap.clear();
  mResizeDragActive = false;
  EndAllGestures();
  if (mCursorHidden) HideMouseCursor(false, true);
}

// --- Pointer events ---

void ICanvas::OnMouseDown(const IMouseInfoList& points)
try {
  if (points.size() == 1) {
    mMouseX = points.front().x;
    mMouseY = points.front().y;
  }
  for (const IMouseInfo& p : points) {
    IControl* control = GetMouseControl(p.x, p.y, true, false, p.ms.touchID);
    if (!control) continue;
    const int valIdx = std::max(control->GetValIdxForPos(p.x, p.y), 0);
    const int paramIdx = control->GetParamIdx(valIdx);
    if (p.ms.rightButton && paramIdx >= 0) {
      ReleaseMouseCapture();
      PopupHostContextMenuForParam(control, paramIdx, p.x, p.y);
      return; // the remaining points are not handled
    }
    BeginGestures(control, p.ms.touchID);
    control->OnMouseDown(p.x, p.y, p.ms);
  }
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

void ICanvas::OnMouseUp(const IMouseInfoList& points)
try {
  for (const IMouseInfo& p : points) {
    if (mCaptureMap.empty()) break;
    IControl* control = GetCapturedControl(p.ms.touchID);
    if (!control) continue;
    control->OnMouseUp(p.x, p.y, p.ms);
    // The handler may have opened a menu (which ends the gesture when it closes) or removed the
    // control (which ended it): only a capture still standing is ended here.
    if (GetCapturedControl(p.ms.touchID) != control) continue;
    EndGestures(control, p.ms.touchID, false);
    mCaptureMap.erase(p.ms.touchID);
  }

  if (mResizeDragActive) {
    mResizeDragActive = false;
    if (mCornerResizerMode == 0) {
      ForAllControls(&IControl::OnRescale);
      SetAllControlsDirty();
    }
  }

  if (points.size() == 1 && points.front().ms.touchID == 0)
    OnMouseOver(points.front().x, points.front().y, points.front().ms);
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

void ICanvas::OnMouseDrag(const IMouseInfoList& points)
try {
  if (mResizeDragActive && points.size() == 1) {
    OnDragResize(points.front().x, points.front().y);
    return;
  }
  if (mCaptureMap.empty()) return;
  for (const IMouseInfo& p : points) {
    IControl* control = GetCapturedControl(p.ms.touchID);
    if (!control) continue;
    if (mInTextEntryCtrl && control != mTextEntryCtrl) continue; // typing: only the in-editor field
    if (p.dX != 0.f || p.dY != 0.f) control->OnMouseDrag(p.x, p.y, p.dX, p.dY, p.ms);
  }
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

void ICanvas::OnDragResize(float x, float y)
{
  if (mCornerResizerMode == 0) {
    // Scale mode: the zoom follows the pointer from where the drag started.
    const float scale = std::min(mDrawScale * x / mMouseX, mDrawScale * y / mMouseY);
    Resize(mWidth, mHeight, scale, true);
  } else {
    Resize(static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(y)), mDrawScale, true);
  }
}

bool ICanvas::OnMouseOver(float x, float y, const IMouseMod& mod)
try {
  IControl* control = GetMouseControl(x, y, false, true, 0);
  if (control != mMouseOverCtrl) {
    if (mMouseOverCtrl) mMouseOverCtrl->OnMouseOut();
    mMouseOverCtrl = control;
  }
  if (!control) return false;
  control->OnMouseOver(x, y, mod);
  return true;
} catch (const std::bad_alloc&) {
  AbandonGesture();
  return false;
}

void ICanvas::OnMouseOut()
try {
  // The arrow shows outside; the kind shown before is kept, so that the view can put it back when
  // the pointer comes in again.
  mCursorType = SetMouseCursor(kCursorArrow);
  ForAllControls(&IControl::OnMouseOut);
  mMouseOverCtrl = nullptr;
  mMouseOverIdx = -1;
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

void ICanvas::OnMouseDblClick(float x, float y, const IMouseMod& mod)
try {
  IControl* control = GetMouseControl(x, y, true, false, 0);
  if (!control) return;
  if (control->mDoubleClickIsClick) {
    OnMouseDown({IMouseInfo{x, y, 0.f, 0.f, mod}}); // the capture stays for the following release
  } else {
    control->OnMouseDblClick(x, y, mod);
    ReleaseMouseCapture();
  }
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

void ICanvas::OnMouseWheel(float x, float y, const IMouseMod& mod, float delta)
try {
  if (IControl* control = GetMouseControl(x, y, false)) control->OnMouseWheel(x, y, mod, delta);
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

void ICanvas::OnTouchCancelled(const IMouseInfoList& points)
try {
  for (const IMouseInfo& p : points) {
    IControl* control = GetCapturedControl(p.ms.touchID);
    if (!control) continue;
    control->OnTouchCancelled(p.x, p.y, p.ms);
    if (GetCapturedControl(p.ms.touchID) != control) continue;
    EndGestures(control, p.ms.touchID, false);
    mCaptureMap.erase(p.ms.touchID);
  }
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

// --- Keys, drops, appearance ---

bool ICanvas::OnKeyDown(float x, float y, const IKeyPress& key)
try {
  IControl* control = GetMouseControl(x, y, false);
  if (control && control != mControlList.Get(0) && control->OnKeyDown(x, y, key)) return true;
  return mKeyHandlerFunc ? mKeyHandlerFunc(key, false) : false;
} catch (const std::bad_alloc&) {
  AbandonGesture();
  return true;
}

bool ICanvas::OnKeyUp(float x, float y, const IKeyPress& key)
try {
  IControl* control = GetMouseControl(x, y, false);
  if (control && control != mControlList.Get(0) && control->OnKeyUp(x, y, key)) return true;
  return mKeyHandlerFunc ? mKeyHandlerFunc(key, true) : false;
} catch (const std::bad_alloc&) {
  AbandonGesture();
  return true;
}

void ICanvas::OnDrop(const char* path, float x, float y)
try {
  if (IControl* control = GetMouseControl(x, y, false)) control->OnDrop(path);
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

void ICanvas::OnDropMultiple(const std::vector<const char*>& paths, float x, float y)
try {
  if (IControl* control = GetMouseControl(x, y, false)) control->OnDropMultiple(paths);
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

void ICanvas::OnAppearanceChanged(int appearance)
try {
  if (mAppearanceChangedFunc) mAppearanceChangedFunc(appearance);
} catch (const std::bad_alloc&) {
  AbandonGesture();
}

// --- Parameters under the pointer ---

int ICanvas::SetLastClickedParamForPos(float x, float y)
{
  const IControl* control = GetMouseControl(x, y, false);
  mLastClickedParam = control ? control->GetParamIdx(0) : -1;
  return mLastClickedParam;
}

void ICanvas::PopupHostContextMenuForParam(IControl* control, int paramIdx, float x, float y)
{
  mValuePromptMenu.Clear();
  if (control) control->CreateContextMenu(mValuePromptMenu);
  // The host's menu is placed in view points: logical units times the draw scale only.
  const int px = static_cast<int>(std::trunc(x * mDrawScale));
  const int py = static_cast<int>(std::trunc(y * mDrawScale));
  mCanvasDelegate->PopupHostContextMenu(control, paramIdx, mValuePromptMenu, px, py);
}

void ICanvas::PopupHostContextMenuForParam(int controlIdx, int paramIdx, float x, float y)
{
  PopupHostContextMenuForParam(mControlList.Get(controlIdx), paramIdx, x, y);
}

} // namespace plugin::ui

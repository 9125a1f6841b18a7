#include "graphics/canvas/ICanvas.h"

#include "graphics/attached/IBubbleControl.h"
#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/attached/IFPSDisplayControl.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/attached/ITextEntryControl.h"
#include "graphics/control/IChildList.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <vector>

// Attaching, finding, removing and moving controls.

namespace plugin::ui {

namespace {

const IRECT kFPSDisplayBounds{10.f, 10.f, 210.f, 60.f};
constexpr float kBubbleRoundness = 5.f;

} // namespace

// --- Attaching ---

IControl* ICanvas::AttachControl(IControl* control, int tag, const char* group)
{
  if (!control || GetControlIdx(control) >= 0) return nullptr; // a listed control stays listed once
  if (tag >= 0 && !mTagMap.emplace(tag, control).second) return nullptr;
  control->mEditorDelegate = mDelegate;
  control->mGraphicsContext = this;
  control->OnInit();
  control->OnResize();
  control->OnRescale();
  control->mGroupName.Set(group ? group : "");
  if (!mControlList.Add(control)) {
    if (tag >= 0) mTagMap.erase(tag);
    return nullptr;
  }
  control->OnAttached();
  return control;
}

void ICanvas::InitSpecialControl(IControl* control)
{
  control->mEditorDelegate = mDelegate;
  control->mGraphicsContext = this;
  control->OnInit();
  control->OnResize();
  control->OnRescale();
}

bool ICanvas::InsertControlAtFront(IControl* control)
{
  if (!mControlList.Add(control)) return false; // grows the list first, so the rotation cannot fail
  const int n = mControlList.GetSize();
  std::vector<IControl*> order;
  order.reserve(n);
  order.push_back(control);
  for (int i = 0; i < n - 1; ++i)
    order.push_back(mControlList.Get(i));
  mControlList.Empty(false);
  for (IControl* c : order)
    mControlList.Add(c);
  if (mMouseOverIdx >= 0) ++mMouseOverIdx;
  return true;
}

void ICanvas::AttachCornerResizer(int mode, bool layoutOnResize, const IColor& color,
                                  const IColor& mouseOverColor, const IColor& dragColor, float size)
{
  if (mCornerResizerCtrl) return; // a second resizer is refused
  const float w = static_cast<float>(mWidth);
  const float h = static_cast<float>(mHeight);
  auto* resizer = new ICornerResizerControl(IRECT(w + 1.f - size, h + 1.f - size, w - 1.f, h - 1.f), size, w,
                                            h, color, mouseOverColor, dragColor);
  mCornerResizerCtrl = resizer;
  mCornerResizerMode = mode;
  mLayoutOnResize = layoutOnResize;
  resizer->mEditorDelegate = mDelegate;
  resizer->mGraphicsContext = this;
  // The same on-screen size at every zoom.
  const float s = size / mDrawScale;
  resizer->mBounds = resizer->mHitRect = IRECT(w - s, h - s, w, h);
}

void ICanvas::AttachCornerResizer(ICornerResizerControl* control, int mode, bool layoutOnResize)
{
  if (!control) return;
  if (mCornerResizerCtrl) {
    delete control;
    return;
  }
  mCornerResizerCtrl = control;
  mCornerResizerMode = mode;
  mLayoutOnResize = layoutOnResize;
  InitSpecialControl(control);
}

void ICanvas::AttachBubbleControl(const IText& text)
{
  AttachBubbleControl(new IBubbleControl(text, COLOR_WHITE, COLOR_BLACK, kBubbleRoundness));
}

void ICanvas::AttachBubbleControl(IBubbleControl* bubble)
{
  if (!bubble) return;
  InitSpecialControl(bubble);
  if (!mBubbleList.Add(bubble)) delete bubble;
}

void ICanvas::AttachPopupMenuControl(const IText& text, const IRECT& bounds)
{
  if (mPopupMenuCtrl) return;
  mPopupMenuCtrl = new IPopupMenuControl(-1, text, IRECT(), bounds);
  InitSpecialControl(mPopupMenuCtrl);
}

void ICanvas::RemovePopupMenuControl()
{
  if (!mPopupMenuCtrl) return;
  ForgetControl(mPopupMenuCtrl);
  delete mPopupMenuCtrl;
  mPopupMenuCtrl = nullptr;
}

void ICanvas::AttachTextEntryControl()
{
  if (mTextEntryCtrl) return;
  mTextEntryCtrl = new ITextEntryControl();
  InitSpecialControl(mTextEntryCtrl);
}

void ICanvas::RemoveTextEntryControl()
{
  if (!mTextEntryCtrl) return;
  ForgetControl(mTextEntryCtrl);
  delete mTextEntryCtrl;
  mTextEntryCtrl = nullptr;
}

void ICanvas::ShowFPSDisplay(bool enable)
{
  if (!enable) {
    if (mFrameRateDisplay) ForgetControl(mFrameRateDisplay);
    delete mFrameRateDisplay;
    mFrameRateDisplay = nullptr;
    mMouseOverCtrl = nullptr;
    mMouseOverIdx = -1;
  } else if (!mFrameRateDisplay) {
    mFrameRateDisplay =
        new IFPSDisplayControl(kFPSDisplayBounds, IFPSDisplayControl::kFrequency, "Frame Time");
    InitSpecialControl(mFrameRateDisplay);
  }
  SetAllControlsDirty();
}

// --- Finding ---

IControl* ICanvas::GetControlWithTag(int tag) const
{
  const auto it = mTagMap.find(tag);
  return it == mTagMap.end() ? nullptr : it->second;
}

IControl* ICanvas::GetControlWithParamIdx(int paramIdx) const
{
  for (int i = 0; i < mControlList.GetSize(); ++i) {
    IControl* c = mControlList.Get(i);
    if (c->LinkedToParam(paramIdx) >= 0) return c;
  }
  return nullptr;
}

int ICanvas::GetControlIdx(const IControl* control) const noexcept
{
  for (int i = 0; i < mControlList.GetSize(); ++i)
    if (mControlList.Get(i) == control) return i;
  return -1;
}

// --- Removing ---

void ICanvas::ForgetControl(IControl* control)
{
  if (ControlIsCaptured(control)) ReleaseMouseCapture(); // the whole capture goes
  EndGestures(control, 0, true);                         // a menu of the control may be open
  if (mMouseOverCtrl == control) {
    mMouseOverCtrl = nullptr;
    mMouseOverIdx = -1;
  }
  if (mInTextEntryCtrl == control) mInTextEntryCtrl = nullptr;
  if (mInPopupMenuCtrl == control) mInPopupMenuCtrl = nullptr;
  for (auto it = mTagMap.begin(); it != mTagMap.end(); ++it) {
    if (it->second == control) {
      mTagMap.erase(it);
      break;
    }
  }
  for (int i = 0; i < mBubbleList.GetSize(); ++i)
    if (mBubbleList.Get(i)->mCaller == control) mBubbleList.Get(i)->mCaller = nullptr;
  // Children of a removed container lose their parent.
  ForAllControlsFunc([control](IControl* c) {
    if (c->mParentControl == control) c->mParentControl = nullptr;
  });
}

void ICanvas::RemoveControl(int idx)
{
  RemoveControl(mControlList.Get(idx));
}

void ICanvas::RemoveControl(IControl* control)
{
  const int idx = control ? GetControlIdx(control) : -1;
  if (idx >= 0) {
    ForgetControl(control);
    // A removed child leaves its container's list.
    if (auto* parent = dynamic_cast<IChildList*>(control->mParentControl)) parent->ForgetChild(control);
    if (mMouseOverIdx > idx) --mMouseOverIdx;
    mControlList.Delete(idx, true);
  }
  SetAllControlsDirty();
}

void ICanvas::RemoveControls(int fromIdx)
{
  while (mControlList.GetSize() > std::max(fromIdx, 0)) {
    const int idx = mControlList.GetSize() - 1;
    IControl* control = mControlList.Get(idx);
    ForgetControl(control);
    if (auto* parent = dynamic_cast<IChildList*>(control->mParentControl)) parent->ForgetChild(control);
    mControlList.Delete(idx, true);
  }
  SetAllControlsDirty();
}

void ICanvas::RemoveControlWithTag(int tag)
{
  IControl* control = GetControlWithTag(tag);
  mTagMap.erase(tag);
  if (control && GetControlIdx(control) >= 0)
    RemoveControl(control); // marks all dirty
  else
    SetAllControlsDirty();
}

// --- Moving ---

void ICanvas::SetControlPosition(IControl* control, float x, float y)
{
  if (!control) return;
  control->SetPosition(x, y);
  if (!control->IsHidden()) SetAllControlsDirty();
}

void ICanvas::SetControlSize(IControl* control, float w, float h)
{
  if (!control) return;
  control->SetSize(w, h);
  if (!control->IsHidden()) SetAllControlsDirty();
}

void ICanvas::SetControlBounds(IControl* control, const IRECT& r)
{
  if (!control) return;
  control->mBounds = r;
  control->mHitRect = r;
  control->OnResize();
  if (!control->IsHidden()) SetAllControlsDirty();
}

} // namespace plugin::ui

#include "graphics/control/IControl.h"

#include "framework/params/IParam.h"
#include "graphics/canvas/ICanvas.h"
#include "graphics/canvas/UIClock.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace plugin::ui {

namespace {

constexpr float kDisabledWeight = 0.25f;
constexpr double kClickAnimationMs = 100.0;

bool SameIID(const char* a, const char* b)
{
  return std::memcmp(a, b, 16) == 0;
}

} // namespace

IControl::IControl(const IRECT& bounds, int paramIdx, IActionFunction actionFunc)
    : mBounds(bounds), mHitRect(bounds), mActionFunction(std::move(actionFunc))
{
  mValueEntries.push_back({paramIdx, 0.0});
}

IControl::IControl(const IRECT& bounds, const std::initializer_list<int>& params, IActionFunction actionFunc)
    : mBounds(bounds), mHitRect(bounds), mActionFunction(std::move(actionFunc))
{
  for (int paramIdx : params)
    mValueEntries.push_back({paramIdx, 0.0});
}

IControl::IControl(const IRECT& bounds, IActionFunction actionFunc)
    : IControl(bounds, -1, std::move(actionFunc))
{}

IControl::~IControl()
{
  // Released in this order: gesture handlers, value entries, the three callables; the strings
  // follow as members.
  mGestureFunctions.clear();
  mValueEntries.clear();
  mAnimationFunction = nullptr;
  mAnimationEndFunction = nullptr;
  mActionFunction = nullptr;
}

uint64_t IControl::NextInstanceId() noexcept
{
  static std::atomic<uint64_t> sNext{1};
  return sNext.fetch_add(1, std::memory_order_relaxed);
}

// --- Host context-menu target ---

int32_t IControl::queryInterface(const char iid[16], void** obj)
{
  if (!obj) return kInvalidArgument;
  if (iid && (SameIID(iid, kContextMenuTargetIID) || SameIID(iid, kUnknownIID))) {
    addRef();
    *obj = this;
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

uint32_t IControl::addRef()
{
  return ++mRefCount;
}

uint32_t IControl::release()
{
  // The count never wraps below zero and never deletes: the graphics context owns the control.
  uint32_t count = mRefCount.load();
  while (count > 0 && !mRefCount.compare_exchange_weak(count, count - 1)) {
  }
  return count > 0 ? count - 1 : 0;
}

int32_t IControl::executeMenuItem(int32_t tag)
{
  OnContextSelection(tag);
  return kResultOk;
}

const char* IControl::isA() const
{
  return "IControl";
}

bool IControl::isA(const char* classId) const
{
  return isTypeOf(classId, false);
}

bool IControl::isTypeOf(const char* classId, bool askBaseClass) const
{
  if (!classId) return false;
  if (std::strcmp(classId, "IControl") == 0) return true;
  return askBaseClass && std::strcmp(classId, "FObject") == 0;
}

// --- Events ---

void IControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (mod.rightButton) PromptUserInput(GetValIdxForPos(x, y));
}

void IControl::OnMouseUp(float, float, const IMouseMod&) {}
void IControl::OnMouseDrag(float, float, float, float, const IMouseMod&) {}

void IControl::OnMouseDblClick(float x, float y, const IMouseMod&)
{
  SetValueToDefault(GetValIdxForPos(x, y));
}

void IControl::OnMouseWheel(float, float, const IMouseMod&, float) {}

bool IControl::OnKeyDown(float, float, const IKeyPress&)
{
  return false;
}

bool IControl::OnKeyUp(float, float, const IKeyPress&)
{
  return false;
}

void IControl::OnMouseOver(float, float, const IMouseMod&)
{
  const bool was = mHovered;
  mHovered = true;
  if (!was) SetDirty(false);
}

void IControl::OnMouseOut()
{
  const bool was = mHovered;
  mHovered = false;
  if (was) SetDirty(false);
}

void IControl::OnTouchCancelled(float, float, const IMouseMod&) {}
void IControl::OnDrop(const char*) {}

void IControl::OnDropMultiple(const std::vector<const char*>& paths)
{
  if (!paths.empty()) OnDrop(paths.front());
}

void IControl::OnRescale() {}
void IControl::OnResize() {}
void IControl::OnInit() {}
void IControl::OnAttached() {}
void IControl::OnMsgFromDelegate(int, int, const void*) {}
void IControl::OnMidi(const IMidiMsg&) {}

bool IControl::OnGesture(const IGestureInfo& info)
{
  const auto it = mGestureFunctions.find(info.type);
  if (it == mGestureFunctions.end()) return false;
  mLastGestureType = info.type;
  if (it->second) it->second(this, info);
  return true;
}

void IControl::CreateContextMenu(IPopupMenu&) {}

void IControl::OnPopupMenuSelection(IPopupMenu* menu, int valIdx)
{
  if (!menu || mPromptBlocked || !ValidValIdx(valIdx)) return;
  const IParam* param = ParamOfEntry(mValueEntries[valIdx]);
  if (!param) return; // unbound, or a parameter the delegate does not have
  SetValueFromUserInput(NormalizedParamValue(*param, menu->GetChosenItemIdx()), valIdx);
}

void IControl::OnTextEntryCompletion(const char*, int) {}
void IControl::OnContextSelection(int) {}

// --- Values and state ---

void IControl::SetParamIdx(int paramIdx, int valIdx)
{
  // A bad index is the layout's programming error: reported, nothing changed.
  mValueEntries.at(static_cast<size_t>(valIdx)).mParamIdx = paramIdx;
  SetDirty(false);
}

int IControl::GetValIdxForPos(float, float) const
{
  return NVals() == 1 ? 0 : -1;
}

void IControl::SetValueFromDelegate(double value, int valIdx)
{
  if (!ValidValIdx(valIdx)) return; // no entries: unbound, nothing to show
  if (mGraphicsContext && mGraphicsContext->ControlIsCaptured(this)) return; // the user's drag wins
  if (mValueEntries[valIdx].mValue == value) return;
  SetValue(value, valIdx);
  SetDirty(false);
}

void IControl::SetValueFromUserInput(double value, int valIdx)
{
  if (!ValidValIdx(valIdx) || mValueEntries[valIdx].mValue == value) return;
  SetValue(value, valIdx);
  SetDirty(true, valIdx);
}

void IControl::SetValueToDefault(int valIdx)
{
  if (NVals() == 1) valIdx = 0;
  auto restore = [this](int i) {
    if (const IParam* param = ParamOfEntry(mValueEntries[i]))
      SetValue(NormalizedParamValue(*param, param->GetDefault()), i);
  };
  if (valIdx >= 0) {
    if (!ValidValIdx(valIdx)) return;
    restore(valIdx);
  } else {
    for (int i = 0; i < NVals(); ++i)
      restore(i);
  }
  SetDirty(true, valIdx);
}

void IControl::SetValue(double value, int valIdx)
{
  if (ValidValIdx(valIdx)) mValueEntries[valIdx].mValue = value;
}

void IControl::SetText(const IText& text)
{
  mTextStyle = text;
}

void IControl::SetPosition(float x, float y)
{
  x = std::max(x, 0.f);
  y = std::max(y, 0.f);
  const float dx = x - mBounds.L;
  const float dy = y - mBounds.T;
  mHovered = false;
  mBounds = mBounds.GetMovedTo(x, y);
  OnResize();
  mHitRect = mHitRect.GetTranslated(dx, dy);
  mHovered = false;
}

void IControl::SetSize(float w, float h)
{
  w = std::max(w, 0.f);
  h = std::max(h, 0.f);
  mBounds = IRECT::MakeXYWH(mBounds.L, mBounds.T, w, h);
  mHitRect = mBounds;
  mHovered = false;
  OnResize();
}

void IControl::Hide(bool hide)
{
  mIsHidden = hide;
  SetDirty(false);
}

void IControl::SetDisabled(bool disable)
{
  mIsDisabled = disable;
  mBlendState.mWeight = disable ? kDisabledWeight : 1.f;
  SetDirty(false);
}

void IControl::SetIgnoreMouse(bool ignore)
{
  mMouseTransparent = ignore;
}

bool IControl::IsHit(float x, float y) const
{
  return mHitRect.Contains(x, y);
}

void IControl::SetDirty(bool triggerAction, int valIdx)
{
  if (NVals() == 1) valIdx = 0;
  auto clamp = [this](int i) { SetValue(std::clamp(mValueEntries[i].mValue, 0.0, 1.0), i); };
  if (valIdx >= 0) {
    if (ValidValIdx(valIdx)) clamp(valIdx);
  } else {
    for (int i = 0; i < NVals(); ++i)
      clamp(i);
  }
  mNeedsRedraw = true;
  if (!triggerAction) return;

  auto send = [this](int i) {
    const ValueEntry& entry = mValueEntries[i];
    if (!ParamOfEntry(entry)) return; // unbound, unattached, or a parameter the delegate lacks
    mEditorDelegate->SendParameterValueFromUI(entry.mParamIdx, entry.mValue);
    if (mGraphicsContext) mGraphicsContext->UpdatePeers(this, i);
  };
  if (valIdx >= 0) {
    if (ValidValIdx(valIdx)) send(valIdx);
  } else {
    for (int i = 0; i < NVals(); ++i)
      send(i);
  }
  RunActionFunction();
}

void IControl::SetClean()
{
  mNeedsRedraw = false;
}

bool IControl::IsDirty()
{
  if (mAnimationFunction) return true;
  return mNeedsRedraw;
}

void IControl::OnAllControlsHook() {}

bool IControl::WantsGestures() const
{
  return !mGestureFunctions.empty() && !mAnimationFunction;
}

void IControl::SnapToMouse(float x, float y, EDirection direction, const IRECT& bounds, int valIdx,
                           double minClip, double maxClip)
{
  const float cx = std::clamp(x, bounds.L, bounds.R);
  const float cy = std::clamp(y, bounds.T, bounds.B);
  double v = direction == EDirection::Vertical ? 1.0 - (cy - bounds.T) / (bounds.B - bounds.T)
                                               : (cx - bounds.L) / (bounds.R - bounds.L);
  if (!std::isfinite(v)) return; // a zero extent gives no position
  v = std::clamp(std::round(v * 1000.0) * 0.001, minClip, maxClip);
  if (valIdx < 0) {
    for (int i = 0; i < NVals(); ++i)
      SetValue(v, i);
  } else {
    SetValue(v, valIdx);
  }
  SetDirty(true, valIdx);
}

void IControl::OnEndAnimation()
{
  mAnimationFunction = nullptr;
  SetDirty(false);
  if (mAnimationEndFunction) mAnimationEndFunction(this);
}

// --- Non-virtual operations ---

double IControl::GetValue(int valIdx) const noexcept
{
  return ValidValIdx(valIdx) ? mValueEntries[valIdx].mValue : 0.0;
}

int IControl::GetParamIdx(int valIdx) const noexcept
{
  return ValidValIdx(valIdx) ? mValueEntries[valIdx].mParamIdx : -1;
}

IParam* IControl::GetParam(int valIdx) const noexcept
{
  return ValidValIdx(valIdx) ? ParamOfEntry(mValueEntries[valIdx]) : nullptr;
}

int IControl::LinkedToParam(int paramIdx) const noexcept
{
  for (int i = 0; i < NVals(); ++i)
    if (mValueEntries[i].mParamIdx == paramIdx) return i;
  return -1;
}

void IControl::StartAnimation(int durationMs)
{
  mAnimationStartMs = UINowMs();
  mAnimationDurationMs = durationMs;
}

double IControl::GetAnimationProgress() const
{
  if (!mAnimationFunction) return 0.0;
  if (!(mAnimationDurationMs > 0.0)) return std::numeric_limits<double>::infinity(); // never started: over
  return (UINowMs() - mAnimationStartMs) / mAnimationDurationMs;
}

void IControl::StepAnimation()
{
  if (mAnimationFunction) mAnimationFunction(this);
}

void IControl::AddGestureHandler(int gestureType, IGestureFunc func)
{
  mGestureFunctions.emplace(gestureType, std::move(func));
  if (mGraphicsContext) mGraphicsContext->AddIdIfPresent(gestureType);
}

void IControl::DefaultAnimation(IControl* control)
{
  if (control && control->mAnimationFunction && control->GetAnimationProgress() > 1.0)
    control->OnEndAnimation();
}

void IControl::DefaultClickAction(IControl* control)
{
  if (!control) return;
  control->SetAnimationFunction(&IControl::DefaultAnimation);
  control->mAnimationStartMs = UINowMs();
  control->mAnimationDurationMs = kClickAnimationMs;
}

// --- Helpers ---

void IControl::RunActionFunction()
{
  if (mActionFunction) mActionFunction(this);
}

IParam* IControl::ParamOfEntry(const ValueEntry& entry) const noexcept
{
  if (entry.mParamIdx < 0 || !mEditorDelegate) return nullptr;
  return mEditorDelegate->GetParam(entry.mParamIdx);
}

double IControl::NormalizedParamValue(const IParam& param, double v) noexcept
{
  return std::clamp(param.ToNormalized(param.Constrain(v)), 0.0, 1.0);
}

void NoOpAction(IControl*) {}

namespace {

// A bubble with entry 0's display text and unit at (x, y); nothing without a parameter.
void ShowValueBubble(IControl* control, float x, float y, EDirection dir)
{
  if (!control || !control->GetUI()) return;
  const IParam* param = control->GetParam(0);
  if (!param) return;
  StringBuf display(128);
  param->GetDisplayWithLabel(display, true);
  control->GetUI()->ShowBubbleControl(control, x, y, display.Get(), dir, IRECT(0.f, 0.f, 50.f, 30.f));
}

} // namespace

void ShowBubbleRightAction(IControl* control)
{
  if (!control) return;
  const IRECT& b = control->GetBounds();
  ShowValueBubble(control, b.R, b.MH(), EDirection::Horizontal);
}

void ShowBubbleAboveAction(IControl* control)
{
  if (!control) return;
  const IRECT& b = control->GetBounds();
  ShowValueBubble(control, b.MW(), b.T, EDirection::Vertical);
}

} // namespace plugin::ui

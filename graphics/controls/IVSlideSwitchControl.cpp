#include "graphics/controls/IVSlideSwitchControl.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/controls/VectorControlHelpers.h"

#include <algorithm>

namespace plugin::ui {

namespace {

constexpr int kSlideMs = 100;

// a + (b - a) x p, edge by edge.
IRECT Between(const IRECT& a, const IRECT& b, float p)
{
  return IRECT(a.L + (b.L - a.L) * p, a.T + (b.T - a.T) * p, a.R + (b.R - a.R) * p, a.B + (b.B - a.B) * p);
}

} // namespace

IVSlideSwitchControl::IVSlideSwitchControl(const IRECT& bounds, int paramIdx, const char* label,
                                           const IVStyle& style, bool valueInButton, EDirection direction)
    : IVSwitchControl(bounds, paramIdx, label, style, valueInButton), mDirection(direction)
{
  mActionFunction = SlideAction;
}

IVSlideSwitchControl::IVSlideSwitchControl(const IRECT& bounds, IActionFunction action, const char* label,
                                           const IVStyle& style, bool valueInButton, EDirection direction,
                                           int numStates, int initialState)
    : IVSwitchControl(bounds, nullptr, label, style, numStates, valueInButton), mDirection(direction)
{
  // The initial state as the normalised value of that state.
  const int last = std::max(numStates - 1, 0);
  const int state = std::clamp(initialState, 0, last);
  SetValue(last > 0 ? static_cast<double>(state) / last : 0.0, 0);
  mActionFunction = SlideAction;
  mAnimationEndFunction = std::move(action);
}

IVSlideSwitchControl::~IVSlideSwitchControl() = default;

IRECT IVSlideSwitchControl::GetStateBounds(int k) const
{
  const IRECT& w = mWidgetBounds;
  const float n = static_cast<float>(std::max(mStateCount, 1));
  if (mDirection == EDirection::Vertical) {
    const float s = w.H() / n;
    return IRECT(w.L, w.T + k * s, w.R, w.T + (k + 1) * s);
  }
  const float s = w.W() / n;
  return IRECT(w.L + k * s, w.T, w.L + (k + 1) * s, w.B);
}

void IVSlideSwitchControl::UpdateRects()
{
  const int n = std::max(mStateCount, 1);
  const int sel = SelectedState(GetValue(0), n);
  mHandleBounds = mDrawnBounds = GetStateBounds(sel);
  mNextBounds = GetStateBounds((sel + 1) % n);
  if (mValueInWidget) mValueBounds = mDrawnBounds;
}

void IVSlideSwitchControl::OnResize()
{
  mHitRect = MakeRects(mBounds, true);
  mHovered = false;
  IControl::SetDirty(false);
  UpdateRects();
}

void IVSlideSwitchControl::SetDirty(bool triggerAction, int)
{
  IControl::SetDirty(triggerAction, -1);
  ParamValueText(*this, mValueStr, false);
  if (!mAnimationFunction) UpdateRects();
}

void IVSlideSwitchControl::OnEndAnimation()
{
  UpdateRects();
  IControl::OnEndAnimation();
}

void IVSlideSwitchControl::SlideAction(IControl* control)
{
  if (!control) return;
  control->SetAnimationFunction(SlideAnimation);
  control->StartAnimation(kSlideMs);
}

void IVSlideSwitchControl::SlideAnimation(IControl* control)
{
  auto* slide = dynamic_cast<IVSlideSwitchControl*>(control);
  if (!slide) return;
  const double p = slide->GetAnimationProgress();
  slide->mDrawnBounds = Between(slide->mHandleBounds, slide->mNextBounds, static_cast<float>(p));
  if (slide->mValueInWidget) slide->mValueBounds = slide->mDrawnBounds;
  if (p > 1.0) slide->OnEndAnimation();
}

void IVSlideSwitchControl::Draw(ICanvas& g)
{
  if (!HasArea(mBounds)) return;
  DrawBackground(g, mBounds);
  DrawWidget(g);
  DrawLabel(g);
  if (!mAnimationFunction) DrawValue(g, false);
}

void IVSlideSwitchControl::DrawWidget(ICanvas& g)
{
  if (!HasArea(mWidgetBounds)) return;
  DrawTrack(g, mWidgetBounds);
  DrawHandle(g, mShape, mDrawnBounds);
}

void IVSlideSwitchControl::DrawHandle(ICanvas& g, EVShape shape, const IRECT& bounds)
{
  DrawPressableShape(g, shape, bounds, mPressed, mHovered, mIsDisabled);
}

void IVSlideSwitchControl::DrawTrack(ICanvas& g, const IRECT& bounds)
{
  const float radius = mStyle.roundness * 0.5f * std::min(mDrawnBounds.W(), mDrawnBounds.H());
  g.FillRoundRect(GetColor(EVColor::Shadow), bounds, radius, nullptr);
}

} // namespace plugin::ui

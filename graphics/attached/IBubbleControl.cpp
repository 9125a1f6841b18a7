#include "graphics/attached/IBubbleControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

namespace {

constexpr int kFadeMs = 200;
constexpr int kShowMs = 1000;
constexpr float kShadowDrop = 2.f;
constexpr float kShadowBlur = 10.f;

} // namespace

IBubbleControl::IBubbleControl(const IText& text, const IColor& fillColor, const IColor& strokeColor,
                               float roundness)
    : IControl(IRECT(), -1), mRoundness(roundness), mFillColor(fillColor), mStrokeColor(strokeColor)
{
  mTextStyle = text;
  mIsHidden = true;
  mMouseTransparent = true;
  auto animate = [](IControl* c) { static_cast<IBubbleControl*>(c)->Animate(); };
  SetActionFunction([animate](IControl* c) {
    c->SetAnimationFunction(animate);
    c->StartAnimation(kFadeMs);
  });
  // Once faded in, the bubble stays a second before it looks at its caller.
  SetAnimationEndActionFunction([animate](IControl* c) {
    if (static_cast<IBubbleControl*>(c)->mState != kShown) return;
    c->SetAnimationFunction(animate);
    c->StartAnimation(kShowMs);
  });
}

IBubbleControl::~IBubbleControl() = default;

void IBubbleControl::Animate()
{
  const double progress = GetAnimationProgress();
  if (progress <= 1.0) {
    const float p = static_cast<float>(progress);
    if (mState == kFadingIn)
      mBlend.mWeight = mOpacity * p;
    else if (mState == kShown)
      mBlend.mWeight = mOpacity;
    else if (mState == kFadingOut)
      mBlend.mWeight = mOpacity * (1.f - p);
    return;
  }
  switch (mState) {
  case kFadingIn:
    mBlend.mWeight = mOpacity;
    mState = kShown;
    IControl::OnEndAnimation();
    break;
  case kShown:
    // Held: another short wait; released: the fade out.
    if (!(mGraphicsContext && mCaller && mGraphicsContext->ControlIsCaptured(mCaller))) mState = kFadingOut;
    SetDirty(true);
    break;
  case kFadingOut:
    mBlend.mWeight = 0.f;
    Hide(true);
    mState = kHidden;
    mTouchId = 0;
    SetDirty(false);
    IControl::OnEndAnimation();
    break;
  default:
    IControl::OnEndAnimation();
    break;
  }
}

void IBubbleControl::Draw(ICanvas& g)
{
  const IRECT inner = mBubbleBounds.GetPadded(-mDropShadowSize);
  g.DrawFastDropShadow(inner, mBubbleBounds, kShadowDrop, mRoundness, kShadowBlur, &mBlend);
  DrawBubble(g, inner);
  DrawContent(g, inner);
}

void IBubbleControl::DrawContent(ICanvas& g, const IRECT& r)
{
  if (mStr.Get()[0] != '\0') g.DoDrawText(mTextStyle, mStr.Get(), r, &mBlend);
}

void IBubbleControl::DrawBubble(ICanvas& g, const IRECT& r)
{
  const float rad = mRoundness;
  const float a = mCalloutSize;
  const float cx = r.MW();
  const float cy = r.MH();
  // Clockwise from the top-left corner; the call-out goes into the side facing the caller.
  g.PathClear();
  g.PathMoveTo(r.L, r.T + rad);
  g.PathArc(r.L + rad, r.T + rad, rad, 270.f, 360.f);
  if (mArrowDir == kBelowCaller) {
    g.PathLineTo(cx - a / 2.f, r.T);
    g.PathLineTo(cx, r.T - a);
    g.PathLineTo(cx + a / 2.f, r.T);
  }
  g.PathArc(r.R - rad, r.T + rad, rad, 0.f, 90.f);
  if (mArrowDir == kLeftOfCaller) {
    g.PathLineTo(r.R, cy - a / 2.f);
    g.PathLineTo(r.R + a, cy);
    g.PathLineTo(r.R, cy + a / 2.f);
  }
  g.PathArc(r.R - rad, r.B - rad, rad, 90.f, 180.f);
  if (mArrowDir == kAbovePoint) {
    g.PathLineTo(cx + a / 2.f, r.B);
    g.PathLineTo(cx, r.B + a);
    g.PathLineTo(cx - a / 2.f, r.B);
  }
  g.PathArc(r.L + rad, r.B - rad, rad, 180.f, 270.f);
  if (mArrowDir == kRightOfPoint) {
    g.PathLineTo(r.L, cy + a / 2.f);
    g.PathLineTo(r.L - a, cy);
    g.PathLineTo(r.L, cy - a / 2.f);
  }
  g.PathClose();
  g.PathFill(IPattern(mFillColor), IFillOptions(EFillRule::Winding, true), &mBlend);
  g.PathStroke(IPattern(mStrokeColor), mStrokeThickness, IStrokeOptions(), &mBlend);
}

void IBubbleControl::MeasureText(const char* str, IRECT& r)
{
  if (mGraphicsContext) mGraphicsContext->MeasureText(mTextStyle, str, r);
}

} // namespace plugin::ui

#include "graphics/controls/IVGroupControl.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>

namespace plugin::ui {

IVGroupControl::IVGroupControl(const IRECT& bounds, const char* label, float labelOffset,
                               const IVStyle& style, AttachFunc attachFunc, ResizeFunc resizeFunc)
    : IContainerBase(bounds, std::move(attachFunc), std::move(resizeFunc)), IVectorBase(style, false, false),
      mLabelOffset(labelOffset)
{
  mTextStyle = mStyle.valueText;
  mMouseTransparent = true;
  AttachIControl(this, label);
}

IVGroupControl::IVGroupControl(const char* label, const char* groupName, float padL, float padT, float padR,
                               float padB, const IVStyle& style)
    : IVGroupControl(IRECT(), label, 10.f, style)
{
  mGroupName.Set(groupName);
  mPadL = padL;
  mPadT = padT;
  mPadR = padR;
  mPadB = padB;
}

IVGroupControl::~IVGroupControl() = default;

void IVGroupControl::OnInit()
{
  if (*mGroupName.Get()) SetBoundsBasedOnGroup(mGroupName.Get(), mPadL, mPadT, mPadR, mPadB);
}

void IVGroupControl::SetBoundsBasedOnGroup(const char* groupName, float padL, float padT, float padR,
                                           float padB)
{
  mGroupName.Set(groupName);
  mPadL = padL;
  mPadT = padT;
  mPadR = padR;
  mPadB = padB;
  IRECT united;
  if (mGraphicsContext) {
    mGraphicsContext->ForControlInGroup(mGroupName.Get(), [&](IControl* control) {
      if (control != this) united = united.Union(control->GetBounds()); // empty bounds add nothing
    });
  }
  mBounds = united.GetPadded(padL, padT, padR, padB);
  OnResize();
}

float IVGroupControl::CornerRadius() const noexcept
{
  return mStyle.roundness * 0.5f * std::min(mWidgetBounds.W(), mWidgetBounds.H());
}

void IVGroupControl::OnResize()
{
  IContainerBase::OnResize();
  mHitRect = MakeRects(mBounds, false);
  mHovered = false;
  const float ft = mStyle.frameThickness;
  if (!mLabelBounds.Empty()) {
    mLabelBounds.L -= mLabelPadding;
    mLabelBounds.R += mLabelPadding;
  }
  mWidgetBounds.T -= (mLabelBounds.H() + ft) / 2.f;
  if (!mLabelBounds.Empty())
    mLabelBounds = mLabelBounds.GetMovedTo(mBounds.L + mLabelOffset + ft + CornerRadius(), mLabelBounds.T);
  SetDirty(false);
}

void IVGroupControl::Draw(ICanvas& g)
{
  DrawLabel(g);
  DrawWidget(g);
}

void IVGroupControl::DrawWidget(ICanvas& g)
{
  const float ft = mStyle.frameThickness;
  const IRECT r = mWidgetBounds.GetPadded(-ft / 2.f);
  const float cr = CornerRadius();
  const bool labelled = !mLabelBounds.Empty();
  const float start = labelled ? mLabelBounds.R : mBounds.MW();
  const float end = labelled ? mLabelBounds.L : mBounds.MW();
  g.PathClear();
  g.PathMoveTo(start, r.T);
  g.PathArc(r.R - cr, r.T + cr, cr, 0.f, 90.f);
  g.PathArc(r.R - cr, r.B - cr, cr, 90.f, 180.f);
  g.PathArc(r.L + cr, r.B - cr, cr, 180.f, 270.f);
  g.PathArc(r.L + cr, r.T + cr, cr, 270.f, 360.f);
  g.PathLineTo(end, r.T);
  g.PathStroke(GetColor(EVColor::Frame), ft, IStrokeOptions(), GetBlend());
}

} // namespace plugin::ui

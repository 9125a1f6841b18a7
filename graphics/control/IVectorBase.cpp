#include "graphics/control/IVectorBase.h"

#include "graphics/canvas/ICanvas.h"
#include "graphics/control/IControl.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

namespace {

// r scaled about its centre by f (exactly r when f is 1).
IRECT ScaledAboutCentre(const IRECT& r, float f)
{
  if (f == 1.f) return r;
  return IRECT::MakeCentred(r.MW(), r.MH(), r.W() * f, r.H() * f);
}

// Width and height of str in style text; 0 x 0 without a graphics context or text.
void Measure(const ICanvas* g, const IText& text, const char* str, float& w, float& h)
{
  IRECT r;
  if (g) g->MeasureText(text, str, r);
  w = r.W();
  h = r.H();
}

} // namespace

IVectorBase::IVectorBase(const IVStyle& style, bool labelInWidget, bool valueInWidget)
    : mStyle(DEFAULT_STYLE), mLabelInWidget(labelInWidget), mValueInWidget(valueInWidget)
{
  SetStyle(style);
}

IVectorBase::~IVectorBase() = default;

void IVectorBase::OnStyleChanged() {}

void IVectorBase::SetStyle(const IVStyle& style)
{
  mStyle = style;
  OnStyleChanged();
}

void IVectorBase::AttachIControl(IControl* control, const char* label)
{
  mControl = control;
  mLabelStr.Set(label);
}

void IVectorBase::SetLabelStr(const char* str)
{
  mLabelStr.Set(str);
  if (mControl) mControl->SetDirty(false);
}

void IVectorBase::SetValueStr(const char* str)
{
  mValueStr.Set(str);
  if (mControl) mControl->SetDirty(false);
}

IRECT IVectorBase::CentredBox(const IRECT& r, float w, float h)
{
  const float bw = w > 1.f ? w : 1.f; // NaN gives 1
  const float bh = h > 0.f ? h : bw;
  const float l = (r.L + r.R - bw) / 2.f;
  const float t = (r.T + r.B - bh) / 2.f;
  return IRECT(l, t, l + bw, t + bh);
}

IColor IVectorBase::Tinted(const IColor& c, bool disabled)
{
  const int d = static_cast<int>((disabled ? -0.25f : 0.f) * 255.f);
  auto add = [d](int v) { return std::clamp(v + d, 0, 255); };
  return IColor(c.A, add(c.R), add(c.G), add(c.B));
}

const IBlend* IVectorBase::ControlBlend() const
{
  return mControl ? mControl->GetBlend() : nullptr;
}

bool IVectorBase::Animating() const
{
  return mControl && mControl->GetAnimationFunction();
}

// --- Drawing ---

void IVectorBase::DrawBackground(ICanvas& g, const IRECT& r)
{
  g.FillRect(GetColor(EVColor::Background), r, ControlBlend());
}

void IVectorBase::DrawWidget(ICanvas&) {}

void IVectorBase::DrawLabel(ICanvas& g)
{
  if (!mStyle.showLabel || mLabelBounds.H() == 0.f) return;
  g.DrawText(mStyle.labelText, mLabelStr.Get(), mLabelBounds, ControlBlend());
}

void IVectorBase::DrawValue(ICanvas& g, bool mouseOver)
{
  if (mouseOver) g.FillRect(COLOR_TRANSLUCENT, mValueBounds, nullptr);
  if (mStyle.showValue) g.DrawText(mStyle.valueText, mValueStr.Get(), mValueBounds, ControlBlend());
}

IRECT IVectorBase::DrawPressableShape(ICanvas& g, EVShape shape, const IRECT& bounds, bool pressed,
                                      bool mouseOver, bool disabled)
{
  switch (shape) {
  case EVShape::Rectangle:
  case EVShape::AllRounded:
    return DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled);
  case EVShape::Ellipse:
    DrawPressableEllipse(g, bounds, pressed, mouseOver, disabled);
    return bounds;
  case EVShape::Triangle:
    return DrawPressableTriangle(g, bounds, pressed, mouseOver, mStyle.angle, disabled);
  case EVShape::TopRounded:
    return DrawPressableRectangle(g, bounds, pressed, mouseOver, disabled, true, true, false, false);
  }
  return bounds;
}

IRECT IVectorBase::HandleRect(const IRECT& bounds) const
{
  IRECT h = bounds;
  if (mStyle.drawFrame) h = h.GetPadded(-mStyle.frameThickness / 2.f);
  if (mStyle.drawShadows) {
    h.L += mStyle.shadowOffset;
    h.R -= mStyle.shadowOffset;
    h.B -= mStyle.shadowOffset;
  }
  return h;
}

void IVectorBase::DrawSplash(ICanvas& g, const IRECT& clip)
{
  if (!Animating()) return;
  g.PathClipRegion(clip);
  g.FillCircle(GetColor(EVColor::Highlight), mSplashX, mSplashY, mSplashRadius, nullptr);
  g.PathClipRegion(IRECT());
}

IRECT IVectorBase::DrawPressableRectangle(ICanvas& g, const IRECT& bounds, bool pressed, bool mouseOver,
                                          bool disabled, bool roundTopLeft, bool roundTopRight,
                                          bool roundBottomLeft, bool roundBottomRight)
{
  const IRECT h = HandleRect(bounds);
  const float so = mStyle.shadowOffset; // the raw offset, also with shadows off
  const IRECT shadow = h.GetTranslated(so, so);
  const IRECT inner(h.L + so, h.T + so, h.R - so, h.B - so);
  const IRECT lowered(h.L + so, h.T + so, h.R, h.B);
  const float c = std::min(h.W(), h.H()) * mStyle.roundness * 0.5f;
  const float tl = roundTopLeft ? c : 0.f;
  const float tr = roundTopRight ? c : 0.f;
  const float bl = roundBottomLeft ? c : 0.f;
  const float br = roundBottomRight ? c : 0.f;
  const IBlend* b = ControlBlend();
  auto fill = [&](EVColor role, bool tint, const IRECT& r, const IBlend* blend) {
    const IColor& color = GetColor(role);
    g.FillRoundRectCorners(tint ? Tinted(color, disabled) : color, r, tl, tr, bl, br, blend);
  };

  if (!pressed && !mStyle.embossed) {
    if (mStyle.drawShadows) fill(EVColor::Shadow, false, shadow, b);
    fill(EVColor::Foreground, true, h, nullptr);
    if (mouseOver) fill(EVColor::Highlight, false, h, b);
  } else if (!pressed) {
    if (mStyle.drawShadows) fill(EVColor::Shadow, false, shadow, b);
    fill(EVColor::Pressed, true, h, nullptr);
    fill(EVColor::Shadow, true, shadow, nullptr);
    fill(EVColor::Foreground, true, inner, nullptr);
    if (mouseOver) fill(EVColor::Highlight, false, inner, b);
  } else if (!mStyle.embossed) {
    fill(EVColor::Pressed, true, h, nullptr);
    DrawSplash(g, h);
  } else {
    fill(EVColor::Pressed, false, h, b);
    fill(EVColor::Shadow, false, h, b);
    fill(EVColor::Foreground, true, lowered, nullptr);
    fill(EVColor::Pressed, false, inner, b);
    DrawSplash(g, h);
  }
  if (mStyle.drawFrame)
    g.DrawRoundRectCorners(GetColor(EVColor::Frame), h, tl, tr, bl, br, b, mStyle.frameThickness);
  return h;
}

void IVectorBase::DrawPressableEllipse(ICanvas& g, const IRECT& bounds, bool pressed, bool mouseOver,
                                       bool disabled)
{
  const IRECT& e = bounds;
  const float so = mStyle.shadowOffset;
  const IRECT shadow = e.GetTranslated(so, so);
  const IRECT inner(e.L + so, e.T + so, e.R - so, e.B - so);
  const IRECT lowered(e.L + so, e.T + so, e.R, e.B);
  const IBlend* b = ControlBlend();
  auto fill = [&](EVColor role, bool tint, const IRECT& r, const IBlend* blend) {
    const IColor& color = GetColor(role);
    g.FillEllipse(tint ? Tinted(color, disabled) : color, r, blend);
  };

  if (!pressed) {
    if (mStyle.drawShadows && !disabled) fill(EVColor::Shadow, false, shadow, nullptr);
    if (!mStyle.embossed) {
      fill(EVColor::Foreground, true, e, nullptr);
      if (mouseOver) fill(EVColor::Highlight, false, e, b);
    } else {
      fill(EVColor::Pressed, true, e, nullptr);
      fill(EVColor::Shadow, true, shadow, nullptr);
      fill(EVColor::Foreground, true, inner, nullptr);
      if (mouseOver) fill(EVColor::Highlight, false, inner, b);
    }
  } else if (!mStyle.embossed) {
    fill(EVColor::Pressed, true, e, nullptr);
    DrawSplash(g, e);
  } else {
    fill(EVColor::Pressed, false, e, b);
    fill(EVColor::Shadow, false, e, b);
    fill(EVColor::Foreground, true, lowered, nullptr);
    fill(EVColor::Pressed, true, inner, nullptr);
    DrawSplash(g, e);
  }
  if (mStyle.drawFrame) g.DrawEllipse(GetColor(EVColor::Frame), e, b, mStyle.frameThickness);
}

IRECT IVectorBase::DrawPressableTriangle(ICanvas& g, const IRECT& bounds, bool pressed, bool mouseOver,
                                         float angleDegrees, bool disabled)
{
  const IRECT h = HandleRect(bounds);
  const float cx = h.MW();
  const float cy = h.MH();
  const float hw = h.W() / 2.f;
  const float hh = h.H() / 2.f;
  const float a = angleDegrees * kDegToRad;
  const float c = std::cos(a);
  const float s = std::sin(a);
  float x[3];
  float y[3];
  const float dx[3] = {-hw, 0.f, hw};
  const float dy[3] = {hh, -hh, hh};
  for (int i = 0; i < 3; ++i) {
    x[i] = cx + dx[i] * c - dy[i] * s;
    y[i] = cy + dx[i] * s + dy[i] * c;
  }
  const float so = mStyle.shadowOffset;
  const IBlend* b = ControlBlend();
  auto fill = [&](const IColor& color, float d, const IBlend* blend) {
    g.FillTriangle(color, x[0] + d, y[0] + d, x[1] + d, y[1] + d, x[2] + d, y[2] + d, blend);
  };

  if (!pressed) {
    if (mStyle.drawShadows) fill(GetColor(EVColor::Shadow), so, b);
    fill(Tinted(GetColor(EVColor::Foreground), disabled), 0.f, nullptr);
    if (mouseOver) fill(GetColor(EVColor::Highlight), 0.f, b);
  } else {
    fill(Tinted(GetColor(EVColor::Pressed), disabled), 0.f, nullptr);
    if (mouseOver) fill(GetColor(EVColor::Highlight), 0.f, b);
    DrawSplash(g, IRECT()); // unclipped
  }
  if (mStyle.drawFrame)
    g.DrawTriangle(GetColor(EVColor::Frame), x[0], y[0], x[1], y[1], x[2], y[2], b, mStyle.frameThickness);
  return h;
}

// --- Layout ---

IRECT IVectorBase::MakeRects(const IRECT& parent, bool hasHandle)
{
  const ICanvas* g = mControl ? mControl->GetUI() : nullptr;
  IRECT area = parent;

  const bool hasArea = parent.W() > 0.f && parent.H() > 0.f; // false for NaN edges
  if (!hasArea || !std::isfinite(parent.W()) || !std::isfinite(parent.H())) {
    mLabelBounds = mWidgetBounds = mValueBounds = IRECT();
    return IRECT();
  }

  if (!mLabelInWidget) {
    if (!mStyle.showLabel || !*mLabelStr.Get()) {
      mLabelBounds = IRECT();
    } else {
      float w;
      float h;
      Measure(g, mStyle.labelText, mLabelStr.Get(), w, h);
      const IRECT& p = parent;
      const int position = mStyle.labelPosition;
      switch (position) {
      case 0:
        mLabelBounds = CentredBox(IRECT(p.L, p.T, p.R, p.T + h), w, h);
        break;
      case 1:
        mLabelBounds = CentredBox(IRECT(p.R - w, p.T, p.R, p.B), w, h);
        break;
      case 2:
        mLabelBounds = CentredBox(IRECT(p.L, p.B - h, p.R, p.B), w, h);
        break;
      case 3:
        mLabelBounds = CentredBox(IRECT(p.L, p.T, p.L + w, p.B), w, h);
        break;
      default:
        break;
      }
      if (!mLabelBounds.Empty()) {
        if (position == 0) area.T += mLabelBounds.H();
        if (position == 1) area.R -= mLabelBounds.W();
        if (position == 2) area.B -= mLabelBounds.H();
        if (position == 3) area.L += mLabelBounds.W();
      }
    }
  }

  const float f = mStyle.widgetFraction;
  if (!mStyle.showValue || mValueInWidget) {
    mWidgetBounds = ScaledAboutCentre(area, f);
  } else {
    float tw = 0.f;
    float th = 0.f;
    if (*mValueStr.Get()) Measure(g, mStyle.valueText, mValueStr.Get(), tw, th);
    const float hw = tw * mValueDisplayFrac;
    const float cx = area.MW();
    switch (mStyle.valueText.mVAlign) {
    case EVAlign::Top:
      mValueBounds = IRECT(cx - hw, area.T, cx + hw, area.T + th);
      mWidgetBounds = ScaledAboutCentre(IRECT(area.L, area.T + th, area.R, area.B), f);
      break;
    case EVAlign::Middle:
      mValueBounds = IRECT(cx - hw, area.MH() - th / 2.f, cx + hw, area.MH() + th / 2.f);
      mWidgetBounds = ScaledAboutCentre(area, f);
      break;
    case EVAlign::Bottom:
      mValueBounds = IRECT(cx - hw, area.B - th, cx + hw, area.B);
      mWidgetBounds = ScaledAboutCentre(IRECT(area.L, area.T, area.R, area.B - th), f);
      break;
    }
  }

  if (hasHandle) mWidgetBounds = ScaledAboutCentre(HandleRect(area), f); // the value strip stays in
  if (mLabelInWidget) mLabelBounds = mWidgetBounds;
  if (mValueInWidget) mValueBounds = mWidgetBounds;
  return area;
}

// --- Control-wide ---

void ICanvas::StyleAllVectorControls(const IVStyle& style)
{
  for (int i = 0; i < mControlList.GetSize(); ++i)
    if (auto* vector = dynamic_cast<IVectorBase*>(mControlList.Get(i))) vector->SetStyle(style);
}

} // namespace plugin::ui

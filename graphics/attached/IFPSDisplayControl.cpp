#include "graphics/attached/IFPSDisplayControl.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace plugin::ui {

namespace {

constexpr const char* kFont = "Roboto-Regular";

IText DisplayText(float size, const IColor& color, EAlign align, EVAlign valign)
{
  return IText(size, color, kFont, align, valign, 0.f, COLOR_WHITE, COLOR_BLACK);
}

} // namespace

IFPSDisplayControl::IFPSDisplayControl(const IRECT& bounds, int kind, const char* label)
    : IControl(bounds, -1), IVectorBase(DEFAULT_STYLE, false, false),
      mType(kind >= kFrequency && kind <= kPercentage ? kind : kFrequency)
{
  mNamedLabel.Set(label);
  AttachIControl(this, label);
  mStyle.colorSpec.SetColor(EVColor::Background, COLOR_WHITE);
  const IColor& frame = GetColor(EVColor::Frame);
  mAPIText = DisplayText(14.f, frame, EAlign::Near, EVAlign::Top);
  mTopRightText = DisplayText(18.f, frame, EAlign::Far, EVAlign::Top);
  mBottomLeftText = DisplayText(15.f, frame, EAlign::Near, EVAlign::Bottom);
  mTextStyle = DisplayText(14.f, frame, EAlign::Near, EVAlign::Bottom);
  SetDirty(false);
}

IFPSDisplayControl::~IFPSDisplayControl() = default;

void IFPSDisplayControl::OnMouseDown(float, float, const IMouseMod&)
{
  mType = (mType + 1) % 3;
}

bool IFPSDisplayControl::IsDirty()
{
  return true;
}

double IFPSDisplayControl::BarFraction(int kind, float sample) noexcept
{
  const double s = static_cast<double>(sample);
  double f = 0.0;
  if (kind == kMilliseconds)
    f = 0.05 * std::min(s * 1000.0, 20.0);
  else if (kind == kPercentage)
    f = 0.01 * std::min(s, 100.0);
  else
    f = 0.0125 * std::min(1.0 / (s + 1e-5), 80.0);
  return std::isnan(f) ? 0.0 : f;
}

void IFPSDisplayControl::FormatFigures(int kind, double sum, char (&main)[32], char (&below)[32])
{
  below[0] = '\0';
  if (kind == kMilliseconds) {
    std::snprintf(main, sizeof main, "%.2f ms", sum * 10.0);
  } else if (kind == kPercentage) {
    std::snprintf(main, sizeof main, "%.1f %%", sum * 0.01);
  } else {
    // An empty ring has no frame rate yet: 0, not infinity.
    std::snprintf(main, sizeof main, "%.2f FPS", sum > 0.0 ? 100.0 / sum : 0.0);
    std::snprintf(below, sizeof below, "%.2f ms", sum * 10.0);
  }
}

void IFPSDisplayControl::Draw(ICanvas& g)
{
  double sum = 0.0;
  for (float s : mBuffer)
    sum += static_cast<double>(s);

  g.FillRect(GetColor(EVColor::Background), mBounds, nullptr);
  g.DrawRect(COLOR_BLACK, mBounds, nullptr, 1.f);

  const IRECT r = mBounds.GetPadded(-2.f);
  const float w = r.W();
  const float h = r.H();
  g.PathClear();
  g.PathMoveTo(r.L, r.B);
  for (int i = 0; i < kNumSamples; ++i) {
    const float sample = mBuffer[(i + mReadPos) % kNumSamples];
    const float x = r.L + static_cast<float>(i) * w * 0.01010101f;
    g.PathLineTo(x, r.B - h * static_cast<float>(BarFraction(mType, sample)));
  }
  g.PathLineTo(mBounds.R, mBounds.B);
  g.PathFill(GetColor(EVColor::Foreground));

  if (const char* api = g.GetDrawingAPIStr(); api && *api) g.DrawText(mAPIText, api, r);
  g.DrawText(mTextStyle, mNamedLabel.Get(), r);

  char main[32];
  char below[32];
  FormatFigures(mType, sum, main, below);
  g.DrawText(mTopRightText, main, r);
  g.DrawText(mBottomLeftText, below, r);
}

} // namespace plugin::ui

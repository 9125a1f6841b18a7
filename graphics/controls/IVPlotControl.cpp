#include "graphics/controls/IVPlotControl.h"

#include "graphics/canvas/ICanvas.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

namespace {

constexpr double kFar = 1e6;

} // namespace

IVPlotControl::IVPlotControl(const IRECT& bounds, const std::initializer_list<Plot>& plots, int numPoints,
                             const char* label, const IVStyle& style, float min, float max, bool useLayer)
    : IControl(bounds), IVectorBase(style, false, false), mMin(min), mMax(max), mUseLayer(useLayer),
      mPoints(static_cast<size_t>(std::max(numPoints, 2)))
{
  mTextStyle = mStyle.valueText;
  AttachIControl(this, label);
  for (const Plot& plot : plots)
    AddPlotFunc(plot.color, plot.func);
}

IVPlotControl::~IVPlotControl() = default;

void IVPlotControl::AddPlotFunc(const IColor& color, const std::function<double(double)>& func)
{
  if (func) mPlots.push_back({color, func});
  SetDirty(false);
}

void IVPlotControl::OnResize()
{
  mHitRect = MakeRects(mBounds, false);
  mHovered = false;
  SetDirty(false);
}

double IVPlotControl::Normalise(double y) const noexcept
{
  if (std::isnan(y)) return 0.0;
  const double range = static_cast<double>(mMax) - static_cast<double>(mMin);
  if (range == 0.0) return 0.5;
  const double v = (y - static_cast<double>(mMin)) / range;
  // Far outside the area is as good as infinitely far, and stays a float.
  return std::isnan(v) ? 0.0 : std::clamp(v, -kFar, kFar);
}

void IVPlotControl::Draw(ICanvas& g)
{
  DrawBackground(g, mBounds);
  DrawLabel(g);
  if (!mUseLayer) {
    DrawWidget(g);
    return;
  }
  if (!g.CheckLayer(mLayer)) {
    g.StartLayer(this, mBounds, false);
    DrawWidget(g);
    mLayer = g.EndLayer();
  }
  g.DrawLayer(mLayer, GetBlend());
}

void IVPlotControl::DrawWidget(ICanvas& g)
{
  const IRECT& w = mWidgetBounds;
  const float xStep = w.W() / static_cast<float>(mHorizontalDivisions);
  const float yStep = w.H() / static_cast<float>(mVerticalDivisions + 2);
  const IRECT area(w.L, w.T + yStep, w.R, w.B - yStep);
  g.DrawGrid(GetColor(EVColor::Shadow), w, xStep, yStep, GetBlend(), 1.f);
  const int n = NPoints();
  for (const Plot& plot : mPlots) {
    for (int j = 0; j < n; ++j)
      mPoints[static_cast<size_t>(j)] =
          static_cast<float>(Normalise(plot.func(static_cast<double>(j) / static_cast<double>(n - 1))));
    g.DrawData(plot.color, area, mPoints.data(), n, nullptr, GetBlend(), mTrackSize, nullptr);
  }
  if (mStyle.drawFrame) g.DrawRect(GetColor(EVColor::Frame), w, GetBlend(), mStyle.frameThickness);
}

} // namespace plugin::ui

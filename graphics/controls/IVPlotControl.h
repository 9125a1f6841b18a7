#pragma once

#include "graphics/canvas/ILayer.h"
#include "graphics/control/IControl.h"
#include "graphics/control/IVectorBase.h"

#include <functional>
#include <initializer_list>
#include <vector>

namespace plugin::ui {

// Plots of functions y = f(x), x from 0 to 1, over a grid: each function is sampled at a fixed
// number of points and drawn as a line in its colour, min..max mapped to the plot area. The plots
// may be kept in a layer and redrawn only when it is invalidated. No parameter. Main thread only.
class IVPlotControl : public IControl, public IVectorBase
{
public:
  struct Plot
  {
    IColor color;
    std::function<double(double)> func;
  };

  // numPoints samples per function (at least 2).
  IVPlotControl(const IRECT& bounds, const std::initializer_list<Plot>& plots, int numPoints,
                const char* label = "", const IVStyle& style = DEFAULT_STYLE, float min = -1.f,
                float max = 1.f, bool useLayer = false);
  ~IVPlotControl() override;

  // Appends a function drawn in color; an empty function is not added.
  void AddPlotFunc(const IColor& color, const std::function<double(double)>& func);

  // Label, value and widget rectangles; redraw. Attaching and resizes.
  void OnResize() override;
  // Background and label, then the grid and plots, from the layer when one is used. Frame loop.
  void Draw(ICanvas& g) override;
  // The grid, every plot and the frame over the widget rectangle. Frame loop.
  void DrawWidget(ICanvas& g) override;

  // Where value y lies in min..max, as a fraction of the plot area's height: NaN at the bottom, any
  // value in the middle for a range of zero, infinities far outside the area.
  double Normalise(double y) const noexcept;
  int NPoints() const noexcept { return static_cast<int>(mPoints.size()); }
  int NPlots() const noexcept { return static_cast<int>(mPlots.size()); }

protected:
  ILayerPtr mLayer;
  std::vector<Plot> mPlots;
  float mMin;
  float mMax;
  bool mUseLayer;
  int mHorizontalDivisions = 10;
  int mVerticalDivisions = 10;
  std::vector<float> mPoints;
};

} // namespace plugin::ui

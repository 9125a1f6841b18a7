#pragma once

#include "graphics/canvas/ILayer.h"
#include "graphics/control/IControl.h"
#include "graphics/resources/ISVG.h"

namespace plugin::ui {

// A control drawing an SVG image over its bounds, optionally cached in a layer. Main thread only.
class ISVGControl : public IControl
{
public:
  ISVGControl(const IRECT& bounds, const ISVG& svg, bool useLayer = false);
  ~ISVGControl() override;

  // The frame loop draws the image (or its layer). Main thread.
  void Draw(ICanvas& g) override;

  const ISVG& GetSVG() const noexcept { return mSVG; }
  bool GetUseLayer() const noexcept { return mUseLayer; }

protected:
  bool mUseLayer;
  ILayerPtr mLayer;
  ISVG mSVG;
};

} // namespace plugin::ui

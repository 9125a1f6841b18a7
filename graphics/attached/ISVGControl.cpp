#include "graphics/attached/ISVGControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

ISVGControl::ISVGControl(const IRECT& bounds, const ISVG& svg, bool useLayer)
    : IControl(bounds, -1), mUseLayer(useLayer), mSVG(svg)
{}

ISVGControl::~ISVGControl() = default;

void ISVGControl::Draw(ICanvas& g)
{
  if (!mUseLayer) {
    g.DrawSVG(mSVG, mBounds, &mBlendState);
    return;
  }
  // The layer is drawn again only when the bounds or either scale changed since it was made.
  if (!g.CheckLayer(mLayer)) {
    g.StartLayer(this, mBounds, false);
    g.DrawSVG(mSVG, mBounds);
    mLayer = g.EndLayer();
  }
  g.DrawLayer(mLayer, &mBlendState);
}

} // namespace plugin::ui

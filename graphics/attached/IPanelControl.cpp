#include "graphics/attached/IPanelControl.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

IPanelControl::IPanelControl(const IRECT& bounds, const IPattern& pattern, bool drawFrame)
    : IContainerBase(bounds), mPattern(pattern), mDrawFrame(drawFrame)
{}

IPanelControl::~IPanelControl() = default;

void IPanelControl::Draw(ICanvas& g)
{
  const IRECT& r = mBounds;
  g.PathMoveTo(r.L, r.T);
  g.PathLineTo(r.R, r.T);
  g.PathLineTo(r.R, r.B);
  g.PathLineTo(r.L, r.B);
  g.PathClose();
  g.PathFill(mPattern, IFillOptions(EFillRule::Winding, false), &mBlendState);
  if (mDrawFrame) g.DrawRect(COLOR_LIGHT_GRAY, r, &mBlendState, 1.f);
}

} // namespace plugin::ui

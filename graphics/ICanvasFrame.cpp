#include "graphics/ICanvas.h"

// Placeholders until the frame loop lands: nothing is reported dirty and nothing is drawn.

namespace plugin::ui {

void ICanvas::BeginFrame() {}

bool ICanvas::IsDirty(IRECTList&)
{
  return false;
}

void ICanvas::Draw(IRECTList&) {}
void ICanvas::Draw(const IRECT&, float) {}
void ICanvas::DrawControl(IControl*, const IRECT&, float) {}
void ICanvas::PrepareRegion(const IRECT&) {}

void ICanvas::SetSingleDirtyRegion(bool single)
{
  mSingleDirtyRegion = single;
}

void ICanvas::DrawBitmapFrame(const IBitmap&, const IRECT&, int, const IBlend*) {}
void ICanvas::DrawBitmapText(const IBitmap&, const IRECT&, const IText&, const IBlend*, const char*, bool,
                             bool, int, int, int)
{}

} // namespace plugin::ui

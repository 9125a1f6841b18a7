#include "graphics/controls/IBitmapControl.h"

namespace plugin::ui {

IBitmapControl::IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx, EBlend blend)
    : IControl(IRECT::MakeXYWH(x, y, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())),
               paramIdx),
      mBitmap(bitmap)
{
  mBlendState = IBlend(blend, 1.f);
}

IBitmapControl::~IBitmapControl() = default;

// Placeholder until the bitmap controls land: nothing is drawn.
void IBitmapControl::Draw(ICanvas&) {}

} // namespace plugin::ui

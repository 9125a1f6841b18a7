#include "graphics/attached/IBitmapControl.h"

namespace plugin::ui {

IBitmapControl::IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx, EBlend blend)
    : IControl(IRECT::MakeXYWH(x, y, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())),
               paramIdx),
      IBitmapBase(bitmap)
{
  mBlendState = IBlend(blend, 1.f);
  AttachIControl(this);
}

IBitmapControl::~IBitmapControl() = default;

void IBitmapControl::OnRescale()
{
  IBitmapBase::OnRescale();
}

void IBitmapControl::Draw(ICanvas& g)
{
  DrawBitmap(g);
}

} // namespace plugin::ui

#include "graphics/controls/IBKnobControl.h"

namespace plugin::ui {

IBKnobControl::IBKnobControl(const IRECT& bounds, const IBitmap& bitmap, int paramIdx, EDirection direction,
                             double gearing)
    : IKnobControlBase(
          CentredFrameRect(bounds, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())),
          paramIdx, direction, gearing),
      IBitmapBase(bitmap)
{
  AttachIControl(this);
}

IBKnobControl::~IBKnobControl() = default;

void IBKnobControl::Draw(ICanvas& g)
{
  DrawBitmap(g);
}

void IBKnobControl::OnRescale()
{
  IBitmapBase::OnRescale();
}

} // namespace plugin::ui

#include "graphics/controls/IBButtonControl.h"

namespace plugin::ui {

IBButtonControl::IBButtonControl(float x, float y, const IBitmap& bitmap, IActionFunction action)
    : IBButtonControl(IRECT::MakeXYWH(x, y, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())),
                      bitmap, std::move(action))
{}

IBButtonControl::IBButtonControl(const IRECT& bounds, const IBitmap& bitmap, IActionFunction action)
    : IButtonControlBase(
          CentredFrameRect(bounds, static_cast<float>(bitmap.FW()), static_cast<float>(bitmap.FH())),
          std::move(action)),
      IBitmapBase(bitmap)
{
  AttachIControl(this);
}

IBButtonControl::~IBButtonControl() = default;

void IBButtonControl::Draw(ICanvas& g)
{
  DrawBitmap(g);
}

void IBButtonControl::OnRescale()
{
  IBitmapBase::OnRescale();
}

} // namespace plugin::ui

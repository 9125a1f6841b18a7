#include "graphics/resources/ISVG.h"

#include "graphics/svg/SvgImage.h"

namespace plugin::ui {

float ISVG::W() const noexcept
{
  return mImage ? mImage->width : 0.f;
}

float ISVG::H() const noexcept
{
  return mImage ? mImage->height : 0.f;
}

SVGHolder::~SVGHolder()
{
  SvgDelete(mImage);
}

} // namespace plugin::ui

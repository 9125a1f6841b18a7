#include "graphics/controls/VectorControlHelpers.h"

#include "framework/params/IParam.h"
#include "graphics/control/IControl.h"

namespace plugin::ui {

bool ParamValueText(const IControl& control, StringBuf& out, bool withUnit)
{
  const IParam* param = control.GetParam(0);
  if (!param) return false;
  if (withUnit)
    param->GetDisplayWithLabel(out, true);
  else
    param->GetDisplay(param->Value(), false, out, true);
  return true;
}

} // namespace plugin::ui

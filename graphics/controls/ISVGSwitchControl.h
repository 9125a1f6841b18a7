#pragma once

#include "graphics/control/ISwitchControlBase.h"
#include "graphics/resources/ISVG.h"

#include <initializer_list>
#include <vector>

namespace plugin::ui {

// A multi-position switch showing one SVG image per position, scaled to its bounds; each press
// steps to the next position. Bound to a parameter it takes the parameter's number of values,
// for which it should be given as many images. Main thread only.
class ISVGSwitchControl : public ISwitchControlBase
{
public:
  // As many positions as images.
  ISVGSwitchControl(const IRECT& bounds, const std::initializer_list<ISVG>& svgs, int paramIdx = -1,
                    IActionFunction action = nullptr);
  ~ISVGSwitchControl() override;

  // The image of the position nearest the value; a position beyond the list shows the last
  // image, and a switch without images draws nothing. Frame loop.
  void Draw(ICanvas& g) override;

  // Index into the images for the value: the nearest position, limited to the list; -1 for none.
  int ImageIndex() const noexcept;
  int NImages() const noexcept { return static_cast<int>(mSVGs.size()); }

protected:
  std::vector<ISVG> mSVGs;
};

} // namespace plugin::ui

#pragma once

#include "graphics/IControl.h"
#include "graphics/IPattern.h"

namespace plugin::ui {

// A rectangle filled with a pattern, optionally framed; a background panel is one. Main thread only.
class IPanelControl : public IControl
{
public:
  IPanelControl(const IRECT& bounds, const IPattern& pattern, bool drawFrame = false);
  ~IPanelControl() override;

  // The frame loop fills the bounds. Main thread.
  void Draw(ICanvas& g) override;

  const IPattern& GetPattern() const noexcept { return mPattern; }
  bool GetDrawFrame() const noexcept { return mDrawFrame; }

protected:
  IPattern mPattern;
  bool mDrawFrame;
};

} // namespace plugin::ui

#pragma once

#include "graphics/control/IContainerBase.h"
#include "graphics/values/IPattern.h"

namespace plugin::ui {

// A rectangle filled with a pattern, optionally framed; a background panel is one. It is a
// container, so that a panel can group the controls drawn on it. Main thread only.
class IPanelControl : public IContainerBase
{
public:
  // No attach or resize function of its own.
  IPanelControl(const IRECT& bounds, const IPattern& pattern, bool drawFrame = false);
  ~IPanelControl() override;

  // The frame loop fills the bounds, then frames them when asked. Main thread; no allocation.
  void Draw(ICanvas& g) override;

  const IPattern& GetPattern() const noexcept { return mPattern; }
  bool GetDrawFrame() const noexcept { return mDrawFrame; }

protected:
  IPattern mPattern;
  bool mDrawFrame;
};

} // namespace plugin::ui

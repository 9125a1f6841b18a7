#pragma once

#include "framework/runloop/RunLoopClock.h"
#include "graphics/ICanvas.h"
#include "graphics/IRECTList.h"

#include <vector>

namespace plugin::ui::test {

// Runs a graphics context's frames as the platform view's timer does (empty the list, IsDirty,
// then SetAllControlsClean and Draw when something is dirty), on a virtual clock that it installs
// on the main run loop for its lifetime and moves one frame interval before every frame.
class FrameDriver
{
public:
  explicit FrameDriver(ICanvas& ui, double startMs = 1000.0);
  ~FrameDriver();
  FrameDriver(const FrameDriver&) = delete;
  FrameDriver& operator=(const FrameDriver&) = delete;

  // One frame; true when it drew. lastDirty keeps the rectangles IsDirty reported, lastDrawn the
  // list Draw left (aligned and merged).
  bool Tick();
  // n frames; the number that drew.
  int Run(int n);
  // Moves the virtual clock without running a frame.
  void AdvanceMs(double ms) { mClock.AdvanceMs(ms); }
  double NowMs() const { return mClock.NowMs(); }

  std::vector<IRECT> lastDirty;
  std::vector<IRECT> lastDrawn;
  int framesDrawn = 0;

private:
  ICanvas& mUI;
  ManualRunLoopClock mClock;
  IRECTList mRects;
};

} // namespace plugin::ui::test

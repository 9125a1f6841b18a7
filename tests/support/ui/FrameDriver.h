#pragma once

#include "framework/runloop/RunLoop.h"
#include "framework/runloop/RunLoopClock.h"
#include "graphics/canvas/ICanvas.h"
#include "graphics/values/IRECTList.h"

#include <vector>

namespace plugin::ui::test {

// Runs a graphics context's frames as the platform view's timer does (empty the list, IsDirty,
// then SetAllControlsClean and Draw when something is dirty), on a virtual clock that it installs
// on the main run loop for its lifetime and moves one frame interval before every frame.
class FrameDriver
{
public:
  explicit FrameDriver(ICanvas& ui, double startMs = 1000.0) : mUI(ui), mClock(startMs)
  {
    RunLoop::Main().SetClock(&mClock);
  }
  ~FrameDriver() { RunLoop::Main().SetClock(nullptr); }
  FrameDriver(const FrameDriver&) = delete;
  FrameDriver& operator=(const FrameDriver&) = delete;

  // One frame; true when it drew. lastDirty keeps what IsDirty reported, lastDrawn what Draw left
  // of the list (aligned and merged).
  bool Tick()
  {
    mClock.AdvanceMs(1000.0 / (mUI.FPS() > 0 ? mUI.FPS() : 60));
    mRects.Clear();
    const bool dirty = mUI.IsDirty(mRects);
    lastDirty = Rects();
    lastDrawn.clear();
    if (!dirty) return false;
    mUI.SetAllControlsClean();
    mUI.Draw(mRects);
    lastDrawn = Rects();
    return true;
  }
  // Moves the virtual clock without a frame.
  void AdvanceMs(double ms) { mClock.AdvanceMs(ms); }

  std::vector<IRECT> lastDirty;
  std::vector<IRECT> lastDrawn;

private:
  std::vector<IRECT> Rects() const
  {
    std::vector<IRECT> out;
    for (int i = 0; i < mRects.Size(); ++i)
      out.push_back(mRects.Get(i));
    return out;
  }

  ICanvas& mUI;
  ManualRunLoopClock mClock;
  IRECTList mRects;
};

} // namespace plugin::ui::test

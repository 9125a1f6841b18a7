#include "support/ui/FrameDriver.h"

#include "framework/runloop/RunLoop.h"

namespace plugin::ui::test {

namespace {

std::vector<IRECT> Copy(const IRECTList& list)
{
  std::vector<IRECT> out;
  for (int i = 0; i < list.Size(); ++i)
    out.push_back(list.Get(i));
  return out;
}

} // namespace

FrameDriver::FrameDriver(ICanvas& ui, double startMs) : mUI(ui), mClock(startMs)
{
  RunLoop::Main().SetClock(&mClock);
}

FrameDriver::~FrameDriver()
{
  RunLoop::Main().SetClock(nullptr);
}

bool FrameDriver::Tick()
{
  mClock.AdvanceMs(1000.0 / (mUI.FPS() > 0 ? mUI.FPS() : 60));
  mRects.Clear();
  const bool dirty = mUI.IsDirty(mRects);
  lastDirty = Copy(mRects);
  lastDrawn.clear();
  if (!dirty) return false;
  mUI.SetAllControlsClean();
  mUI.Draw(mRects);
  lastDrawn = Copy(mRects);
  ++framesDrawn;
  return true;
}

int FrameDriver::Run(int n)
{
  int drawn = 0;
  for (int i = 0; i < n; ++i)
    drawn += Tick() ? 1 : 0;
  return drawn;
}

} // namespace plugin::ui::test

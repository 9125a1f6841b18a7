#include "vst3/adapter/TransportInfo.h"

namespace plugin::vst3 {

using Steinberg::Vst::ProcessContext;

void FillTimeInfo(const ProcessContext& context, ITimeInfo& info) noexcept
{
  info.mTempo = context.tempo;
  info.mSamplePos = (context.state & ProcessContext::kProjectTimeMusicValid)
                        ? static_cast<double>(context.projectTimeSamples)
                        : -1.0;
  info.mPPQPos = context.projectTimeMusic;
  info.mLastBar = context.barPositionMusic;
  info.mCycleStart = context.cycleStartMusic;
  info.mCycleEnd = context.cycleEndMusic;
  info.mNumerator = context.timeSigNumerator;
  info.mDenominator = context.timeSigDenominator;
  info.mTransportIsRunning = (context.state & ProcessContext::kPlaying) != 0;
  info.mTransportLoopEnabled = (context.state & ProcessContext::kCycleActive) != 0;
}

} // namespace plugin::vst3

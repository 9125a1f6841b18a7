#pragma once

#include "engine/dsp/BlockValues.h"
#include "engine/dsp/ChannelState.h"
#include "engine/dsp/DspMath.h"
#include "engine/dsp/FilterBank.h"
#include "engine/dsp/TubeStage.h"

#include <array>

namespace kelmo::dsp {

// Retunes the stereo band-pass of channel c from its attack and release (through the block's tuning) and
// its meter. Returns false when the tube mode of channel 1's set is not 0 or 1 (no retune).
bool RetuneStereoBandPass(ChannelState& ch, FilterBank& filters, int c, const BlockValues& block) noexcept;

// Depth 0..1 of the summed gain reduction of both meters, feeding the stereo stage's level.
double MeterDepth(double readout0, double readout1) noexcept;

// "Vari Gain" stage on both channels' processed samples: band-passed difference and sum drive
// two tube stages, whose added harmonics go into mid and side. Owned by the engine; audio thread.
class StereoStage
{
public:
  // Processes one frame in place. levelFactor is 0.3 after a stereo band-pass retune, else 1. No
  // allocation.
  void Run(std::array<ChannelState, 2>& channels, FilterBank& filters, const BlockValues& block, double depth,
           double levelFactor) noexcept;

  // What a reset clears: the phase smoother. The tube stages keep their state.
  void Reset() noexcept { mPhaseSmoother = kDenormalOffset; }

  // Reset, and the tube stages zeroed too (recovery from a non-finite state).
  void Clear() noexcept
  {
    Reset();
    mSumTube.Clear();
    mDifferenceTube.Clear();
  }

  // The carried value that joins the engine's finiteness check.
  double CarriedSum() const noexcept { return mPhaseSmoother; }

private:
  double mPhaseSmoother = kDenormalOffset; // slow average of the band-passed phase term
  TubeStage mSumTube;                      // drives the mid from the summed band-passes
  TubeStage mDifferenceTube;               // drives the side from the phase term
};

} // namespace kelmo::dsp

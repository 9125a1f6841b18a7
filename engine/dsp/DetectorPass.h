#pragma once

#include "engine/dsp/BlockValues.h"
#include "engine/dsp/ChannelState.h"
#include "engine/dsp/FilterBank.h"

namespace kelmo::dsp {

// Noise bits one channel's detector draws in a frame: first the level loop's, then the
// envelope loop's.
struct DetectorBits
{
  int level[kMaxSubSteps];
  int envelope[kMaxSubSteps];
};

// Front of the detector of channel c for one frame: input gain, side-chain blend and topology,
// side-chain high-pass and gain shaping, compensation and level calibration. Leaves the
// detector input in ch.channelSignal. Runs for active and inactive channels alike.
// Audio thread; no allocation.
void RunDetectorFront(ChannelState& ch, FilterBank& filters, int c, const SideValues& side,
                      const BlockValues& block, double sidechainSample) noexcept;

// Level and envelope sub-step loops of active channels, leaving each frame's envelope in
// envelope. V = double runs the one channel in lanes[0]; V = Pair runs channels 0 and 1 side by
// side. Audio thread; no allocation.
template <class V>
void RunDetectorLoops(ChannelState* const* lanes, const SideValues* const* sides, const BlockValues& block,
                      const DetectorBits* const* bits) noexcept;

} // namespace kelmo::dsp

#pragma once

#include "engine/dsp/BlockValues.h"
#include "engine/dsp/ChannelState.h"
#include "engine/dsp/FilterBank.h"
#include "engine/dsp/TubeStage.h"

#include <array>

namespace kelmo::dsp {

// Retunes section 3 of channel c from its attack and release (through the block's tuning) and
// its meter. Returns false when the tube mode of channel 1's set is not 0 or 1 (no retune).
bool RetuneStereoBandPass(ChannelState& ch, FilterBank& filters, int c, const BlockValues& block) noexcept;

// Depth 0..1 of the summed gain reduction of both meters, feeding the stereo stage's level.
double MeterDepth(double readout0, double readout1) noexcept;

// "Vari Gain" stage on both channels' processed samples: band-passed difference and sum drive
// the tube stage, whose added harmonics go into mid and side. levelFactor is 0.3 after a
// section 3 retune, else 1. Audio thread; no allocation.
void RunStereoStage(std::array<ChannelState, 2>& channels, FilterBank& filters, const BlockValues& block,
                    double depth, double levelFactor, std::array<double, 2>& midSide,
                    TubeStage& tube) noexcept;

} // namespace kelmo::dsp

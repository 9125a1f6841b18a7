#pragma once

#include "engine/dsp/BlockValues.h"
#include "engine/dsp/ChannelState.h"
#include "engine/dsp/FilterBank.h"
#include "engine/dsp/NoiseGenerator.h"

#include <array>

namespace kelmo::dsp {

// Gain computers of both channels for one frame, after both detector passes: the inactive
// branch (dry signal, quiet state, meter decay) of a channel whose active flag is clear, the
// stereo envelope, the gain sub-step loop and gain cell (both channels side by side when both are
// active), the tube-mode band-pass retune and the meters. bits is room for the channels' noise
// bits (drawn here). toneWeights receives each channel's tone weight from the retune, which the
// colour stage of an active channel uses next. Audio thread; no allocation.
void RunGainPasses(std::array<ChannelState, 2>& channels, FilterBank& filters, const BlockValues& block,
                   const bool* active, NoiseGenerator& noise, double* toneWeights,
                   int (*bits)[kMaxSubSteps]) noexcept;

// Needle position 0..1 of a gain-reduction readout in dB.
double NeedleForReadout(double readoutDb) noexcept;

} // namespace kelmo::dsp

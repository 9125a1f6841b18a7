#pragma once

#include "engine/dsp/BlockValues.h"
#include "engine/dsp/ChannelState.h"
#include "engine/dsp/FilterBank.h"
#include "engine/dsp/NoiseGenerator.h"

#include <array>

namespace kelmo::dsp {

// Gain computer of channel c for one frame, after both detector passes: the inactive branch
// (dry signal, quiet state, meter decay), the stereo envelope, the tube-mode retune of
// sections 2 and 8, the gain sub-step loop, the gain cell and the meters. midSide is the
// engine's mid/side scratch pair. Returns the tone weight of the retune, which the colour stage
// of an active channel uses next. Audio thread; no allocation.
double RunGainPass(std::array<ChannelState, 2>& channels, FilterBank& filters, int c,
                   const BlockValues& block, bool active, std::array<double, 2>& midSide,
                   NoiseGenerator& noise) noexcept;

// Needle position 0..1 of a gain-reduction readout in dB.
double NeedleForReadout(double readoutDb) noexcept;

} // namespace kelmo::dsp

#pragma once

#include "engine/dsp/BlockValues.h"
#include "engine/dsp/ChannelState.h"
#include "engine/dsp/FilterBank.h"

namespace kelmo::dsp {

// Program-dependent tone added after the gain cell of active channels: filtered parts of the
// removed signal, tube-mode band-passes, slope and follower terms, the tube-mode polynomial and
// the wet gain. toneWeights holds each lane's weight from the tube-mode retune of the same
// frame. V = double runs the one channel lanes[0] (its index is channel); V = Pair runs
// channels 0 and 1 side by side. Audio thread; no allocation.
template <class V>
void RunColourStage(ChannelState* const* lanes, FilterBank& filters, int channel,
                    const SideValues* const* sides, const BlockValues& block,
                    const double* toneWeights) noexcept;

} // namespace kelmo::dsp

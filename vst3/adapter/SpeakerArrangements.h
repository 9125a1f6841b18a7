#pragma once

#include <cstdint>

namespace plugin::vst3 {

// Speaker bitmask the binding gives a bus of nChannels channels: mono, stereo, LRC, first-order
// ambisonics, 5.0, 5.1, 7.0, 7.1, second-order ambisonics, 7.1 with two top-side speakers and
// third-order ambisonics; 0 (empty) for every other count. Any thread.
uint64_t ArrangementForChannels(int nChannels) noexcept;

// Number of speakers (set bits) of an arrangement. Any thread.
int ChannelsOfArrangement(uint64_t arrangement) noexcept;

} // namespace plugin::vst3

#pragma once

#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <cstdint>

namespace plugin::vst3host {

// The transport a host hands to a process call while it plays a song from its start at one fixed
// tempo in 4/4: the block's position in samples and quarter notes, the start of its bar, the
// tempo and the time signature, each flagged valid, and the playing flag. No loop, recording,
// system time or chord. samplePosition counts frames from the start (0 for the first block).
Steinberg::Vst::ProcessContext PlayingTransport(double sampleRate, double tempoBpm,
                                                int64_t samplePosition) noexcept;

} // namespace plugin::vst3host

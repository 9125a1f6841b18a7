#pragma once

#include "framework/processor/ITimeInfo.h"

#include "pluginterfaces/vst/ivstprocesscontext.h"

namespace plugin::vst3 {

// Copies the host's transport into the framework's time info: tempo, the sample position (only
// when the musical position is valid, else -1), the musical positions, the time signature, and
// whether the transport plays and loops. Audio thread; no allocation.
void FillTimeInfo(const Steinberg::Vst::ProcessContext& context, ITimeInfo& info) noexcept;

} // namespace plugin::vst3

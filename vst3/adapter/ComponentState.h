#pragma once

#include "framework/buffers/IByteChunk.h"
#include "framework/plugin/IPluginBase.h"

namespace plugin::vst3 {

// The component state the binding saves: the plug-in's state (one native double per parameter in
// index order for the framework's own layout), then the bypass flag as a native int32 (1 or 0).
// Main thread.

// Appends the whole state to out; false (out may hold a partial state) when the plug-in could not
// serialise or memory ran out. Allocates.
bool WriteComponentState(const IPluginBase& plug, bool bypassed, IByteChunk& out);

// How much of a state ReadComponentState applied.
enum EStateRead : int {
  kStateRefused = 0,     // nothing applied
  kStateWithoutFlag = 1, // the plug-in's state applied; no bypass flag after it
  kStateWhole = 2,       // the plug-in's state applied and the bypass flag read
};

// Applies a state written by WriteComponentState and reads its bypass flag. Data shorter than the
// plug-in's current state, or a state the plug-in rejects half-way (rolled back), changes nothing.
// A state without a whole flag after it is applied all the same: older sessions may end there.
// Allocates.
EStateRead ReadComponentState(IPluginBase& plug, const IByteChunk& in, bool& bypassed);

} // namespace plugin::vst3

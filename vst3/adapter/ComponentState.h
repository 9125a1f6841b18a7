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

// Applies a state written by WriteComponentState and reads its bypass flag. The data must hold at
// least as many bytes as the plug-in's current state plus the flag; a shorter or unreadable state
// changes nothing and gives false (a state the plug-in rejects half-way is rolled back). Allocates.
bool ReadComponentState(IPluginBase& plug, const IByteChunk& in, bool& bypassed);

} // namespace plugin::vst3

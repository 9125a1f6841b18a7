#pragma once

namespace plugin::layer {

// Work that must run when the host leaves the module for the last time (the outermost
// ModuleExit), such as freeing objects the module keeps for its whole life.

// Adds fn to the hooks; adding one already there does nothing. At most kMaxModuleExitHooks; false
// when full. Host main thread (during factory creation); no allocation.
inline constexpr int kMaxModuleExitHooks = 8;
bool AtModuleExit(void (*fn)()) noexcept;

// Runs every hook once, last added first, and forgets them. Called by the outermost ModuleExit
// on the host's main thread.
void RunModuleExitHooks() noexcept;

} // namespace plugin::layer

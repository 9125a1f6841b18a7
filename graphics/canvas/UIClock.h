#pragma once

namespace plugin::ui {

// Milliseconds of the main run loop's clock (the monotonic clock, or the virtual clock a test set),
// used for control animations. Main thread; no allocation.
double UINowMs() noexcept;

} // namespace plugin::ui

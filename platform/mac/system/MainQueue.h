#pragma once

#include <functional>

// The main queue: blocks queued here run on the main run loop's next pass, in the order they
// were queued, after whatever the main thread is doing now has returned.
namespace plugin::sys {

// Queues block; an empty block is dropped. Any thread; allocates, locks briefly. The block
// runs on the main run loop's thread and may allocate and lock.
void DispatchAsyncMain(std::function<void()> block);

} // namespace plugin::sys

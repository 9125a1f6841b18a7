#include "platform/mac/system/MainQueue.h"

#include "platform/mac/system/RunLoopTimer.h"

#include <memory>

namespace plugin::sys {

namespace {

void RunBlock(void* info)
{
  // Owned here from now on, freed even when the block throws.
  const std::unique_ptr<std::function<void()>> block(static_cast<std::function<void()>*>(info));
  (*block)();
}

} // namespace

void DispatchAsyncMain(std::function<void()> block)
{
  if (!block) return;
  auto owned = std::make_unique<std::function<void()>>(std::move(block));
  // A one-shot entry due on the next pass; entries due together run in the order added.
  if (MainRunLoop().AddTimer(&RunBlock, owned.get(), plugin::RunLoop::kNextPass, 0.0) != 0) owned.release();
}

} // namespace plugin::sys

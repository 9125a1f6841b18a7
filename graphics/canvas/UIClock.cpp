#include "graphics/canvas/UIClock.h"

#include "framework/runloop/RunLoop.h"

namespace plugin::ui {

double UINowMs() noexcept
{
  return plugin::RunLoop::Main().NowMs();
}

} // namespace plugin::ui

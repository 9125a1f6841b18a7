#include "vst3/layer/ModuleExitHooks.h"

#include <mutex>

namespace plugin::layer {
namespace {

std::mutex gHookMutex;
void (*gHooks[kMaxModuleExitHooks])() = {};
int gNumHooks = 0;

} // namespace

bool AtModuleExit(void (*fn)()) noexcept
{
  if (!fn) return false;
  std::lock_guard<std::mutex> lock(gHookMutex);
  for (int i = 0; i < gNumHooks; ++i)
    if (gHooks[i] == fn) return true;
  if (gNumHooks == kMaxModuleExitHooks) return false;
  gHooks[gNumHooks++] = fn;
  return true;
}

void RunModuleExitHooks() noexcept
{
  std::lock_guard<std::mutex> lock(gHookMutex);
  while (gNumHooks > 0)
    gHooks[--gNumHooks]();
}

} // namespace plugin::layer

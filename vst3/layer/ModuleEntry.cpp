// The module entry points a Linux host calls right after loading the bundle and right before
// unloading it. Entries nest: the host may enter several times and must exit as often.
#include "vst3/layer/ModuleEntry.h"
#include "vst3/layer/ModuleExitHooks.h"

#include <atomic>
#include <mutex>

namespace plugin::layer {
namespace {

std::mutex gEntryMutex;
int gEntryCount = 0;
std::atomic<void*> gModuleHandle{nullptr};

} // namespace

void* ModuleHandle()
{
  return gModuleHandle.load();
}

} // namespace plugin::layer

// Host, main thread, once per load before GetPluginFactory: records the module handle.
extern "C" __attribute__((visibility("default"))) bool ModuleEntry(void* sharedLibraryHandle)
{
  std::lock_guard<std::mutex> lock(plugin::layer::gEntryMutex);
  if (plugin::layer::gEntryCount++ == 0) plugin::layer::gModuleHandle.store(sharedLibraryHandle);
  return true;
}

// Host, main thread, once per ModuleEntry before unloading. The outermost exit runs the module's
// exit hooks. False for an exit without entry.
extern "C" __attribute__((visibility("default"))) bool ModuleExit()
{
  std::lock_guard<std::mutex> lock(plugin::layer::gEntryMutex);
  if (plugin::layer::gEntryCount == 0) return false;
  if (--plugin::layer::gEntryCount == 0) {
    plugin::layer::gModuleHandle.store(nullptr);
    plugin::layer::RunModuleExitHooks();
  }
  return true;
}

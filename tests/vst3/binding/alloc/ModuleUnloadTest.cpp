// Loading and unloading the bundle over and over leaves nothing behind on the heap. The bundle
// must really unload between rounds, so this lives apart from the binding tests, which keep it
// mapped.
#include "tools/vst3host/PluginInstance.h"

#include <gtest/gtest.h>

#include <malloc.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELMO_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KELMO_TEST_ASAN 1
#endif
#ifdef KELMO_TEST_ASAN
#include <sanitizer/lsan_interface.h>
#endif

namespace {

TEST(ModuleUnload, EachLoadAndUnloadFreesWhatItMade)
{
  auto cycle = [] {
    std::string error;
    auto plug = plugin::vst3host::PluginInstance::Load(KELMO_BUNDLE, error);
    ASSERT_TRUE(plug) << error;
  };
  for (int i = 0; i < 3; ++i) // first-use allocations of the loader itself
    cycle();
  constexpr int kRounds = 100;
  [[maybe_unused]] const size_t before = mallinfo2().uordblks;
  for (int i = 0; i < kRounds; ++i)
    cycle();
#ifdef KELMO_TEST_ASAN
  // An object the unloaded module stranded is unreachable now.
  EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#else
  // The allocator's caches and the system's loader keep about 130 bytes per round until the
  // process exits; a stranded main run loop adds 208.
  EXPECT_LT((mallinfo2().uordblks - before) / kRounds, 200u);
#endif
}

} // namespace

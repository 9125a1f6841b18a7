#include "platform/mac/system/Bundle.h"
#include "platform/mac/system/FontRegistry.h"

#include "engine/presets/TempFolder.h"
#include "support/ui/FontFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace plugin::sys;
using namespace fonttest;

TEST(SystemRegistriesThreads, BundlesRegisteredAndLookedUpFromSeveralThreads)
{
  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([t, &mismatches] {
      const std::string id = "threads.bundle." + std::to_string(t);
      for (int i = 0; i < 300; ++i) {
        const std::string path = "/b/" + std::to_string(t) + "/" + std::to_string(i);
        Bundle::Register(id.c_str(), path.c_str(), "");
        const auto found = Bundle::WithIdentifier(id.c_str());
        if (!found || found->BundlePath() != path) ++mismatches;
        if (!Bundle::Main()) ++mismatches;
        Bundle::Unregister(id.c_str());
      }
    });
  for (auto& th : threads)
    th.join();
  EXPECT_EQ(mismatches.load(), 0);
}

TEST(SystemRegistriesThreads, FontMatchesWhileTheFolderListChanges)
{
  TempFolder a, b;
  WriteFile(a / "Lato-Bold.ttf", ReadFile(DebianFontPath("Lato-Bold.ttf")));
  WriteFile(b / "Roboto-Bold.ttf", ReadFile(DebianFontPath("Roboto-Bold.ttf")));
  FontRegistry& registry = FontRegistry::Shared();
  registry.SetFolders({a.Path()});

  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  std::vector<std::thread> readers;
  for (int t = 0; t < 2; ++t)
    readers.emplace_back([&] {
      while (!stop.load()) {
        // Exactly one of the two fonts is installed at any time.
        const size_t n = registry.Match("Lato", "Bold").size() + registry.Match("Roboto", "Bold").size();
        if (n > 1) ++wrong;
        for (const auto& font : registry.Fonts())
          if (font->StyleName() != "Bold") ++wrong;
      }
    });
  for (int i = 0; i < 40; ++i)
    registry.SetFolders({i % 2 ? a.Path() : b.Path()});
  stop = true;
  for (auto& th : readers)
    th.join();
  registry.SetFolders({});
  EXPECT_EQ(wrong.load(), 0);
}

#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "engine/presets/UserPresetFileIO.h"
#include "engine/presets/UserPresetLocation.h"
#include "support/TempFolder.h"

// Several instances share the preset files with no lock between them: a reader must only ever
// see a whole file, the old one or the new one, never a half-written one.
TEST(UserPresetFileThreads, ReadersSeeWholeFilesWhileAnotherInstanceSaves)
{
  testsupport::TempFolder tmp;
  const std::string path = tmp / "Kelmo Presets/0 User Preset.json";
  const std::string a(200000, 'a');
  const std::string b(150000, 'b');
  ASSERT_TRUE(WriteStringToFile(path, a));

  std::atomic<bool> done{false};
  std::atomic<int> torn{0};
  std::thread reader([&] {
    while (!done.load()) {
      const std::string got = ReadFileToString(path);
      if (got != a && got != b) torn.fetch_add(1);
    }
  });
  int failedWrites = 0;
  for (int i = 0; i < 200; ++i)
    if (!WriteStringToFile(path, i % 2 ? a : b)) ++failedWrites;
  done.store(true);
  reader.join();

  EXPECT_EQ(failedWrites, 0);
  EXPECT_EQ(torn.load(), 0);
}

// The expansion cache and the folder override are process-wide; instances built on different
// threads may use them at once.
TEST(UserPresetFileThreads, SharedPathStateIsSafeAcrossThreads)
{
  std::atomic<bool> go{false};
  auto expand = [&](int id) {
    while (!go.load()) {
    }
    for (int i = 0; i < 2000; ++i) {
      const std::string p = "/tmp/kelmo-" + std::to_string(id) + "-" + std::to_string(i % 50);
      EXPECT_EQ(ExpandTildePath(p), p);
      EXPECT_FALSE(UserPresetFolder().empty());
    }
  };
  std::thread t1(expand, 1), t2(expand, 2);
  go.store(true);
  for (int i = 0; i < 200; ++i)
    SetUserPresetFolder(i % 2 ? "/tmp/kelmo-a" : "");
  t1.join();
  t2.join();
  SetUserPresetFolder("");
}

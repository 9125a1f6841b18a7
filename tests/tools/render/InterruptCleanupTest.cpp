// A signal that ends a tool removes its temporary folder with everything in it, unless the folder
// was handed back (cleared) before.
#include "tools/render/InterruptCleanup.h"
#include "tests/tools/render/RenderTestSupport.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

using namespace kelmo::render;
namespace fs = std::filesystem;

TEST(InterruptCleanup, AnEndingSignalRemovesTheFolderAndWhatItHolds)
{
  const std::pair<int, bool> table[] = {{SIGTERM, false}, {SIGINT, false}, {SIGSEGV, false}, {SIGTERM, true}};
  for (const auto& [signal, cleared] : table) {
    const rendertest::TempFolder dir;
    // Files, a hidden one, more names than one directory read returns, folders within folders.
    const fs::path folder = fs::path(dir.Path()) / "kelmo-tool-123456";
    fs::create_directories(folder / "sub" / "deeper");
    for (int i = 0; i < 150; ++i)
      std::ofstream(folder / (std::to_string(i) + " User Preset.json")) << "{}";
    std::ofstream(folder / ".hidden") << "x";
    std::ofstream(folder / "sub" / "deeper" / "b.json") << "x";
    const pid_t child = ::fork();
    if (child == 0) {
      InstallInterruptCleanup();
      SetInterruptCleanupFolder(folder.c_str());
      if (cleared) SetInterruptCleanupFolder(nullptr);
      ::raise(signal);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
    EXPECT_EQ(dir.Entries().empty(), !cleared) << signal;
  }
}

// The tools' temporary folder goes, with everything in it, when a signal ends the process; the
// user preset isolation makes it named after its tool and hands it to the cleanup.
#include "tests/tools/render/RenderTestSupport.h"
#include "tools/render/InterruptCleanup.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelmo::render;
using namespace rendertest;
namespace fs = std::filesystem;

namespace {

// Runs body in a child with the handlers installed; the signal that ended it (0 when none did).
template <class Body> int InChild(Body body)
{
  const pid_t child = ::fork();
  if (child == 0) {
    InstallInterruptCleanup();
    body();
    ::_exit(0);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

// A folder the way a session may leave it: files, a hidden one, more names than one directory
// read returns, and folders within folders.
void Fill(const fs::path& folder)
{
  fs::create_directories(folder / "sub" / "deeper");
  for (int i = 0; i < 300; ++i)
    std::ofstream(folder / (std::to_string(i) + " User Preset.json")) << "{}";
  std::ofstream(folder / ".hidden") << "x";
  std::ofstream(folder / "sub" / "a.json") << "x";
  std::ofstream(folder / "sub" / "deeper" / "b.json") << "x";
}

} // namespace

TEST(InterruptCleanup, EverySignalThatEndsTheToolRemovesTheTemporaryFolderAndWhatItHolds)
{
  for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGPIPE, SIGSEGV, SIGRTMIN}) {
    TempFolder dir;
    const fs::path folder = fs::path(dir.Path()) / "kelmo-tool-123456";
    Fill(folder);
    EXPECT_EQ(InChild([&] {
                SetInterruptCleanupFolder(folder.c_str());
                ::raise(signal);
              }),
              signal);
    EXPECT_TRUE(dir.Entries().empty()) << signal;
  }
}

TEST(InterruptCleanup, AClearedFolderStays)
{
  TempFolder dir;
  const fs::path folder = fs::path(dir.Path()) / "kept";
  Fill(folder);
  EXPECT_EQ(InChild([&] {
              SetInterruptCleanupFolder(folder.c_str());
              SetInterruptCleanupFolder(nullptr);
              ::raise(SIGTERM);
            }),
            SIGTERM);
  EXPECT_TRUE(fs::exists(folder / "sub" / "deeper" / "b.json"));
}

TEST(InterruptCleanup, TheIsolationFolderIsNamedAfterItsToolAndGoesOnASignal)
{
  for (const char* tool : {"kelmo-render", "kelmo-editor"}) {
    TempFolder temp;
    EXPECT_EQ(InChild([&] {
                ::setenv("TMPDIR", temp.Path().c_str(), 1);
                const UserPresetIsolation isolation(tool);
                std::ofstream(isolation.Folder() + "/1 User Preset.json") << "{}";
                if (fs::path(isolation.Folder()).filename().string().rfind(std::string(tool) + "-", 0) != 0)
                  ::_exit(3);
                ::raise(SIGTERM);
              }),
              SIGTERM)
        << tool;
    EXPECT_TRUE(temp.Entries().empty()) << tool;
  }
}

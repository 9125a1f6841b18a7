// A signal that ends kelmo-editor leaves nothing in the temporary folder: its own preset folder
// (named after it) goes, with a preset saved into it.
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using testsupport::TempFolder;

namespace {

// Starts the tool with TMPDIR at temp and no preset folder of the user's; its pid. The child only
// makes system calls before it runs the program (this process may have other threads).
pid_t StartTool(const TempFolder& temp, const std::string& script, const std::string& output)
{
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.rfind("TMPDIR=", 0) != 0 && entry.rfind("KELMO_USER_PRESET_DIR=", 0) != 0) env.push_back(entry);
  }
  env.push_back("TMPDIR=" + temp.Path());
  std::vector<char*> envp;
  for (std::string& entry : env)
    envp.push_back(entry.data());
  envp.push_back(nullptr);
  const std::string exe = KELMO_EDITOR_EXE;
  std::vector<std::string> args = {exe, "--bundle", KELMO_BUNDLE, "--frames", "1", "--script", script, output};
  std::vector<char*> argv;
  for (std::string& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child != 0) return child;
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, STDOUT_FILENO);
  ::dup2(null, STDERR_FILENO);
  ::execve(exe.c_str(), argv.data(), envp.data());
  ::_exit(127);
}

// The one folder in temp once it holds the file named (empty name: once it exists); "" when the
// tool has not made it within a minute.
std::string WaitForFolder(const TempFolder& temp, const std::string& holding)
{
  for (int i = 0; i < 6000; ++i) {
    const auto entries = temp.Entries();
    if (entries.size() == 1) {
      const std::string folder = temp / entries[0];
      if (holding.empty() || std::filesystem::exists(folder + "/" + holding)) return folder;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return {};
}

} // namespace

TEST(SignalCleanup, EveryEndingSignalRemovesTheToolsTemporaryFolder)
{
  const std::string saving = "press 613 13; release 613 13; frames 12; menu 32; press 450 12; release 450 12; "
                             "frames 12; press 450 12; release 450 12; frames 2; key A; key Return; ";
  const struct
  {
    int signal;
    std::string script;
    const char* holding; // what the folder holds when the signal comes
  } table[] = {
      {SIGTERM, "frames 36000", ""},
      {SIGINT, "frames 36000", ""},
      {SIGHUP, "frames 36000", ""},
      {SIGTERM, saving + "frames 36000", "32 User Preset.json"},
  };
  for (const auto& row : table) {
    TempFolder temp, out;
    const pid_t child = StartTool(temp, row.script, out / "never.png");
    ASSERT_GT(child, 0);
    const std::string folder = WaitForFolder(temp, row.holding);
    EXPECT_EQ(std::filesystem::path(folder).filename().string().rfind("kelmo-editor-", 0), 0u) << folder;
    ::kill(child, row.signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << row.signal;
    EXPECT_EQ(WTERMSIG(status), row.signal);
    EXPECT_TRUE(temp.Entries().empty()) << row.signal;
    EXPECT_TRUE(out.Entries().empty()) << row.signal;
  }
}

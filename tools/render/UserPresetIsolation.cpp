#include "tools/render/UserPresetIsolation.h"

#include "engine/presets/UserPresetLocation.h"
#include "tools/render/InterruptCleanup.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <pthread.h>
#include <unistd.h>

namespace kelmo::render {

namespace {

// Holds back every signal for its lifetime, so that the folder is never on disk unregistered
// with the cleanup; a signal that arrives meanwhile is delivered when the hold ends.
class SignalsHeld
{
public:
  SignalsHeld()
  {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &mPrevious);
  }
  ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &mPrevious, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
  sigset_t mPrevious;
};

} // namespace

UserPresetIsolation::UserPresetIsolation(const std::string& tool)
{
  if (const char* previous = std::getenv(kUserPresetFolderEnv)) mPrevious = previous;
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / (tool + "-XXXXXX")).string();
  const SignalsHeld held;
  if (ec || !::mkdtemp(pattern.data())) {
    // No temporary folder: a folder that cannot exist reads as "no preset" just the same.
    ::setenv(kUserPresetFolderEnv, ("/nonexistent/" + tool + "/").c_str(), 1);
    return;
  }
  mFolder = pattern;
  SetInterruptCleanupFolder(mFolder.c_str());
  ::setenv(kUserPresetFolderEnv, mFolder.c_str(), 1);
}

UserPresetIsolation::~UserPresetIsolation()
{
  if (mPrevious)
    ::setenv(kUserPresetFolderEnv, mPrevious->c_str(), 1);
  else
    ::unsetenv(kUserPresetFolderEnv);
  if (!mFolder.empty()) {
    const SignalsHeld held;
    SetInterruptCleanupFolder(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(mFolder, ec);
  }
}

} // namespace kelmo::render

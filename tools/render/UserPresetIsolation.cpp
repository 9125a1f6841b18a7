#include "tools/render/UserPresetIsolation.h"

#include "engine/presets/UserPresetLocation.h"
#include "tools/render/InterruptCleanup.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kelmo::render {

UserPresetIsolation::UserPresetIsolation(const std::string& tool)
{
  if (const char* previous = std::getenv(kUserPresetFolderEnv)) mPrevious = previous;
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / (tool + "-XXXXXX")).string();
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
    SetInterruptCleanupFolder(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(mFolder, ec);
  }
}

} // namespace kelmo::render

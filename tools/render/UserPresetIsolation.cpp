#include "tools/render/UserPresetIsolation.h"

#include "engine/presets/UserPresetLocation.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kelmo::render {

UserPresetIsolation::UserPresetIsolation()
{
  if (const char* previous = std::getenv(kUserPresetFolderEnv)) mPrevious = previous;
  std::error_code ec;
  std::string pattern = (std::filesystem::temp_directory_path(ec) / "kelmo-render-XXXXXX").string();
  if (ec || !::mkdtemp(pattern.data())) {
    // No temporary folder: a folder that cannot exist reads as "no preset" just the same.
    ::setenv(kUserPresetFolderEnv, "/nonexistent/kelmo-render/", 1);
    return;
  }
  mFolder = pattern;
  ::setenv(kUserPresetFolderEnv, mFolder.c_str(), 1);
}

UserPresetIsolation::~UserPresetIsolation()
{
  if (mPrevious)
    ::setenv(kUserPresetFolderEnv, mPrevious->c_str(), 1);
  else
    ::unsetenv(kUserPresetFolderEnv);
  if (!mFolder.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(mFolder, ec);
  }
}

} // namespace kelmo::render

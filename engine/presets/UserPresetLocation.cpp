#include "engine/presets/UserPresetLocation.h"

#include <cstdlib>
#include <mutex>

#include "engine/presets/UserPresetFileIO.h"

namespace {

struct FolderOverride
{
  std::mutex mutex;
  std::string folder;
};

FolderOverride& Override()
{
  static FolderOverride value;
  return value;
}

std::string WithTrailingSlash(std::string folder)
{
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

} // namespace

std::string UserPresetFolder()
{
  {
    FolderOverride& o = Override();
    std::lock_guard<std::mutex> lock(o.mutex);
    if (!o.folder.empty()) return o.folder;
  }
  if (const char* env = std::getenv(kUserPresetFolderEnv); env && *env) return WithTrailingSlash(env);
  return kDefaultUserPresetFolder;
}

void SetUserPresetFolder(const std::string& folder)
{
  FolderOverride& o = Override();
  std::lock_guard<std::mutex> lock(o.mutex);
  o.folder = WithTrailingSlash(folder);
}

std::string UserPresetFileName(int slot)
{
  if (slot < 0) return std::string();
  return std::to_string(slot) + " User Preset.json";
}

std::string UserPresetPath(int slot)
{
  if (slot < 0) return std::string();
  return ExpandTildePath(UserPresetFolder() + UserPresetFileName(slot));
}

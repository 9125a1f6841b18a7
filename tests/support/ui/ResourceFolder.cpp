#include "support/ui/ResourceFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <stdlib.h>

namespace plugin::ui::test {

namespace {

ResourceFolder* sCurrent = nullptr;

} // namespace

ResourceFolder::ResourceFolder()
{
  std::string pattern = (std::filesystem::temp_directory_path() / "kelmo-resources-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  mPath = pattern;
  sCurrent = this;
}

ResourceFolder::~ResourceFolder()
{
  if (sCurrent == this) sCurrent = nullptr;
  std::error_code ec;
  std::filesystem::remove_all(mPath, ec);
}

std::string ResourceFolder::Write(const std::string& name, const std::string& bytes)
{
  const std::string path = PathOf(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

void ResourceFolder::Remove(const std::string& name)
{
  std::remove(PathOf(name).c_str());
}

ResourceFolder* ResourceFolder::Current()
{
  return sCurrent;
}

int LocateInResourceFolder(const char* name, const char* type, StringBuf& result, const char* bundleID,
                           const char* subPath)
{
  result.Set("");
  ResourceFolder* folder = ResourceFolder::Current();
  if (!folder || !name || !*name) return 0;
  {
    std::lock_guard lock(folder->lookupsMutex);
    folder->lookups.push_back({name, type ? type : "", bundleID ? bundleID : "", subPath ? subPath : ""});
  }
  const std::string path = folder->PathOf(name);
  if (!std::filesystem::is_regular_file(path)) return 0;
  result.Set(path.c_str());
  return folder->foundLocation;
}

} // namespace plugin::ui::test

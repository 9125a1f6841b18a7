#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/resources/LocateResource.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>

namespace plugin::ui::test {

// A temporary folder of resources: while one exists it is the toolkit's resource locator, which
// finds a resource as the file of that name in it, reports the location kind foundLocation and
// records every lookup. The locator installed before comes back, and the folder goes with its
// files, at the end. One folder at a time.
class ResourceFolder
{
public:
  ResourceFolder()
  {
    sCurrent = this;
    SetResourceLocator(&LocateInCurrent);
  }
  ~ResourceFolder()
  {
    SetResourceLocator(mPreviousLocator);
    sCurrent = nullptr;
  }
  ResourceFolder(const ResourceFolder&) = delete;
  ResourceFolder& operator=(const ResourceFolder&) = delete;
  void Write(const std::string& name, const std::string& bytes = "data")
  {
    std::ofstream(PathOf(name)) << bytes;
  }
  void Remove(const std::string& name) { std::filesystem::remove(PathOf(name)); }
  std::string PathOf(const std::string& name) const { return mFolder / name; }

  // The locator: the file `name` of the current folder, else not found with result "".
  static int Locate(const char* name, const char* type, StringBuf& result, const char* subPath)
  {
    result.Set("");
    ResourceFolder* f = sCurrent;
    if (!f || !name || !*name) return 0;
    std::lock_guard lock(f->mutex); // editors on several threads may look up at once
    f->lookups += (f->lookups.empty() ? "" : " ") + std::string(name) + ":" + type + ":" + subPath;
    if (!std::filesystem::is_regular_file(f->PathOf(name))) return 0;
    result.Set(f->PathOf(name).c_str());
    return f->foundLocation;
  }

  std::string lookups; // "name:type:sub-path" of each lookup, space-separated
  int foundLocation = 1;
  std::mutex mutex;

private:
  // The locator while a folder exists: the bundle identifier and platform handle play no part.
  static int LocateInCurrent(const char* name, const char* type, StringBuf& result, const char*, void*,
                             const char* subPath)
  {
    return Locate(name, type ? type : "", result, subPath ? subPath : "");
  }

  testsupport::TempFolder mFolder{"kelmo-resources"};
  ResourceLocator mPreviousLocator = GetResourceLocator();
  static inline ResourceFolder* sCurrent = nullptr;
};

} // namespace plugin::ui::test

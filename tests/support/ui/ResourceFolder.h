#pragma once

#include "framework/buffers/StringBuf.h"

#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>

#include <stdlib.h>

namespace plugin::ui::test {

// A temporary folder of resources: while one exists, the test resource locator (ui_test_locator,
// which defines LocateResource) finds a resource as the file of that name in it, reporting the
// location kind foundLocation, and records every lookup. Removed with its files at the end.
class ResourceFolder
{
public:
  ResourceFolder() : mPath((std::filesystem::temp_directory_path() / "kelmo-resources-XXXXXX").string())
  {
    if (!::mkdtemp(mPath.data())) throw std::runtime_error("mkdtemp failed");
    sCurrent = this;
  }
  ~ResourceFolder()
  {
    sCurrent = nullptr;
    std::error_code ec;
    std::filesystem::remove_all(mPath, ec);
  }
  void Write(const std::string& name, const std::string& bytes = "data")
  {
    std::ofstream(PathOf(name)) << bytes;
  }
  void Remove(const std::string& name) { std::filesystem::remove(PathOf(name)); }
  std::string PathOf(const std::string& name) const { return mPath + "/" + name; }

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
  std::string mPath;
  static inline ResourceFolder* sCurrent = nullptr;
};

} // namespace plugin::ui::test

#pragma once

#include "framework/buffers/StringBuf.h"

#include <mutex>
#include <string>
#include <vector>

namespace plugin::ui::test {

// A temporary folder of resources for the toolkit's resource loading: while one exists, the test
// resource locator (library ui_test_locator, which defines LocateResource) finds a resource as the
// file of that name in it, and records every lookup. Removed with its files at the end.
class ResourceFolder
{
public:
  // One lookup the toolkit made.
  struct Lookup
  {
    std::string name;
    std::string type;
    std::string bundleID;
    std::string subPath;
    bool operator==(const Lookup&) const = default;
  };

  ResourceFolder();
  ~ResourceFolder();
  ResourceFolder(const ResourceFolder&) = delete;
  ResourceFolder& operator=(const ResourceFolder&) = delete;

  // Writes a file of these bytes under name; returns its full path.
  std::string Write(const std::string& name, const std::string& bytes = "data");
  // Removes the file again.
  void Remove(const std::string& name);
  std::string PathOf(const std::string& name) const { return mPath + "/" + name; }

  // Lookups in order; editors on several threads may add to it at once (under lookupsMutex).
  std::vector<Lookup> lookups;
  std::mutex lookupsMutex;
  // The location kind reported for a file that exists (the toolkit reads only files, kind 1).
  int foundLocation = 1;

  // The folder the locator searches, or null.
  static ResourceFolder* Current();

private:
  std::string mPath;
};

// The locator ui_test_locator defines as LocateResource: the file `name` of the current folder
// (kind foundLocation, full path in result), else not found with result "".
int LocateInResourceFolder(const char* name, const char* type, StringBuf& result, const char* bundleID,
                           const char* subPath);

} // namespace plugin::ui::test

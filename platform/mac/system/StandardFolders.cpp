#include "platform/mac/system/StandardFolders.h"

#include "platform/mac/system/PathString.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <unistd.h>

namespace plugin::sys {

namespace {

struct Overrides
{
  std::mutex mutex;
  std::string home;
  std::string root;
  std::string processName;
};

Overrides& TheOverrides()
{
  static Overrides overrides;
  return overrides;
}

std::string Read(std::string Overrides::*field)
{
  Overrides& o = TheOverrides();
  std::lock_guard<std::mutex> lock(o.mutex);
  return o.*field;
}

void Write(std::string Overrides::*field, const char* value)
{
  Overrides& o = TheOverrides();
  std::lock_guard<std::mutex> lock(o.mutex);
  o.*field = value ? value : "";
}

// The folder as a path of its own: no trailing separator, no doubled ones.
std::string Clean(const std::string& path)
{
  return AppendingPathComponent(path, "");
}

// Path of a folder kind below a domain's Library folder ("" for the Library itself).
const char* InsideLibrary(SearchPathDirectory directory)
{
  return directory == SearchPathDirectory::ApplicationSupport ? "Application Support" : "";
}

} // namespace

std::string HomeDirectory()
{
  if (std::string home = Read(&Overrides::home); !home.empty()) return Clean(home);
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir)
    return Clean(entry->pw_dir);
  if (const char* env = std::getenv("HOME"); env && *env) return Clean(env);
  return "/";
}

void SetHomeDirectory(const char* path)
{
  Write(&Overrides::home, path);
}

std::string SystemRootDirectory()
{
  const std::string root = Read(&Overrides::root);
  return root.empty() ? std::string("/") : Clean(root);
}

void SetSystemRootDirectory(const char* path)
{
  Write(&Overrides::root, path);
}

std::string FirstStandardFolder(SearchPathDirectory directory, SearchPathDomain domain)
{
  std::string folder;
  switch (domain) {
  case SearchPathDomain::User:
    switch (directory) {
    case SearchPathDirectory::Desktop:
      folder = "~/Desktop";
      break;
    case SearchPathDirectory::Music:
      folder = "~/Music";
      break;
    default:
      folder = AppendingPathComponent("~/Library", InsideLibrary(directory));
      break;
    }
    break;
  case SearchPathDomain::Local:
  case SearchPathDomain::System: {
    if (directory == SearchPathDirectory::Desktop || directory == SearchPathDirectory::Music) return "";
    const char* library = domain == SearchPathDomain::Local ? "Library" : "System/Library";
    folder = AppendingPathComponent(AppendingPathComponent(SystemRootDirectory(), library),
                                    InsideLibrary(directory));
    break;
  }
  }
  return ExpandingTildeInPath(folder, HomeDirectory());
}

std::string GroupContainerDirectory(const char* groupId)
{
  if (!groupId || !*groupId) return std::string();
  return AppendingPathComponent(AppendingPathComponent(HomeDirectory(), "Library/Group Containers"), groupId);
}

std::string ProcessName()
{
  if (std::string name = Read(&Overrides::processName); !name.empty()) return name;
  return program_invocation_short_name ? program_invocation_short_name : "";
}

void SetProcessName(const char* name)
{
  Write(&Overrides::processName, name);
}

} // namespace plugin::sys

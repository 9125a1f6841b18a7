#include "platform/mac/system/FileManager.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace plugin::sys {

namespace {

bool Exists(const std::string& path) noexcept
{
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals name ignoring ASCII case (the first one the folder
// lists), "" when none does.
std::string EntryIgnoringCase(const std::string& folder, const std::string& name)
{
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return std::string();
  std::string found;
  while (const dirent* entry = ::readdir(dir))
    if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = entry->d_name;
      break;
    }
  ::closedir(dir);
  return found;
}

} // namespace

std::string ExistingPathSpelling(const char* path)
{
  if (!path || !*path) return std::string();
  const std::string asGiven(path);
  if (Exists(asGiven)) return asGiven;
  // Walk the components, keeping the on-disk spelling of each folder found so far.
  std::string spelled = asGiven[0] == '/' ? "/" : "";
  size_t start = spelled.size();
  while (start <= asGiven.size()) {
    size_t end = asGiven.find('/', start);
    if (end == std::string::npos) end = asGiven.size();
    const std::string component = asGiven.substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    const bool needsSeparator = !spelled.empty() && spelled.back() != '/';
    std::string candidate = spelled + (needsSeparator ? "/" : "") + component;
    if (!Exists(candidate)) {
      const std::string entry =
          component == "." || component == ".." ? std::string() : EntryIgnoringCase(spelled, component);
      if (entry.empty()) return std::string();
      candidate = spelled + (needsSeparator ? "/" : "") + entry;
    }
    spelled = std::move(candidate);
  }
  if (!asGiven.empty() && asGiven.back() == '/' && spelled.back() != '/') spelled += '/';
  return Exists(spelled) ? spelled : std::string();
}

} // namespace plugin::sys

#include "engine/presets/UserPresetFileIO.h"

#include "framework/files/ReplaceFileContents.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Process-wide cache of tilde expansions. A lock keeps it safe should a host build instances
// away from its main thread; it is never touched on the audio thread.
struct TildeCache
{
  std::mutex mutex;
  std::unordered_map<std::string, std::string> map;

  TildeCache() { map.max_load_factor(1.0f); }
};

TildeCache& Cache()
{
  static TildeCache cache;
  return cache;
}

bool IsDirectory(const std::string& path)
{
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates every missing folder of an absolute or relative path; true when it ends up a folder.
bool CreateFolderPath(const std::string& dir)
{
  if (dir.empty() || IsDirectory(dir)) return !dir.empty();
  for (std::size_t pos = dir.find('/', 1);; pos = dir.find('/', pos + 1)) {
    const std::string prefix = dir.substr(0, pos);
    if (!prefix.empty() && ::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (!prefix.empty() && !IsDirectory(prefix)) return false;
    if (pos == std::string::npos) break;
  }
  return true;
}

} // namespace

std::optional<std::string> ChooseHomeFolder(const char* passwdDir, const char* homeEnv)
{
  if (passwdDir && *passwdDir) return std::string(passwdDir);
  if (homeEnv && *homeEnv) return std::string(homeEnv);
  return std::nullopt;
}

std::optional<std::string> HomeFolder()
{
  const passwd* entry = ::getpwuid(::getuid());
  return ChooseHomeFolder(entry ? entry->pw_dir : nullptr, std::getenv("HOME"));
}

std::string ExpandTildePath(const std::string& path)
{
  try {
    TildeCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.mutex);
    if (auto it = cache.map.find(path); it != cache.map.end()) return it->second;
    std::string expanded = path;
    if (!path.empty() && path[0] == '~') {
      const std::optional<std::string> home = HomeFolder();
      if (!home) return std::string(); // Unknown home: fail rather than write into a folder "~".
      expanded = *home + path.substr(1);
    }
    cache.map.emplace(path, expanded);
    return expanded;
  } catch (...) {
    return std::string();
  }
}

std::string ReadFileToString(const std::string& path)
{
  try {
    const std::string full = ExpandTildePath(path);
    if (full.empty()) return std::string(kMissingFileText);
    // Non-blocking so that a FIFO in place of the file cannot hang the caller.
    const int fd = ::open(full.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::string(kMissingFileText);
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
              static_cast<std::size_t>(st.st_size) <= kMaxReadFileBytes;
    std::string content;
    if (ok) {
      content.resize(static_cast<std::size_t>(st.st_size) + 1);
      std::size_t total = 0;
      while (ok) {
        if (total == content.size()) content.resize(std::min(content.size() * 2, kMaxReadFileBytes + 1));
        if (total == content.size()) {
          ok = false; // Grew past the limit while being read.
          break;
        }
        const ssize_t n = ::read(fd, content.data() + total, content.size() - total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        total += static_cast<std::size_t>(n);
      }
      content.resize(total);
    }
    if (::close(fd) != 0) ok = false;
    return ok ? content : std::string(kMissingFileText);
  } catch (...) {
    return std::string(kMissingFileText);
  }
}

bool WriteStringToFile(const std::string& path, const std::string& content)
{
  try {
    const std::string full = ExpandTildePath(path);
    const std::size_t slash = full.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : full.substr(0, slash));
    const std::string base = slash == std::string::npos ? full : full.substr(slash + 1);
    if (full.empty() || base.empty()) return false;
    if (!CreateFolderPath(dir)) return false;
    return plugin::ReplaceFileContents(full.c_str(), content.data(), content.size());
  } catch (...) {
    return false;
  }
}

bool DeleteFileAtPath(const std::string& path)
{
  const std::string full = ExpandTildePath(path);
  if (full.empty()) return false;
  struct stat st;
  if (::lstat(full.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(full.c_str()) == 0;
}

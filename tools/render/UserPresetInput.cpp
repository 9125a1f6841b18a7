#include "tools/render/UserPresetInput.h"

#include "engine/presets/UserPresetFileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace kelmo::render {

namespace {

struct FileCloser
{
  void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

bool ReadUserPresetInput(const std::string& path, std::vector<UserPresetAssignment>& values,
                         std::string& error)
{
  const std::string what = "cannot read user preset '" + path + "': ";
  struct stat st
  {};
  if (::stat(path.c_str(), &st) != 0) {
    error = what + std::strerror(errno);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = what + "not a regular file";
    return false;
  }
  if (static_cast<uint64_t>(st.st_size) > kMaxReadFileBytes) {
    error = what + "larger than 1 MiB";
    return false;
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    error = what + std::strerror(errno);
    return false;
  }
  std::string text;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    text.append(buffer, got);
    if (text.size() > kMaxReadFileBytes) {
      error = what + "larger than 1 MiB";
      return false;
    }
  }
  if (std::ferror(file.get())) {
    error = what + "read error";
    return false;
  }
  const std::optional<UserPresetContents> contents = ParseUserPresetFile(text);
  if (!contents) {
    error = "user preset '" + path + "' is not a preset file: not JSON, nested too deeply or holding a NUL";
    return false;
  }
  values = contents->assignments;
  return true;
}

void OverlayUserPreset(std::vector<double>& values, const std::vector<UserPresetAssignment>& overlay)
{
  for (const UserPresetAssignment& a : overlay)
    if (a.paramIdx >= 0 && static_cast<size_t>(a.paramIdx) < values.size() &&
        !IsUserPresetSkippedIndex(a.paramIdx))
      values[static_cast<size_t>(a.paramIdx)] = a.value;
}

} // namespace kelmo::render

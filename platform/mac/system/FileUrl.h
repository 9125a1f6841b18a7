#pragma once

#include <optional>
#include <string>

// A file-system address, as the font and data-provider calls take and give it. Any thread.
namespace plugin::sys {

struct FileUrl
{
  std::string path; // POSIX path, as given

  // The address of a POSIX path; none for a null or empty path.
  static std::optional<FileUrl> FromPath(const char* posixPath)
  {
    if (!posixPath || !*posixPath) return std::nullopt;
    return FileUrl{posixPath};
  }
};

} // namespace plugin::sys

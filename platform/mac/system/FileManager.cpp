#include "platform/mac/system/FileManager.h"

#include <sys/stat.h>

namespace plugin::sys {

bool FileExistsAtPath(const char* path) noexcept
{
  if (!path || !*path) return false;
  struct stat info;
  return ::stat(path, &info) == 0;
}

} // namespace plugin::sys

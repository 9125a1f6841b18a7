#include "framework/files/ReplaceFileContents.h"

#include <atomic>
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plugin {

namespace {

// Links followed before giving up, as the system's own limit for a path.
constexpr int kMaxLinkDepth = 40;
// Characters of the target's name kept in the temporary file's name, so that it stays a valid name.
constexpr std::size_t kTempBaseChars = 200;

std::string FolderOf(const std::string& path)
{
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Replaces path by the file its symbolic links lead to; a missing file ends the walk there, so
// that a dangling link creates its target. False for a loop or a link that cannot be read.
bool FollowLinks(std::string& path)
{
  for (int depth = 0; depth <= kMaxLinkDepth; ++depth) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof(target));
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof(target)) return false;
    const std::string next(target, static_cast<std::size_t>(n));
    path = next[0] == '/' ? next : FolderOf(path) + "/" + next;
  }
  return false;
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The whole content of the open file from its start; false when it cannot be read or held.
bool ReadAll(int fd, std::string& out) noexcept
{
  char buffer[65536];
  try {
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof(buffer));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) return true;
      out.append(buffer, static_cast<std::size_t>(n));
    }
  } catch (...) {
    return false; // exhausted memory: the write goes ahead without a copy, as the plain open's does
  }
}

// Makes the open file hold exactly size bytes of data, flushed.
bool Rewrite(int fd, const char* data, std::size_t size)
{
  return ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, data, size) &&
         ::fsync(fd) == 0;
}

// Writes the content through the existing file itself: truncated, then written, as the plain
// open does. The old content is read first where the file lets us read it, and written back when
// the new content fails part-way; only when it could not be read, or writing it back fails too,
// is the file left holding what was written.
bool WriteInPlace(const std::string& target, const char* data, std::size_t size)
{
  // Non-blocking, so that a FIFO put in the file's place since it was looked at cannot hang us.
  const int flags = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
  int fd = ::open(target.c_str(), O_RDWR | flags);
  const bool readable = fd >= 0;
  if (!readable && errno == EACCES) fd = ::open(target.c_str(), O_WRONLY | flags);
  if (fd < 0) return false;
  struct stat st;
  std::string old;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const bool kept = ok && readable && ReadAll(fd, old);
  ok = ok && Rewrite(fd, data, size);
  if (!ok && kept) Rewrite(fd, old.data(), old.size());
  if (::close(fd) != 0) ok = false;
  return ok;
}

// Creates a fresh temporary file in folder; -1 (errno set) when none can be made.
int OpenTemporaryFile(const std::string& folder, const std::string& name, mode_t mode, std::string& tempPath)
{
  static std::atomic<unsigned> counter{0};
  const std::string stem = folder + "/." + name.substr(0, kTempBaseChars) + ".tmp-" + std::to_string(::getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = stem + "-" + std::to_string(counter++);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Gives the temporary file the old file's owner, group and permission bits. False when the owner
// or group cannot be given (only the superuser gives files away).
bool TakeOverAttributes(int fd, const struct stat& old)
{
  struct stat now;
  if (::fstat(fd, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
    return false;
  // After the owner: a change of owner clears the set-id bits.
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool Replace(std::string target, const char* data, std::size_t size)
{
  if (!FollowLinks(target)) return false;
  const std::string name = NameOf(target);
  if (name.empty()) return false;

  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists) {
    if (!S_ISREG(old.st_mode)) return false;
    // A file without any write bit is read-only by the user's will, whoever we are.
    if ((old.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
    // A rename would leave the other names of the file with the old content.
    if (old.st_nlink > 1) return WriteInPlace(target, data, size);
  }

  std::string tempPath;
  // Private until it holds the old file's attributes; a new file gets what the plain open gives.
  const int fd = OpenTemporaryFile(FolderOf(target), name, exists ? 0600 : 0666, tempPath);
  if (fd < 0) {
    // A folder that takes no new file still lets an existing writable file be written in place.
    const bool denied = errno == EACCES || errno == EPERM;
    return exists && denied && WriteInPlace(target, data, size);
  }
  if (exists && !TakeOverAttributes(fd, old)) {
    ::close(fd);
    ::unlink(tempPath.c_str());
    return WriteInPlace(target, data, size);
  }
  // Flushed before the rename, so that a crash leaves either the old file or the whole new one.
  bool ok = WriteAll(fd, data, size) && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) ::unlink(tempPath.c_str());
  return ok;
}

} // namespace

bool ReplaceFileContents(const char* path, const void* data, std::size_t size)
{
  if (!path || !*path || (size > 0 && !data)) return false;
  try {
    return Replace(path, static_cast<const char*>(data), size);
  } catch (...) {
    return false; // only exhausted memory gets here, while no temporary file is open
  }
}

} // namespace plugin

#include "tools/render/InterruptCleanup.h"

#include <atomic>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kelmo::render {

namespace {

constexpr size_t kMaxPath = 4096;
// Folders inside the temporary folder are followed this deep; the tools make none.
constexpr int kMaxDepth = 8;

struct CleanupPath
{
  char path[kMaxPath];
  std::atomic<bool> set{false};

  void Store(const char* p) noexcept
  {
    set.store(false);
    if (!p || std::strlen(p) >= kMaxPath) return;
    std::strcpy(path, p);
    set.store(true);
  }
};

CleanupPath gFile;
CleanupPath gFolder;

// The directory entry layout the kernel fills in (getdents64).
struct DirEntry64
{
  unsigned long long ino;
  long long off;
  unsigned short reclen;
  unsigned char type;
  char name[1];
};

bool IsDotOrDotDot(const char* name) noexcept
{
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Empties the open folder dir: system calls only, as a signal handler may make. Reads the folder
// again until a pass finds nothing left, since removing entries while reading may skip some.
void EmptyFolder(int dir, int depth) noexcept
{
  alignas(8) char buffer[4096];
  for (int pass = 0; pass < 64; ++pass) {
    if (::lseek(dir, 0, SEEK_SET) < 0) return;
    bool removed = false;
    for (;;) {
      const long n = ::syscall(SYS_getdents64, dir, buffer, sizeof buffer);
      if (n <= 0) break;
      for (long at = 0; at < n;) {
        const auto* entry = reinterpret_cast<const DirEntry64*>(buffer + at);
        at += entry->reclen;
        if (IsDotOrDotDot(entry->name)) continue;
        if (::unlinkat(dir, entry->name, 0) == 0) {
          removed = true;
          continue;
        }
        if (depth >= kMaxDepth) continue;
        const int sub = ::openat(dir, entry->name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub < 0) continue;
        EmptyFolder(sub, depth + 1);
        ::close(sub);
        if (::unlinkat(dir, entry->name, AT_REMOVEDIR) == 0) removed = true;
      }
    }
    if (!removed) return;
  }
}

void RemoveFolder(const char* path) noexcept
{
  const int dir = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0) return;
  EmptyFolder(dir, 0);
  ::close(dir);
  ::rmdir(path);
}

extern "C" void OnInterrupt(int signal)
{
  if (gFile.set.load()) ::unlink(gFile.path);
  if (gFolder.set.load()) RemoveFolder(gFolder.path);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void Catch(int signal)
{
  struct sigaction action
  {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
}

} // namespace

void InstallInterruptCleanup()
{
  for (int s :
       {SIGHUP,  SIGINT,  SIGQUIT, SIGILL,    SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,  SIGSEGV, SIGUSR1, SIGUSR2,
        SIGPIPE, SIGALRM, SIGTERM, SIGSTKFLT, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGPOLL, SIGPWR,  SIGSYS})
    Catch(s);
  // The real-time signals end a process too.
  for (int s = SIGRTMIN; s <= SIGRTMAX; ++s)
    Catch(s);
}

void SetInterruptCleanupPath(const char* path) noexcept
{
  gFile.Store(path);
}

void SetInterruptCleanupFolder(const char* path) noexcept
{
  gFolder.Store(path);
}

} // namespace kelmo::render

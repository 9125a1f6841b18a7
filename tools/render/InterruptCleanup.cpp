#include "tools/render/InterruptCleanup.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace kelmo::render {

namespace {

constexpr size_t kMaxPath = 4096;
char gPath[kMaxPath];
std::atomic<bool> gPathSet{false};

extern "C" void OnInterrupt(int signal)
{
  if (gPathSet.load()) ::unlink(gPath);
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
  gPathSet.store(false);
  if (!path || std::strlen(path) >= kMaxPath) return;
  std::strcpy(gPath, path);
  gPathSet.store(true);
}

} // namespace kelmo::render

#pragma once

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

// While alive, writes that pass maxBytes fail (as on a full disk) instead of raising SIGXFSZ;
// the earlier limit and signal handler come back when it goes.
class FileSizeLimit
{
public:
  explicit FileSizeLimit(rlim_t maxBytes) noexcept
  {
    mSet = ::getrlimit(RLIMIT_FSIZE, &mSaved) == 0;
    mSavedHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = mSaved;
    small.rlim_cur = maxBytes;
    mSet = mSet && ::setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit()
  {
    if (mSet) ::setrlimit(RLIMIT_FSIZE, &mSaved);
    ::signal(SIGXFSZ, mSavedHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // Whether the limit is in force.
  bool Active() const noexcept { return mSet; }

private:
  rlimit mSaved{};
  void (*mSavedHandler)(int) = SIG_DFL;
  bool mSet = false;
};

} // namespace testsupport

#include "framework/runloop/RunLoop.h"

#include <algorithm>
#include <cmath>

namespace plugin {

RunLoop::RunLoop(RunLoopClock* clock) noexcept : mClock(clock), mOwner(std::this_thread::get_id()) {}

RunLoop::~RunLoop() = default;

namespace {

std::mutex gMainLoopMutex;
RunLoop* gMainLoop = nullptr; // guarded by gMainLoopMutex

} // namespace

RunLoop& RunLoop::Main()
{
  // Never destroyed at exit: timers held in other static objects may still remove themselves then.
  std::lock_guard<std::mutex> lock(gMainLoopMutex);
  if (!gMainLoop) gMainLoop = new RunLoop();
  return *gMainLoop;
}

bool RunLoop::ReleaseMain() noexcept
{
  std::lock_guard<std::mutex> lock(gMainLoopMutex);
  if (!gMainLoop) return true;
  if (gMainLoop->NTimers() > 0 || gMainLoop->mPassDepth > 0) return false;
  delete gMainLoop;
  gMainLoop = nullptr;
  return true;
}

bool RunLoop::BindToCurrentThread() noexcept
{
  if (mPassDepth > 0) return false;
  mOwner.store(std::this_thread::get_id());
  return true;
}

bool RunLoop::IsOwnerThread() const noexcept
{
  return mOwner.load() == std::this_thread::get_id();
}

void RunLoop::SetClock(RunLoopClock* clock) noexcept
{
  mClock = clock;
}

RunLoop::TimerId RunLoop::AddTimer(TimerCallout callout, void* info, double firstFireMs, double intervalMs)
{
  if (!callout || std::isnan(firstFireMs) || firstFireMs == std::numeric_limits<double>::infinity() ||
      !std::isfinite(intervalMs))
    return 0;
  std::lock_guard<std::mutex> lock(mMutex);
  const TimerId id = mNextId++;
  mTimers.push_back(Entry{id, callout, info, firstFireMs, intervalMs, false, false});
  return id;
}

RunLoop::Entry* RunLoop::Find(TimerId id) noexcept
{
  for (Entry& e : mTimers)
    if (e.id == id) return &e;
  return nullptr;
}

const RunLoop::Entry* RunLoop::Find(TimerId id) const noexcept
{
  for (const Entry& e : mTimers)
    if (e.id == id) return &e;
  return nullptr;
}

bool RunLoop::RemoveTimer(TimerId id) noexcept
{
  if (id == 0) return false;
  const bool onOwner = IsOwnerThread();
  std::unique_lock<std::mutex> lock(mMutex);
  Entry* e = Find(id);
  if (!e || e->removed) return false;
  // Entries are only marked: a pass may hold their ids, and compaction happens between passes.
  e->removed = true;
  if (!onOwner) {
    // From another thread: the callout may be running right now; let it finish before returning.
    mCalloutDone.wait(lock, [this, id] {
      const Entry* cur = Find(id);
      return !cur || !cur->firing;
    });
  } else if (mPassDepth == 0) {
    CompactRemoved();
  }
  return true;
}

bool RunLoop::HasTimer(TimerId id) const noexcept
{
  std::lock_guard<std::mutex> lock(mMutex);
  const Entry* e = Find(id);
  return e && !e->removed;
}

int RunLoop::NTimers() const noexcept
{
  std::lock_guard<std::mutex> lock(mMutex);
  return static_cast<int>(
      std::count_if(mTimers.begin(), mTimers.end(), [](const Entry& e) { return !e.removed; }));
}

double RunLoop::NextFireMs() const noexcept
{
  std::lock_guard<std::mutex> lock(mMutex);
  double next = std::numeric_limits<double>::infinity();
  for (const Entry& e : mTimers)
    if (!e.removed && !e.firing) next = std::min(next, e.nextFireMs);
  return next;
}

void RunLoop::Reschedule(Entry& entry, double firedAtMs) noexcept
{
  if (entry.intervalMs <= 0.0) {
    entry.removed = true; // one-shot
    return;
  }
  // Keep the original grid; ticks missed while the thread was busy are skipped, not fired in a burst.
  const double base = std::isfinite(entry.nextFireMs) ? entry.nextFireMs : firedAtMs;
  const double now = NowMs();
  double next = base + entry.intervalMs;
  if (next <= now) next += (std::floor((now - next) / entry.intervalMs) + 1.0) * entry.intervalMs;
  entry.nextFireMs = next;
}

void RunLoop::CompactRemoved() noexcept
{
  mTimers.erase(std::remove_if(mTimers.begin(), mTimers.end(), [](const Entry& e) { return e.removed; }),
                mTimers.end());
}

int RunLoop::RunPending()
{
  if (!IsOwnerThread()) return -1;
  const double now = NowMs();

  // Snapshot what is due now, earliest first: callouts may add or remove entries.
  std::vector<std::pair<double, TimerId>> due;
  {
    std::lock_guard<std::mutex> lock(mMutex);
    for (const Entry& e : mTimers)
      if (!e.removed && !e.firing && e.nextFireMs <= now) due.emplace_back(e.nextFireMs, e.id);
  }
  std::sort(due.begin(), due.end());

  ++mPassDepth;
  int fired = 0;
  for (const auto& [fireMs, id] : due) {
    TimerCallout callout = nullptr;
    void* info = nullptr;
    {
      std::lock_guard<std::mutex> lock(mMutex);
      Entry* e = Find(id);
      if (!e || e->removed || e->firing) continue;
      e->firing = true;
      callout = e->callout;
      info = e->info;
    }
    try {
      callout(info);
    } catch (...) {
      // Leave the loop consistent for the caller that handles the exception, then pass it on.
      FinishCallout(id, now);
      EndPass();
      throw;
    }
    ++fired;
    FinishCallout(id, now);
  }
  EndPass();
  return fired;
}

void RunLoop::FinishCallout(TimerId id, double passStartMs) noexcept
{
  {
    std::lock_guard<std::mutex> lock(mMutex);
    if (Entry* e = Find(id)) {
      e->firing = false;
      if (!e->removed) Reschedule(*e, passStartMs);
    }
  }
  mCalloutDone.notify_all();
}

void RunLoop::EndPass() noexcept
{
  if (--mPassDepth == 0) {
    std::lock_guard<std::mutex> lock(mMutex);
    CompactRemoved();
  }
}

int RunLoop::RunForMs(double durationMs)
{
  if (!IsOwnerThread()) return -1;
  const double end = NowMs() + (durationMs > 0.0 ? durationMs : 0.0);
  int fired = RunPending();
  for (;;) {
    const double next = NextFireMs();
    if (!(next <= end)) break;
    Clock().WaitUntilMs(next);
    fired += RunPending();
  }
  Clock().WaitUntilMs(end);
  return fired;
}

} // namespace plugin

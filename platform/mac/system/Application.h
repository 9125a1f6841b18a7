#pragma once

#include "platform/mac/system/Event.h"

// The application a plug-in runs in: its loading for use from a host, the event it is handling,
// the system version and the animation grouping of frame changes. Main thread only.
namespace plugin::sys {

// Prepares the application's user-interface services for code loaded into a host; true once
// they are ready. Repeated calls do nothing more.
bool ApplicationLoad() noexcept;
// How many times ApplicationLoad was called (tests).
int ApplicationLoadCount() noexcept;

// The event being delivered right now; null between events.
const Event* CurrentEvent() noexcept;

// Marks event as the current one for the lifetime of the scope (the window's delivery).
class CurrentEventScope
{
public:
  explicit CurrentEventScope(const Event& event) noexcept;
  ~CurrentEventScope();
  CurrentEventScope(const CurrentEventScope&) = delete;
  CurrentEventScope& operator=(const CurrentEventScope&) = delete;

private:
  const Event* mPrevious;
};

struct OperatingSystemVersion
{
  int major = 0, minor = 0, patch = 0;
};

// Whether the running system is at least version (compared major, minor, patch).
bool IsOperatingSystemAtLeast(OperatingSystemVersion version) noexcept;
// The version this system reports (tests): 11.0.0 by default.
void SetOperatingSystemVersion(OperatingSystemVersion version) noexcept;

// Grouping of animated changes. Frame changes here take effect at once whatever the duration;
// the grouping only keeps its nesting and the last duration set (tests read them).
class AnimationContext
{
public:
  static void BeginGrouping() noexcept;
  // Ignored outside a group.
  static void EndGrouping() noexcept;
  static AnimationContext& Current() noexcept;

  double Duration() const noexcept { return mDuration; }
  // Durations that are not finite or are negative are ignored.
  void SetDuration(double seconds) noexcept;
  // Open groups now.
  static int GroupingDepth() noexcept;

private:
  double mDuration = 0.25;
};

// The version back to default, load count 0, no grouping (tests).
void ResetApplication() noexcept;

} // namespace plugin::sys

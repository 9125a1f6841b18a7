#include "platform/mac/system/Application.h"

#include <cmath>
#include <tuple>

namespace plugin::sys {

namespace {

constexpr OperatingSystemVersion kDefaultVersion{11, 0, 0};
constexpr double kDefaultDuration = 0.25;

struct ApplicationState
{
  int loads = 0;
  const Event* currentEvent = nullptr;
  OperatingSystemVersion version = kDefaultVersion;
  int groupingDepth = 0;
};

ApplicationState& State() noexcept
{
  static ApplicationState state;
  return state;
}

} // namespace

bool ApplicationLoad() noexcept
{
  ++State().loads;
  return true;
}

int ApplicationLoadCount() noexcept
{
  return State().loads;
}

const Event* CurrentEvent() noexcept
{
  return State().currentEvent;
}

CurrentEventScope::CurrentEventScope(const Event& event) noexcept : mPrevious(State().currentEvent)
{
  State().currentEvent = &event;
}

CurrentEventScope::~CurrentEventScope()
{
  State().currentEvent = mPrevious;
}

bool IsOperatingSystemAtLeast(OperatingSystemVersion version) noexcept
{
  const OperatingSystemVersion& v = State().version;
  return std::tie(v.major, v.minor, v.patch) >= std::tie(version.major, version.minor, version.patch);
}

void SetOperatingSystemVersion(OperatingSystemVersion version) noexcept
{
  State().version = version;
}

void AnimationContext::BeginGrouping() noexcept
{
  ++State().groupingDepth;
}

void AnimationContext::EndGrouping() noexcept
{
  if (State().groupingDepth > 0) --State().groupingDepth;
}

AnimationContext& AnimationContext::Current() noexcept
{
  static AnimationContext context;
  return context;
}

void AnimationContext::SetDuration(double seconds) noexcept
{
  if (std::isfinite(seconds) && seconds >= 0.0) mDuration = seconds;
}

int AnimationContext::GroupingDepth() noexcept
{
  return State().groupingDepth;
}

void ResetApplication() noexcept
{
  const Event* current = State().currentEvent;
  State() = ApplicationState{};
  State().currentEvent = current; // an event being delivered stays current
  AnimationContext::Current().SetDuration(kDefaultDuration);
}

} // namespace plugin::sys

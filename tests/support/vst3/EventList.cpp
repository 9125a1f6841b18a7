#include "support/vst3/EventList.h"

namespace plugin::testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

EventList::EventList(int capacity) : mCapacity(capacity > 0 ? static_cast<size_t>(capacity) : 1)
{
  mEvents.reserve(mCapacity);
}

tresult PLUGIN_API EventList::getEvent(int32 index, Event& e)
{
  if (mFailReads) return kResultFalse;
  if (index < 0 || static_cast<size_t>(index) >= mEvents.size()) return kInvalidArgument;
  e = mEvents[static_cast<size_t>(index)];
  return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Event& e)
{
  if (mEvents.size() >= mCapacity) return kOutOfMemory;
  mEvents.push_back(e);
  return kResultOk;
}

tresult PLUGIN_API EventList::queryInterface(const TUID iid, void** obj)
{
  if (!obj) return kInvalidArgument;
  if (FUnknownPrivate::iidEqual(iid, IEventList::iid) || FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
    *obj = static_cast<IEventList*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

} // namespace plugin::testhost

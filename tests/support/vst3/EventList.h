#pragma once

#include "pluginterfaces/vst/ivstevents.h"

#include <vector>

namespace plugin::testhost {

// The events of one block (input or output of process), fixed capacity decided up front;
// reference counting is a no-op.
class EventList : public Steinberg::Vst::IEventList
{
public:
  explicit EventList(int capacity = 1024);

  // Empties the list (host, between blocks).
  void clear() { mEvents.clear(); }
  // When set, every getEvent fails (events that cannot be read).
  void setFailReads(bool fail) { mFailReads = fail; }
  const std::vector<Steinberg::Vst::Event>& events() const { return mEvents; }

  Steinberg::int32 PLUGIN_API getEventCount() override
  {
    return static_cast<Steinberg::int32>(mEvents.size());
  }
  Steinberg::tresult PLUGIN_API getEvent(Steinberg::int32 index, Steinberg::Vst::Event& e) override;
  // kOutOfMemory when full.
  Steinberg::tresult PLUGIN_API addEvent(Steinberg::Vst::Event& e) override;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

private:
  std::vector<Steinberg::Vst::Event> mEvents;
  size_t mCapacity;
  bool mFailReads = false;
};

} // namespace plugin::testhost

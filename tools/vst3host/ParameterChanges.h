#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace plugin::vst3host {

// One parameter's automation points for one block, as a host hands them to process. Points are
// kept ordered by sample offset; a point at an offset already present replaces its value.
// Lives inside ParameterChanges; reference counting is a no-op.
class ParamValueQueue final : public Steinberg::Vst::IParamValueQueue
{
public:
  explicit ParamValueQueue(int capacity = 64);

  void reset(Steinberg::Vst::ParamID id);
  // Appends a point as given, out of order or duplicate, to feed a plug-in malformed queues.
  bool appendRawPoint(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value);
  // When set, every getPoint fails (a queue whose points cannot be read).
  void setFailReads(bool fail) { mFailReads = fail; }

  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return mId; }
  Steinberg::int32 PLUGIN_API getPointCount() override
  {
    return static_cast<Steinberg::int32>(mPoints.size());
  }
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                         Steinberg::Vst::ParamValue& value) override;
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value,
                                         Steinberg::int32& index) override;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

private:
  struct Point
  {
    Steinberg::int32 offset;
    Steinberg::Vst::ParamValue value;
  };
  Steinberg::Vst::ParamID mId = Steinberg::Vst::kNoParamId;
  std::vector<Point> mPoints;
  size_t mCapacity;
  bool mFailReads = false;
};

// The list of changed parameters of one block (input or output of process). Fixed capacity
// decided at construction, so queue pointers stay valid; reference counting is a no-op.
class ParameterChanges final : public Steinberg::Vst::IParameterChanges
{
public:
  explicit ParameterChanges(int maxParameters = 256, int pointsPerQueue = 64);

  // Empties the list (host, between blocks).
  void clear();
  // Convenience: adds one point for the parameter (creating its queue); false when full.
  bool add(Steinberg::Vst::ParamID id, Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value);
  // The queue of that parameter id, null when absent.
  ParamValueQueue* find(Steinberg::Vst::ParamID id);

  Steinberg::int32 PLUGIN_API getParameterCount() override { return mUsed; }
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                Steinberg::int32& index) override;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

private:
  std::vector<ParamValueQueue> mQueues;
  Steinberg::int32 mUsed = 0;
};

} // namespace plugin::vst3host

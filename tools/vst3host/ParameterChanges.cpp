#include "tools/vst3host/ParameterChanges.h"

namespace plugin::vst3host {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

template <class I, class T> tresult QueryOne(T* self, const TUID iid, void** obj)
{
  if (!obj) return kInvalidArgument;
  if (FUnknownPrivate::iidEqual(iid, I::iid) || FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
    *obj = static_cast<I*>(self);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

} // namespace

ParamValueQueue::ParamValueQueue(int capacity) : mCapacity(capacity > 0 ? static_cast<size_t>(capacity) : 1)
{
  mPoints.reserve(mCapacity);
}

void ParamValueQueue::reset(ParamID id)
{
  mId = id;
  mPoints.clear();
  mFailReads = false;
}

bool ParamValueQueue::appendRawPoint(int32 sampleOffset, ParamValue value)
{
  if (mPoints.size() >= mCapacity) return false;
  mPoints.push_back({sampleOffset, value});
  return true;
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value)
{
  if (mFailReads || index < 0 || static_cast<size_t>(index) >= mPoints.size()) return kResultFalse;
  sampleOffset = mPoints[static_cast<size_t>(index)].offset;
  value = mPoints[static_cast<size_t>(index)].value;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index)
{
  size_t at = 0;
  while (at < mPoints.size() && mPoints[at].offset < sampleOffset)
    ++at;
  if (at < mPoints.size() && mPoints[at].offset == sampleOffset) {
    mPoints[at].value = value;
  } else {
    if (mPoints.size() >= mCapacity) return kResultFalse;
    mPoints.insert(mPoints.begin() + static_cast<std::ptrdiff_t>(at), {sampleOffset, value});
  }
  index = static_cast<int32>(at);
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID iid, void** obj)
{
  return QueryOne<IParamValueQueue>(this, iid, obj);
}

ParameterChanges::ParameterChanges(int maxParameters, int pointsPerQueue)
{
  mQueues.reserve(static_cast<size_t>(maxParameters > 0 ? maxParameters : 1));
  for (int i = 0; i < maxParameters; ++i)
    mQueues.emplace_back(pointsPerQueue);
}

void ParameterChanges::clear()
{
  mUsed = 0;
}

bool ParameterChanges::add(ParamID id, int32 sampleOffset, ParamValue value)
{
  int32 index = 0;
  IParamValueQueue* queue = addParameterData(id, index);
  int32 pointIndex = 0;
  return queue && queue->addPoint(sampleOffset, value, pointIndex) == kResultOk;
}

ParamValueQueue* ParameterChanges::find(ParamID id)
{
  for (int32 i = 0; i < mUsed; ++i)
    if (mQueues[static_cast<size_t>(i)].getParameterId() == id) return &mQueues[static_cast<size_t>(i)];
  return nullptr;
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
  if (index < 0 || index >= mUsed) return nullptr;
  return &mQueues[static_cast<size_t>(index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index)
{
  for (int32 i = 0; i < mUsed; ++i) {
    if (mQueues[static_cast<size_t>(i)].getParameterId() == id) {
      index = i;
      return &mQueues[static_cast<size_t>(i)];
    }
  }
  if (static_cast<size_t>(mUsed) >= mQueues.size()) return nullptr;
  index = mUsed;
  mQueues[static_cast<size_t>(mUsed)].reset(id);
  return &mQueues[static_cast<size_t>(mUsed++)];
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID iid, void** obj)
{
  return QueryOne<IParameterChanges>(this, iid, obj);
}

} // namespace plugin::vst3host

#include "engine/MeterTransmitter.h"

#include <cfloat>
#include <cmath>
#include <new>

float MeterRecordValue(double value) noexcept
{
  // The controls show 0.001 rather than a value that cannot be drawn.
  if (!std::isfinite(value) || std::fabs(value) < DBL_MIN) value = 0.0010000000474974513;
  const float f = static_cast<float>(value);
  return std::fpclassify(f) == FP_SUBNORMAL ? 0.0f : f;
}

MeterTransmitter::MeterTransmitter()
    : mQueues{plugin::ILockFreeQueue<IMeterRecord>(kQueueCapacity),
              plugin::ILockFreeQueue<IMeterRecord>(kQueueCapacity),
              plugin::ILockFreeQueue<IMeterRecord>(kQueueCapacity),
              plugin::ILockFreeQueue<IMeterRecord>(kQueueCapacity)}
{
  // A queue reports missing storage as capacity 0, where every record would be dropped.
  for (const auto& queue : mQueues)
    if (queue.Capacity() != kQueueCapacity) throw std::bad_alloc();
  for (int tag = 0; tag < kNumMeters; ++tag)
    mRecords[static_cast<size_t>(tag)] = IMeterRecord{tag, 1, 0, 0.0f};
}

void MeterTransmitter::Send(EMeterTag tag, double value, plugin::IEditorDelegate& delegate) noexcept
{
  const size_t i = static_cast<size_t>(tag);
  mRecords[i].mValue = MeterRecordValue(value);
  mQueues[i].Push(mRecords[i]);
  while (mQueues[i].Pop(mScratch))
    delegate.SendControlMsgFromDelegate(mScratch.mControlTag, 0, static_cast<int>(sizeof(IMeterRecord)),
                                        &mScratch);
}

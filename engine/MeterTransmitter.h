#pragma once

#include "engine/IMeterRecord.h"
#include "framework/editor/IEditorDelegate.h"
#include "framework/queues/ILockFreeQueue.h"

#include <array>

// The value a meter control receives for a raw meter value: infinite, NaN and tiny values
// (below the smallest normal double in magnitude) become 0.001; a value that turns subnormal in
// single precision becomes 0.
float MeterRecordValue(double value) noexcept;

// The four meter records (two needles, two readouts) with one queue each, and their delivery to
// the editor's meter controls. Every record is pushed and drained by the same caller, so each
// queue has one producer and one consumer on one thread. Main thread only; no allocation after
// construction.
class MeterTransmitter
{
public:
  // Control tags of the meters in the editor.
  enum EMeterTag : int { kLeftNeedle = 0, kRightNeedle = 1, kLeftReadout = 2, kRightReadout = 3, kNumMeters };

  // Records waiting in one queue at most.
  static constexpr int kQueueCapacity = 64;

  // Every record at its starting value, each queue with kQueueCapacity places. Main thread, at
  // the plug-in's construction; allocates the queues and throws std::bad_alloc when one cannot
  // have its storage, so that a plug-in whose meters could never move is not built.
  MeterTransmitter();

  // Sets meter tag's record to value (sanitised), pushes it (a full queue drops it), then pops
  // every waiting record of that queue and delivers it to the controls with the record's tag as a
  // 16-byte message with tag 0.
  void Send(EMeterTag tag, double value, plugin::IEditorDelegate& delegate) noexcept;

  // The record meter tag last carried.
  const IMeterRecord& Record(EMeterTag tag) const noexcept { return mRecords[static_cast<size_t>(tag)]; }

private:
  std::array<IMeterRecord, kNumMeters> mRecords;
  std::array<plugin::ILockFreeQueue<IMeterRecord>, kNumMeters> mQueues;
  IMeterRecord mScratch; // receives each popped record
};

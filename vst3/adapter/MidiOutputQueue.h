#pragma once

#include "framework/queues/IMidiMsg.h"

#include <cstddef>
#include <vector>

namespace plugin::vst3 {

// MIDI messages the plug-in sends during a block, kept ordered by sample offset (equal offsets
// keep their arrival order) until the binding turns them into host events. The capacity is fixed
// at set-up, so the audio thread never allocates: a message that finds the queue full is dropped.
// Audio thread, except Resize (processing set-up, while no block runs).
class MidiOutputQueue
{
public:
  static constexpr int kGranularity = 512; // capacities are multiples of this many messages

  // Room for kGranularity messages. Allocates.
  MidiOutputQueue();

  // Makes room for blockSize messages rounded up to the granularity (never below the live
  // messages, rounded the same way). False (old buffer kept) when memory ran out. Allocates.
  bool Resize(int blockSize);

  // Inserts msg after the last message whose offset is not greater than its own; false (dropped)
  // when the queue is full. No allocation.
  bool Insert(const IMidiMsg& msg) noexcept;

  // Live messages, earliest first.
  int Size() const noexcept { return mSize; }
  bool Empty() const noexcept { return mSize == 0; }
  int Capacity() const noexcept { return static_cast<int>(mBuf.size()); }
  // Live message i; i must be below Size().
  const IMidiMsg& At(int i) const noexcept { return mBuf[static_cast<size_t>(i)]; }
  // Removes every live message (the host took them).
  void Clear() noexcept { mSize = 0; }
  // Subtracts frames from every live message's offset (the host took no events this block).
  void ShiftOffsets(int frames) noexcept;

private:
  std::vector<IMidiMsg> mBuf;
  int mSize = 0;
};

} // namespace plugin::vst3

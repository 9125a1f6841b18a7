#include "vst3/adapter/MidiOutputQueue.h"

#include <algorithm>
#include <new>

namespace plugin::vst3 {

MidiOutputQueue::MidiOutputQueue() : mBuf(kGranularity) {}

bool MidiOutputQueue::Resize(int blockSize)
{
  const int wanted = std::max(blockSize, mSize);
  const int rounded = std::max(1, (wanted + kGranularity - 1) / kGranularity) * kGranularity;
  if (rounded == Capacity()) return true;
  try {
    std::vector<IMidiMsg> resized(static_cast<size_t>(rounded));
    std::copy(mBuf.begin(), mBuf.begin() + mSize, resized.begin());
    mBuf.swap(resized);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool MidiOutputQueue::Insert(const IMidiMsg& msg) noexcept
{
  if (mSize >= Capacity()) return false;
  int at = mSize;
  // Later offsets move back one place; equal ones stay ahead of the new message.
  while (at > 0 && mBuf[static_cast<size_t>(at - 1)].mOffset > msg.mOffset) {
    mBuf[static_cast<size_t>(at)] = mBuf[static_cast<size_t>(at - 1)];
    --at;
  }
  mBuf[static_cast<size_t>(at)] = msg;
  ++mSize;
  return true;
}

void MidiOutputQueue::ShiftOffsets(int frames) noexcept
{
  for (int i = 0; i < mSize; ++i)
    mBuf[static_cast<size_t>(i)].mOffset -= frames;
}

} // namespace plugin::vst3

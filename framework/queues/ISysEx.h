#pragma once

#include <cstdint>
#include <cstring>

namespace plugin {

// A system-exclusive message as handed to the sysex operations; the data is not owned.
struct ISysEx
{
  int32_t mOffset = 0;            // sample offset within the block
  int32_t mSize = 0;              // bytes at mData
  const uint8_t* mData = nullptr; // may be null
};

// One system-exclusive queue entry: the message copied into a fixed record.
struct SysExData
{
  static constexpr int kMaxBytes = 512;

  int32_t mOffset = 0;
  int32_t mSize = 0;
  uint8_t mData[kMaxBytes] = {};

  // Fills the record from msg: false (record untouched) when the size is outside 0..kMaxBytes.
  // A message without data gets kMaxBytes zero bytes and keeps its stated size. No allocation.
  bool Assign(const ISysEx& msg) noexcept
  {
    if (msg.mSize < 0 || msg.mSize > kMaxBytes) return false;
    mOffset = msg.mOffset;
    mSize = msg.mSize;
    std::memset(mData, 0, sizeof(mData));
    if (msg.mData && msg.mSize > 0) std::memcpy(mData, msg.mData, static_cast<size_t>(msg.mSize));
    return true;
  }

  // A message view of this record (valid while the record lives).
  ISysEx AsSysEx() const noexcept { return ISysEx{mOffset, mSize, mData}; }
};

static_assert(sizeof(SysExData) == 520, "SysExData is a 520-byte record");

} // namespace plugin

#pragma once

#include <cstdint>

namespace plugin {

// Growable heap block with a growth granularity. Grows by half again (at least one granule),
// shrinks only with hysteresis, and never throws: an allocation failure keeps the old contents
// and size, so callers compare GetSize() with what they asked for.
// Not thread-safe; owned by one thread at a time.
class HeapBuf
{
public:
  // Largest allocation the buffer will make, in bytes.
  static constexpr int kMaxAlloc = 0x7ffff000;

  explicit HeapBuf(int granularity = 4096) noexcept : m_granul(granularity) {}
  ~HeapBuf();
  HeapBuf(const HeapBuf& other) noexcept;
  HeapBuf& operator=(const HeapBuf& other) noexcept;
  HeapBuf(HeapBuf&& other) noexcept;
  HeapBuf& operator=(HeapBuf&& other) noexcept;

  // Sets the size in use to newSize bytes; returns the data, or null when the size is 0 or
  // nothing could be allocated. Reallocates only when growing past the allocation, or when
  // resizeDown is set and the new size is well below it.
  void* Resize(int newSize, bool resizeDown = true) noexcept;

  // The data (null when nothing is allocated).
  void* Get() const noexcept { return m_buf; }
  // Bytes in use.
  int GetSize() const noexcept { return m_size; }
  // Bytes allocated.
  int GetAlloc() const noexcept { return m_alloc; }
  // Growth granularity in bytes.
  int GetGranularity() const noexcept { return m_granul; }
  // Changes the growth granularity used by later reallocations.
  void SetGranularity(int granularity) noexcept { m_granul = granularity; }

private:
  // Allocation (in bytes) for n bytes in use, in 64 bits; above kMaxAlloc means "too large".
  int64_t AllocationFor(int n) const noexcept;
  void Free() noexcept;

  void* m_buf = nullptr;
  int32_t m_alloc = 0;
  int32_t m_size = 0;
  int32_t m_granul = 4096;
  int32_t m_pad = 0;
};

} // namespace plugin

#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>

namespace plugin {

// Fixed-capacity ring between exactly one producer thread and exactly one consumer thread, with
// atomic read and write indices (acquire/release). Storage is allocated once in the constructor;
// Push and Pop copy fixed-size records and never allocate, lock or block, so either side may be
// the audio thread. A full queue drops the new element and says so.
template <class T> class ILockFreeQueue
{
  static_assert(std::is_trivially_copyable_v<T>, "queue entries are plain records");

public:
  // A queue holding up to capacity elements (capacity + 1 slots). Main thread; allocates. When
  // the storage cannot be allocated the queue has capacity 0: every Push fails.
  explicit ILockFreeQueue(int capacity) noexcept
  {
    const int64_t nSlots = (capacity > 0 ? capacity : 0) + int64_t{1};
    mSlots.reset(new (std::nothrow) T[static_cast<size_t>(nSlots)]());
    mNSlots = mSlots ? nSlots : 0;
  }

  ILockFreeQueue(const ILockFreeQueue&) = delete;
  ILockFreeQueue& operator=(const ILockFreeQueue&) = delete;

  // Copies item in. Producer thread only; false (item dropped) when the queue is full.
  bool Push(const T& item) noexcept
  {
    if (mNSlots == 0) return false;
    const int64_t write = mWriteIdx.load(std::memory_order_relaxed);
    const int64_t next = (write + 1) % mNSlots;
    if (next == mReadIdx.load(std::memory_order_acquire)) return false;
    mSlots[static_cast<size_t>(write)] = item;
    mWriteIdx.store(next, std::memory_order_release);
    return true;
  }

  // Copies the oldest element out. Consumer thread only; false (item untouched) when empty.
  bool Pop(T& item) noexcept
  {
    if (mNSlots == 0) return false;
    const int64_t read = mReadIdx.load(std::memory_order_relaxed);
    if (read == mWriteIdx.load(std::memory_order_acquire)) return false;
    item = mSlots[static_cast<size_t>(read)];
    mReadIdx.store((read + 1) % mNSlots, std::memory_order_release);
    return true;
  }

  // Elements waiting. Exact on either side's own thread; a snapshot elsewhere.
  int ElementsAvailable() const noexcept
  {
    int64_t n = mWriteIdx.load(std::memory_order_acquire) - mReadIdx.load(std::memory_order_acquire);
    if (n < 0) n += mNSlots;
    return static_cast<int>(n);
  }

  // Most elements the queue can hold.
  int Capacity() const noexcept { return mNSlots > 0 ? static_cast<int>(mNSlots - 1) : 0; }

private:
  std::unique_ptr<T[]> mSlots;
  int64_t mNSlots = 0;
  // Producer and consumer indices on separate cache lines so that the two sides do not contend.
  alignas(64) std::atomic<int64_t> mWriteIdx{0};
  alignas(64) std::atomic<int64_t> mReadIdx{0};
};

} // namespace plugin

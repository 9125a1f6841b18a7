#include "framework/queues/ILockFreeQueue.h"
#include "framework/queues/IMidiMsg.h"
#include "framework/queues/IParamChange.h"
#include "framework/queues/ISysEx.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

using namespace plugin;

namespace {

constexpr int kItems = 1000000;

// One producer pushes kItems records made by make(i), retrying while the queue is full; one
// consumer pops them and checks that they arrive complete, in order and exactly once.
template <class T, class Make, class Check> void RunProducerConsumer(int capacity, Make make, Check check)
{
  ILockFreeQueue<T> q(capacity);
  std::thread producer([&] {
    for (int i = 0; i < kItems; ++i) {
      const T item = make(i);
      while (!q.Push(item))
        std::this_thread::yield();
    }
  });
  int received = 0;
  int mismatches = 0;
  T item{};
  while (received < kItems) {
    if (q.Pop(item)) {
      if (!check(item, received)) ++mismatches;
      ++received;
    } else {
      std::this_thread::yield();
    }
  }
  producer.join();
  EXPECT_EQ(received, kItems);
  EXPECT_EQ(mismatches, 0);
  EXPECT_FALSE(q.Pop(item)); // nothing extra
}

} // namespace

TEST(LockFreeQueueThreads, ParamChangesArriveInOrder)
{
  RunProducerConsumer<IParamChange>(
      512,
      [](int i) {
        return IParamChange{i, i * 0.5};
      },
      [](const IParamChange& c, int i) { return c.paramIdx == i && c.value == i * 0.5; });
}

TEST(LockFreeQueueThreads, MidiMessagesArriveInOrder)
{
  RunProducerConsumer<IMidiMsg>(
      32,
      [](int i) {
        return IMidiMsg{i, static_cast<uint8_t>(i & 0xFF), static_cast<uint8_t>((i >> 8) & 0x7F),
                        static_cast<uint8_t>((i >> 15) & 0x7F)};
      },
      [](const IMidiMsg& m, int i) {
        return m.mOffset == i && m.mStatus == (i & 0xFF) && m.mData1 == ((i >> 8) & 0x7F) &&
               m.mData2 == ((i >> 15) & 0x7F);
      });
}

TEST(LockFreeQueueThreads, SysExRecordsArriveWhole)
{
  RunProducerConsumer<SysExData>(
      4,
      [](int i) {
        SysExData d;
        d.mOffset = i;
        d.mSize = i % 513;
        std::memset(d.mData, i & 0xFF, sizeof(d.mData)); // a torn copy would mix two fill bytes
        return d;
      },
      [](const SysExData& d, int i) {
        if (d.mOffset != i || d.mSize != i % 513) return false;
        for (uint8_t b : d.mData)
          if (b != (i & 0xFF)) return false;
        return true;
      });
}

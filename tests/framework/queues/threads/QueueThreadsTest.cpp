#include "framework/queues/ILockFreeQueue.h"
#include "framework/queues/ISysEx.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

using namespace plugin;

namespace {

constexpr int kItems = 200000;

// One producer pushes kItems records made by make(i), retrying while the queue is full; one
// consumer pops them and checks that they arrive whole, in order and exactly once.
template <class T, class Make, class Check> void RunProducerConsumer(int capacity, Make make, Check check)
{
  ILockFreeQueue<T> q(capacity);
  std::thread producer([&] {
    for (int i = 0; i < kItems; ++i)
      while (!q.Push(make(i)))
        std::this_thread::yield();
  });
  int received = 0, mismatches = 0;
  T item{};
  while (received < kItems) {
    if (q.Pop(item))
      mismatches += check(item, received++) ? 0 : 1;
    else
      std::this_thread::yield();
  }
  producer.join();
  EXPECT_EQ(mismatches, 0);
  EXPECT_FALSE(q.Pop(item)); // nothing extra
}

} // namespace

TEST(QueueThreads, SysExRecordsArriveWhole)
{
  RunProducerConsumer<SysExData>(
      4,
      [](int i) {
        SysExData d;
        d.mOffset = i;
        std::memset(d.mData, i & 0xFF, sizeof(d.mData)); // a torn copy would mix two fill bytes
        return d;
      },
      [](const SysExData& d, int i) {
        return d.mOffset == i && d.mData[0] == (i & 0xFF) && std::memcmp(d.mData, d.mData + 1, 511) == 0;
      });
}

#include "framework/queues/ILockFreeQueue.h"
#include "framework/queues/IMidiMsg.h"
#include "framework/queues/IParamChange.h"
#include "framework/queues/ISysEx.h"

#include <gtest/gtest.h>

using namespace plugin;

TEST(LockFreeQueue, HoldsExactlyItsCapacity)
{
  ILockFreeQueue<IMidiMsg> q(32);
  EXPECT_EQ(q.Capacity(), 32);
  for (int i = 0; i < 32; ++i)
    ASSERT_TRUE(q.Push(IMidiMsg{i, 0x90, 60, 100})) << i;
  EXPECT_FALSE(q.Push(IMidiMsg{32, 0x90, 61, 100})); // the 33rd is dropped
  EXPECT_EQ(q.ElementsAvailable(), 32);

  IMidiMsg m;
  ASSERT_TRUE(q.Pop(m));
  EXPECT_EQ(m.mOffset, 0);
  EXPECT_TRUE(q.Push(IMidiMsg{33, 0x80, 62, 0})); // one pop frees one slot
  EXPECT_FALSE(q.Push(IMidiMsg{34, 0x80, 62, 0}));

  for (int expected = 1; expected < 32; ++expected) {
    ASSERT_TRUE(q.Pop(m));
    EXPECT_EQ(m.mOffset, expected);
  }
  ASSERT_TRUE(q.Pop(m));
  EXPECT_EQ(m.mOffset, 33); // the dropped 32 never appears
  EXPECT_FALSE(q.Pop(m));
}

TEST(LockFreeQueue, PopOnEmptyLeavesTheItemUntouched)
{
  ILockFreeQueue<IParamChange> q(4);
  IParamChange c{5, 0.25};
  EXPECT_FALSE(q.Pop(c));
  EXPECT_EQ(c.paramIdx, 5);
  EXPECT_EQ(c.value, 0.25);
}

TEST(LockFreeQueue, CountWrapsAroundTheRing)
{
  ILockFreeQueue<int> q(4); // 5 slots
  int v = 0;
  for (int round = 0; round < 23; ++round) {
    ASSERT_TRUE(q.Push(round));
    ASSERT_TRUE(q.Push(round + 100));
    ASSERT_TRUE(q.Push(round + 200));
    EXPECT_EQ(q.ElementsAvailable(), 3);
    ASSERT_TRUE(q.Pop(v));
    EXPECT_EQ(v, round);
    ASSERT_TRUE(q.Pop(v));
    ASSERT_TRUE(q.Pop(v));
    EXPECT_EQ(v, round + 200);
    EXPECT_EQ(q.ElementsAvailable(), 0);
  }
}

// A full queue at every position of the ring: drops, frees one slot per pop, keeps the order.
TEST(LockFreeQueue, FullAtEveryPositionOfTheRing)
{
  ILockFreeQueue<int> q(4); // 5 slots
  int v = -1;
  EXPECT_FALSE(q.Pop(v));
  EXPECT_EQ(v, -1);
  for (int round = 0; round < 7; ++round) {
    for (int i = 0; i < 4; ++i)
      ASSERT_TRUE(q.Push(10 * round + i));
    EXPECT_FALSE(q.Push(-2)); // the fifth is dropped
    EXPECT_EQ(q.ElementsAvailable(), 4);
    ASSERT_TRUE(q.Pop(v));
    EXPECT_EQ(v, 10 * round);
    ASSERT_TRUE(q.Push(-3)); // one pop frees one slot
    for (int i = 1; i < 4; ++i)
      ASSERT_TRUE(q.Pop(v) && v == 10 * round + i) << round << " " << i << " " << v;
    ASSERT_TRUE(q.Pop(v) && v == -3);
    EXPECT_EQ(q.ElementsAvailable(), 0);
  }
}

TEST(LockFreeQueue, ZeroAndNegativeCapacitiesHoldNothing)
{
  for (int capacity : {0, -5}) {
    ILockFreeQueue<int> q(capacity);
    EXPECT_EQ(q.Capacity(), 0);
    EXPECT_FALSE(q.Push(1));
    int v = 7;
    EXPECT_FALSE(q.Pop(v));
    EXPECT_EQ(v, 7);
  }
}

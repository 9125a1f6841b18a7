#include "framework/queues/IKeyPress.h"
#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testhost;

TEST(LockFreeQueue, HoldsItsCapacityInOrderAcrossTheWrap)
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

TEST(QueueRecords, SysExAndKeyPress)
{
  SysExData entry;
  std::memset(entry.mData, 0xAB, sizeof(entry.mData));
  ASSERT_TRUE(entry.Assign(ISysEx{7, 12, nullptr})); // no data: zero bytes with the stated size
  EXPECT_EQ(std::make_pair(entry.mOffset, entry.mSize), std::make_pair(7, 12));
  EXPECT_EQ(std::vector<uint8_t>(entry.mData, entry.mData + 512), std::vector<uint8_t>(512, 0));
  const uint8_t big[SysExData::kMaxBytes + 1] = {0xF0, 0x7E};
  EXPECT_TRUE(entry.Assign(ISysEx{0, SysExData::kMaxBytes, big}));
  EXPECT_EQ(entry.mData[1], 0x7E);
  EXPECT_FALSE(entry.Assign(ISysEx{1, SysExData::kMaxBytes + 1, big}));
  EXPECT_FALSE(entry.Assign(ISysEx{1, -1, big}));
  EXPECT_EQ(entry.mOffset, 0); // untouched

  const IKeyPress k("abcdefgh", 65, true, false, true);
  EXPECT_STREQ(k.mUtf8, "abcd");
  EXPECT_TRUE(k.mShift && !k.mCtrl && k.mAlt);
}

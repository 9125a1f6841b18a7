#include "framework/queues/IKeyPress.h"
#include "framework/queues/IMidiMsg.h"
#include "framework/queues/IParamChange.h"
#include "framework/queues/ISysEx.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace plugin;

TEST(Records, SizesOfTheQueueRecords)
{
  EXPECT_EQ(sizeof(IMidiMsg), 8u);
  EXPECT_EQ(sizeof(IParamChange), 16u);
  EXPECT_EQ(sizeof(SysExData), 520u);
}

TEST(Records, SysExWithoutDataIsQueuedAsZeroBytesWithItsStatedSize)
{
  SysExData entry;
  std::memset(entry.mData, 0xAB, sizeof(entry.mData));
  ASSERT_TRUE(entry.Assign(ISysEx{7, 12, nullptr}));
  EXPECT_EQ(entry.mOffset, 7);
  EXPECT_EQ(entry.mSize, 12);
  for (uint8_t b : entry.mData)
    ASSERT_EQ(b, 0);
}

TEST(Records, SysExCopiesExactlyItsBytes)
{
  const uint8_t bytes[] = {0xF0, 0x7E, 0x01, 0xF7};
  SysExData entry;
  ASSERT_TRUE(entry.Assign(ISysEx{3, 4, bytes}));
  EXPECT_EQ(std::memcmp(entry.mData, bytes, 4), 0);
  EXPECT_EQ(entry.mData[4], 0);
  const ISysEx view = entry.AsSysEx();
  EXPECT_EQ(view.mSize, 4);
  EXPECT_EQ(view.mData, entry.mData);
}

TEST(Records, SysExSizesOutsideTheRecordAreRefused)
{
  uint8_t big[SysExData::kMaxBytes + 1] = {};
  SysExData entry;
  entry.mSize = 99;
  EXPECT_FALSE(entry.Assign(ISysEx{0, SysExData::kMaxBytes + 1, big}));
  EXPECT_FALSE(entry.Assign(ISysEx{0, -1, big}));
  EXPECT_EQ(entry.mSize, 99); // untouched
  EXPECT_TRUE(entry.Assign(ISysEx{0, SysExData::kMaxBytes, big}));
  EXPECT_TRUE(entry.Assign(ISysEx{0, 0, big}));
}

TEST(Records, KeyPressTextIsCutAndTerminated)
{
  const IKeyPress k("abcdefgh", 65, true, false, true);
  EXPECT_STREQ(k.mUtf8, "abcd");
  EXPECT_EQ(k.mVKey, 65);
  EXPECT_TRUE(k.mShift);
  EXPECT_FALSE(k.mCtrl);
  EXPECT_TRUE(k.mAlt);
  EXPECT_STREQ(IKeyPress(nullptr, 13).mUtf8, "");
}

#include "framework/buffers/IByteChunk.h"
#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using plugin::IByteChunk;
using plugin::StringBuf;
using testhost::Bytes;
using testhost::Chunk;

TEST(IByteChunk, PutAndGetThreadPositions)
{
  IByteChunk chunk;
  const int32_t i = 7;
  const double d = 0.5;
  EXPECT_EQ(chunk.Put(&i), 4);
  EXPECT_EQ(chunk.Put(&d), 12);
  int32_t i2 = 0;
  double d2 = 0;
  int pos = chunk.Get(&i2, 0);
  EXPECT_EQ(pos, 4);
  pos = chunk.Get(&d2, pos);
  EXPECT_EQ(pos, 12);
  EXPECT_EQ(i2, 7);
  EXPECT_EQ(d2, 0.5);
}

TEST(IByteChunk, FailedReadLeavesValueAndFailsLaterReads)
{
  IByteChunk chunk;
  const int16_t s = 3;
  chunk.Put(&s);
  double d = 9.0;
  EXPECT_EQ(chunk.Get(&d, 0), -1);
  EXPECT_EQ(d, 9.0);
  chunk.PutBytes("abcdefg", 7); // nine bytes: a double at 1 is one byte short
  EXPECT_EQ(chunk.Get(&d, 2), -1);
  EXPECT_EQ(chunk.Get(&d, 1), 9);
  EXPECT_NE(d, 9.0);
  int16_t t = 1;
  EXPECT_EQ(chunk.Get(&t, -1), -1);
  EXPECT_EQ(t, 1);
  EXPECT_EQ(chunk.Get(&t, 0x7fffffff), -1); // no overflow past the end
}

TEST(IByteChunk, StringsRoundTripWithoutTerminator)
{
  IByteChunk chunk;
  EXPECT_EQ(chunk.PutStr("AB"), 6);
  chunk.PutStr("");
  chunk.PutStr(nullptr);
  EXPECT_EQ(Bytes(chunk), (std::vector<uint8_t>{2, 0, 0, 0, 'A', 'B', 0, 0, 0, 0, 0, 0, 0, 0}));
  StringBuf text;
  int pos = chunk.GetStr(text, 0);
  EXPECT_EQ(pos, 6);
  EXPECT_STREQ(text.Get(), "AB");
  pos = chunk.GetStr(text, pos);
  EXPECT_EQ(pos, 10);
  EXPECT_STREQ(text.Get(), "");
}

TEST(IByteChunk, BadStringLengthsFailWithTextUnchanged)
{
  StringBuf text("keep");
  for (int32_t len : {-1, -100000, 5, 0x7fffffff}) {
    IByteChunk chunk;
    chunk.Put(&len);
    chunk.PutBytes("abc", 3);
    EXPECT_EQ(chunk.GetStr(text, 0), -1) << len;
    EXPECT_STREQ(text.Get(), "keep");
  }
  EXPECT_EQ(Chunk({1, 0}).GetStr(text, 0), -1); // the length field itself is cut
  EXPECT_STREQ(text.Get(), "keep");
}

TEST(IByteChunk, StringStopsAtZeroByte)
{
  IByteChunk chunk;
  const int32_t len = 4;
  chunk.Put(&len);
  chunk.PutBytes("a\0bc", 4);
  StringBuf text;
  EXPECT_EQ(chunk.GetStr(text, 0), 8);
  EXPECT_STREQ(text.Get(), "a");
}

TEST(IByteChunk, PutChunkClearAndSelfAppend)
{
  IByteChunk a;
  a.PutBytes("xy", 2);
  IByteChunk b;
  b.PutChunk(a);
  b.PutChunk(b);
  EXPECT_EQ(Bytes(b), (std::vector<uint8_t>{'x', 'y', 'x', 'y'}));
  EXPECT_TRUE(a.IsEqual(a));
  EXPECT_FALSE(a.IsEqual(b));
  b.Clear();
  EXPECT_EQ(b.Size(), 0);
  EXPECT_EQ(b.GetData(), nullptr);
  EXPECT_EQ(b.PutBytes(nullptr, 3), -1);
  EXPECT_EQ(b.Size(), 0);
}

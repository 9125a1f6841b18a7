#include "framework/buffers/HeapBuf.h"
#include "framework/buffers/PtrList.h"
#include "framework/buffers/TypedBuf.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

using plugin::HeapBuf;
using plugin::PtrList;
using plugin::TypedBuf;

TEST(HeapBufGrowth, PageGranularityFillsWholePages)
{
  HeapBuf buf(4096);
  ASSERT_NE(buf.Resize(10), nullptr);
  EXPECT_EQ(buf.GetSize(), 10);
  EXPECT_EQ(buf.GetAlloc(), 4000); // 10 + 4096 + 96 = 4202 -> 4096 - 96

  ASSERT_NE(buf.Resize(10000), nullptr);
  EXPECT_EQ(buf.GetAlloc(), 12192); // step 4096; 14192 -> 12288 - 96
}

TEST(HeapBufGrowth, PageStepIsCappedAtFourMiB)
{
  HeapBuf buf(4096);
  ASSERT_NE(buf.Resize(20000000), nullptr);
  // step min(10000000 -> 4 MiB); 20000000 + 4194304 + 96 = 24194400 -> 24190976 - 96
  EXPECT_EQ(buf.GetAlloc(), 24190880);
}

TEST(HeapBufGrowth, SmallGranularityAddsHalfOrOneGranule)
{
  HeapBuf buf(128);
  buf.Resize(11);
  EXPECT_EQ(buf.GetAlloc(), 139);
  buf.Resize(1000);
  EXPECT_EQ(buf.GetAlloc(), 1500);
}

TEST(HeapBufShrink, OnlyWellBelowTheAllocation)
{
  HeapBuf buf(128);
  buf.Resize(1000); // alloc 1500
  buf.Resize(800);  // above min(1500 - 512, 750): kept
  EXPECT_EQ(buf.GetAlloc(), 1500);
  buf.Resize(700); // below 750: reallocated for 700
  EXPECT_EQ(buf.GetAlloc(), 1050);
  EXPECT_EQ(buf.GetSize(), 700);
}

TEST(HeapBufShrink, WithoutResizeDownTheMemoryStays)
{
  HeapBuf buf(128);
  buf.Resize(1000);
  EXPECT_EQ(buf.Resize(0, false), nullptr);
  EXPECT_EQ(buf.GetSize(), 0);
  EXPECT_EQ(buf.GetAlloc(), 1500);
  EXPECT_NE(buf.Get(), nullptr);
  EXPECT_NE(buf.Resize(5), nullptr); // growing again within the allocation keeps it
  EXPECT_EQ(buf.GetSize(), 5);
  EXPECT_EQ(buf.GetAlloc(), 1500);
}

TEST(HeapBufShrink, ZeroWithResizeDownFrees)
{
  HeapBuf buf(128);
  buf.Resize(100);
  EXPECT_EQ(buf.Resize(0, true), nullptr);
  EXPECT_EQ(buf.GetAlloc(), 0);
  EXPECT_EQ(buf.Get(), nullptr);
  EXPECT_EQ(buf.Resize(-5, true), nullptr); // negative reads as 0
  EXPECT_EQ(buf.GetSize(), 0);
}

TEST(HeapBufFailure, OversizedRequestKeepsContents)
{
  HeapBuf buf(4096);
  char* data = static_cast<char*>(buf.Resize(5));
  ASSERT_NE(data, nullptr);
  std::memcpy(data, "abcd", 5);
  EXPECT_EQ(buf.Resize(INT_MAX), data);
  EXPECT_EQ(buf.GetSize(), 5);
  EXPECT_STREQ(static_cast<char*>(buf.Get()), "abcd");

  HeapBuf small(128);
  EXPECT_EQ(small.Resize(HeapBuf::kMaxAlloc), nullptr); // with 128 the growth overflows the limit
  EXPECT_EQ(small.GetSize(), 0);
}

TEST(HeapBufCopy, CopiesAndMovesBytes)
{
  HeapBuf a(128);
  std::memcpy(a.Resize(4), "xyz", 4);
  HeapBuf b(a);
  EXPECT_STREQ(static_cast<char*>(b.Get()), "xyz");
  EXPECT_NE(b.Get(), a.Get());
  HeapBuf c(std::move(b));
  EXPECT_STREQ(static_cast<char*>(c.Get()), "xyz");
  EXPECT_EQ(b.GetSize(), 0);
  HeapBuf d(128);
  d = c;
  EXPECT_STREQ(static_cast<char*>(d.Get()), "xyz");
}

TEST(TypedBuf, CountsElements)
{
  TypedBuf<double> buf;
  double* values = buf.Resize(3);
  ASSERT_NE(values, nullptr);
  EXPECT_EQ(buf.GetSize(), 3);
  EXPECT_EQ(buf.GetHeapBuf().GetSize(), 24);
  EXPECT_EQ(buf.Resize(INT_MAX / 2), nullptr); // byte count would overflow: refused
  EXPECT_EQ(buf.GetSize(), 3);
}

namespace {
struct Counted
{
  explicit Counted(int* deaths) : mDeaths(deaths) {}
  ~Counted() { ++*mDeaths; }
  int* mDeaths;
};
} // namespace

TEST(PtrList, GetOutsideTheListIsNull)
{
  PtrList<int> list;
  EXPECT_EQ(list.Get(0), nullptr);
  int a = 1, b = 2;
  list.Add(&a);
  list.Add(&b);
  EXPECT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(2), nullptr);
  EXPECT_EQ(list.Get(1), &b);
}

TEST(PtrList, EmptyDeletesFromLastToFirstAndKeepsMemory)
{
  int deaths = 0;
  PtrList<Counted> list;
  for (int i = 0; i < 3; ++i)
    list.Add(new Counted(&deaths));
  list.Add(nullptr);
  list.Empty(true);
  EXPECT_EQ(deaths, 3);
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_GT(list.GetHeapBuf().GetAlloc(), 0);

  static std::vector<int> order;
  order.clear();
  PtrList<int> ints;
  int v[3] = {0, 1, 2};
  for (int& x : v)
    ints.Add(&x);
  ints.Empty(true, [](int* p) { order.push_back(*p); });
  EXPECT_EQ(order, (std::vector<int>{2, 1, 0}));
}

TEST(PtrList, DeleteMovesLaterEntriesDown)
{
  int a = 1, b = 2, c = 3;
  PtrList<int> list;
  list.Add(&a);
  list.Add(&b);
  list.Add(&c);
  list.Delete(1);
  ASSERT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.Get(0), &a);
  EXPECT_EQ(list.Get(1), &c);
  EXPECT_EQ(list.Get(2), nullptr); // the slot behind the end still holds a pointer
  list.Delete(5);                  // ignored
  list.Delete(-1);
  EXPECT_EQ(list.GetSize(), 2);
}

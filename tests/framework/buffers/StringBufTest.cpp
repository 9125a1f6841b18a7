#include "framework/buffers/StringBuf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>

using plugin::StringBuf;

TEST(StringBufGrowth, TenCharactersAllocate139AndOneMoreDoesNotReallocate)
{
  StringBuf s;
  s.Set("0123456789");
  EXPECT_EQ(s.GetHeapBuf().GetAlloc(), 139);
  const void* block = s.GetHeapBuf().Get();
  s.Append("x");
  EXPECT_EQ(s.GetHeapBuf().Get(), block);
  EXPECT_EQ(s.GetHeapBuf().GetAlloc(), 139);
  EXPECT_STREQ(s.Get(), "0123456789x");
  EXPECT_EQ(s.GetLength(), 11);
}

TEST(StringBufBasics, UntouchedAndEmptyTexts)
{
  StringBuf s;
  EXPECT_STREQ(s.Get(), "");
  EXPECT_EQ(s.GetHeapBuf().GetSize(), 0);
  EXPECT_EQ(s.GetLength(), 0);
  s.Set("");
  EXPECT_EQ(s.GetHeapBuf().GetSize(), 1);
  s.Set("abc");
  s.Set(nullptr);
  EXPECT_STREQ(s.Get(), "");
  EXPECT_EQ(s.GetHeapBuf().GetSize(), 1);
}

TEST(StringBufEditing, SetAppendInsertDelete)
{
  StringBuf s;
  s.Set("Hello World", 5);
  EXPECT_STREQ(s.Get(), "Hello");
  s.Append(", you");
  EXPECT_STREQ(s.Get(), "Hello, you");
  s.Insert("big ", 7);
  EXPECT_STREQ(s.Get(), "Hello, big you");
  s.Insert("<", -3);   // clamped to 0
  s.Insert(">", 1000); // clamped to the end
  EXPECT_STREQ(s.Get(), "<Hello, big you>");
  s.DeleteSub(1, 7);
  EXPECT_STREQ(s.Get(), "<big you>");
  s.DeleteSub(4, 1000); // cut to the end
  EXPECT_STREQ(s.Get(), "<big");
  EXPECT_EQ(s.GetHeapBuf().GetSize(), 5);
  s.DeleteSub(4, 1); // at the end: nothing
  s.DeleteSub(-1, 1);
  EXPECT_STREQ(s.Get(), "<big");
}

TEST(StringBufEditing, SetAtWithZeroLengthAndOffsetChangesNothing)
{
  StringBuf s("abc");
  s.SetAt(2, "zz", 0, 0);
  EXPECT_STREQ(s.Get(), "abc");
  s.SetAt(-1, "zz", 2, 0);
  EXPECT_STREQ(s.Get(), "abc");
  s.SetAt(1, "xy", 2, 1); // keeps one trailing character
  EXPECT_STREQ(s.Get(), "axyb");
  s.SetAt(0, nullptr, 0, 0);
  EXPECT_STREQ(s.Get(), "");
}

TEST(StringBufEditing, OffsetPastTheEndLeavesNoUndefinedBytes)
{
  StringBuf s;
  s.SetAt(5, "xyz", 3, 0);
  EXPECT_STREQ(s.Get(), ""); // the gap is zero-filled
  EXPECT_EQ(s.GetHeapBuf().GetSize(), 9);
}

TEST(StringBufEditing, SetFromOwnTextWhenTheBlockMoves)
{
  StringBuf s;
  const std::string base(200, 'q');
  s.Set(base.c_str());
  const int allocBefore = s.GetHeapBuf().GetAlloc();
  s.Append(s.Get()); // needs more than the allocation
  EXPECT_GT(s.GetHeapBuf().GetAlloc(), allocBefore);
  EXPECT_EQ(std::string(s.Get()), base + base);

  s.Set(s.Get() + 390); // tail of itself
  EXPECT_STREQ(s.Get(), "qqqqqqqqqq");
}

TEST(StringBufFormatting, BoundedByMaxLen)
{
  StringBuf s;
  s.SetFormatted(5, "%d-%s", 12, "abcdef");
  EXPECT_STREQ(s.Get(), "12-ab");
  EXPECT_EQ(s.GetHeapBuf().GetSize(), 6);
  s.AppendFormatted(3, "%s", "XYZW");
  EXPECT_STREQ(s.Get(), "12-abXYZ");
  s.SetFormatted(0, "%s", "abc");
  EXPECT_STREQ(s.Get(), "");
  StringBuf t;
  t.AppendFormatted(10, "%.2f", 1.5);
  EXPECT_STREQ(t.Get(), "1.50");
}

TEST(StringBufEditing, SizeFollowsTheTextAfterEveryOperation)
{
  StringBuf s;
  const std::pair<std::function<void()>, const char*> steps[] = {
      {[&] { s.Set("Hello World", 5); }, "Hello"},
      {[&] { s.Append(", you"); }, "Hello, you"},
      {[&] { s.Insert("big ", 7); }, "Hello, big you"},
      {[&] { s.Insert("<", -3); }, "<Hello, big you"},
      {[&] { s.Insert(">", 1000); }, "<Hello, big you>"},
      {[&] { s.DeleteSub(1, 7); }, "<big you>"},
      {[&] { s.DeleteSub(4, 1000); }, "<big"},
      {[&] { s.DeleteSub(4, 1); }, "<big"},
      {[&] { s.SetAt(2, "zz", 0, 0); }, "<big"},
      {[&] { s.SetAt(1, "xy", 2, 1); }, "<xyb"},
      {[&] { s.SetFormatted(5, "%d-%s", 12, "abcdef"); }, "12-ab"},
      {[&] { s.AppendFormatted(3, "%s", "XYZW"); }, "12-abXYZ"},
      {[&] { s.Set(nullptr); }, ""}};
  for (const auto& [step, text] : steps) {
    step();
    EXPECT_STREQ(s.Get(), text);
    EXPECT_EQ(s.GetHeapBuf().GetSize(), static_cast<int>(std::strlen(text)) + 1) << text;
  }
}

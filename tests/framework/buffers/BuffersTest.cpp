#include "framework/buffers/Base64.h"
#include "framework/buffers/IByteChunk.h"
#include "framework/buffers/PtrList.h"
#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>

using namespace plugin;
using testhost::Bytes;
using testhost::Chunk;

TEST(HeapBuf, GrowthAndShrinkFollowTheGranularity)
{
  // Page granularity: 10 + 4096 + 96 rounded down to pages, minus 96; steps above 4 MiB are capped.
  // Small granularity: half again, at least one granule; shrinking only below
  // min(alloc - 4 granules, alloc / 2).
  HeapBuf page(4096), small(128);
  const std::tuple<HeapBuf*, int, bool, int, int> steps[] = {{&page, 10, false, 4000, 10},
                                                             {&page, 10000, false, 12192, 10000},
                                                             {&page, 20000000, false, 24190880, 20000000},
                                                             {&small, 11, false, 139, 11},
                                                             {&small, 1000, false, 1500, 1000},
                                                             {&small, 800, true, 1500, 800},
                                                             {&small, 700, true, 1050, 700},
                                                             {&small, 0, false, 1050, 0},
                                                             {&small, 5, false, 1050, 5},
                                                             {&small, 0, true, 0, 0}};
  for (const auto& [buf, n, down, alloc, size] : steps) {
    buf->Resize(n, down);
    EXPECT_EQ(std::make_pair(buf->GetAlloc(), buf->GetSize()), std::make_pair(alloc, size)) << n;
  }
}

TEST(HeapBuf, OversizedRequestsAreRefusedWithContentsKept)
{
  HeapBuf buf(4096);
  char* data = static_cast<char*>(buf.Resize(5));
  std::memcpy(data, "abcd", 5);
  EXPECT_EQ(buf.Resize(INT_MAX), data);
  EXPECT_EQ(buf.GetSize(), 5);
  EXPECT_STREQ(static_cast<char*>(buf.Get()), "abcd");
  TypedBuf<double> doubles;
  doubles.Resize(3);
  EXPECT_EQ(doubles.Resize(INT_MAX / 2), nullptr); // the byte count would overflow
  EXPECT_EQ(doubles.GetSize(), 3);
}

TEST(PtrList, IndicesDeletionAndOrder)
{
  int v[3] = {0, 1, 2};
  PtrList<int> list;
  for (int& x : v)
    list.Add(&x);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(3), nullptr);
  list.Delete(1);
  ASSERT_EQ(list.GetSize(), 2);
  EXPECT_EQ(list.Get(1), &v[2]);
  EXPECT_EQ(list.Get(2), nullptr); // the slot behind the end still holds a pointer
  static std::vector<int> deleted;
  list.Add(&v[1]);
  list.Empty(true, [](int* p) { deleted.push_back(*p); });
  EXPECT_EQ(deleted, (std::vector<int>{1, 2, 0})); // from the last to the first
  EXPECT_GT(list.GetHeapBuf().GetAlloc(), 0);
}

TEST(StringBuf, EditingOperations)
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

TEST(StringBuf, GrowthAndSettingFromItsOwnText)
{
  StringBuf s;
  s.Set("0123456789");
  EXPECT_EQ(s.GetHeapBuf().GetAlloc(), 139); // 11 + 128
  const std::string base(200, 'q');
  s.Set(base.c_str());
  s.Append(s.Get()); // the block moves while its own text is read
  EXPECT_EQ(std::string(s.Get()), base + base);
  s.Set(s.Get() + 390);
  EXPECT_STREQ(s.Get(), "qqqqqqqqqq");
}

TEST(IByteChunk, ReadsThreadPositionsAndFailWithoutSideEffects)
{
  IByteChunk chunk;
  const int32_t i = 7;
  const double d = 0.5;
  EXPECT_EQ(chunk.Put(&i), 4);
  EXPECT_EQ(chunk.Put(&d), 12);
  EXPECT_EQ(chunk.PutStr("AB"), 18);
  EXPECT_EQ(Bytes(chunk, 12), (std::vector<uint8_t>{2, 0, 0, 0, 'A', 'B'}));
  double got = 9.0;
  EXPECT_EQ(chunk.Get(&got, 4), 12);
  EXPECT_EQ(got, 0.5);
  got = 9.0;
  EXPECT_EQ(chunk.Get(&got, 11), -1); // one byte short
  EXPECT_EQ(chunk.Get(&got, -1), -1);
  EXPECT_EQ(got, 9.0);
  StringBuf text("keep");
  EXPECT_EQ(chunk.GetStr(text, 12), 18);
  EXPECT_STREQ(text.Get(), "AB");
  for (const auto& bytes : std::vector<std::vector<uint8_t>>{
           {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, {5, 0, 0, 0, 'a', 'b'}, {0xFF, 0xFF, 0xFF, 0x7F, 'a'}, {1, 0}}) {
    text.Set("keep");
    EXPECT_EQ(Chunk(bytes).GetStr(text, 0), -1);
    EXPECT_STREQ(text.Get(), "keep");
  }
  EXPECT_EQ(Chunk({4, 0, 0, 0, 'a', 0, 'b', 'c'}).GetStr(text, 0), 8);
  EXPECT_STREQ(text.Get(), "a"); // stops at a zero byte
}

TEST(Base64, EncodeAndDecode)
{
  const uint8_t bytes[] = {0, 1, 2, 3, 0xFF};
  for (const auto& [size, text] : std::vector<std::pair<int, const char*>>{
           {4, "AAECAw=="}, {3, "AAEC"}, {5, "AAECA/8="}, {1, "AA=="}, {0, ""}}) {
    StringBuf out;
    AppendBase64(bytes, size, out);
    EXPECT_STREQ(out.Get(), text);
  }
  std::vector<uint8_t> out(8, 0xEE);
  EXPECT_EQ(DecodeBase64("AAECA/8=", out.data(), 8), 5);
  EXPECT_EQ(out, (std::vector<uint8_t>{0, 1, 2, 3, 0xFF, 0xEE, 0xEE, 0xEE}));
  EXPECT_EQ(DecodeBase64("AAEC Aw==", out.data(), 8), 3); // white space ends the data
  EXPECT_EQ(DecodeBase64("AAECAw==", out.data(), 2), 2);
}

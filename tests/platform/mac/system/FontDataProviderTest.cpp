#include "platform/mac/system/FontDataProvider.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using namespace plugin::sys;

namespace {

struct Released
{
  int calls = 0;
  const void* data = nullptr;
  size_t size = 0;
};

void Release(void* info, const void* data, size_t size)
{
  auto* r = static_cast<Released*>(info);
  ++r->calls;
  r->data = data;
  r->size = size;
}

} // namespace

// A memory provider hands its block back once, when the last reference goes; a null block
// makes no provider and is not handed back.
TEST(FontDataProvider, MemoryBlocksGoBackToTheirOwnerOnce)
{
  const char block[] = "font bytes";
  Released released;
  auto provider = FontDataProvider::CreateWithData(&released, block, sizeof block, Release);
  ASSERT_NE(provider, nullptr);
  auto second = provider;
  plugin::HeapBuf copy;
  ASSERT_TRUE(provider->CopyData(copy));
  EXPECT_TRUE(copy.GetSize() == int(sizeof block) && std::memcmp(copy.Get(), block, sizeof block) == 0);
  provider.reset();
  EXPECT_EQ(released.calls, 0);
  second.reset();
  EXPECT_EQ(released.calls, 1);
  EXPECT_TRUE(released.data == block && released.size == sizeof block);

  Released none;
  EXPECT_EQ(FontDataProvider::CreateWithData(&none, nullptr, 10, Release), nullptr);
  EXPECT_EQ(none.calls, 0);
  auto empty = FontDataProvider::CreateWithData(nullptr, block, 0, nullptr);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->CopyData(copy));
  EXPECT_EQ(copy.GetSize(), 0);
}

// A file provider holds the file's bytes as they were read; folders, missing and empty files
// give none.
TEST(FontDataProvider, FilesAreReadWholeWhenTheProviderIsMade)
{
  testsupport::TempFolder t;
  std::ofstream(t / "font.ttf") << "abc";
  std::ofstream(t / "empty.ttf").flush();
  const auto provider = FontDataProvider::CreateWithUrl(*FileUrl::FromPath((t / "font.ttf").c_str()));
  ASSERT_NE(provider, nullptr);
  std::filesystem::remove(t / "font.ttf");
  EXPECT_EQ(std::string(static_cast<const char*>(provider->Data()), provider->Size()), "abc");
  for (const std::string& path : {t / "font.ttf", t / "empty.ttf", t.Path()})
    EXPECT_EQ(FontDataProvider::CreateWithUrl(*FileUrl::FromPath(path.c_str())), nullptr) << path;
}

#include "GpuTestSupport.h"

#include "platform/mac/system/GpuLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace plugin::sys {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Entry(unsigned char stage, const std::string& name)
{
  Bytes b(2 + name.size());
  b[0] = stage;
  b[1] = static_cast<unsigned char>(name.size());
  std::copy(name.begin(), name.end(), b.begin() + 2);
  return b;
}

Bytes Blob(unsigned version, unsigned count, std::initializer_list<Bytes> entries)
{
  Bytes b = {'K', 'S', 'L', 'B', static_cast<unsigned char>(version), 0, static_cast<unsigned char>(count),
             0};
  for (const auto& e : entries)
    b.insert(b.end(), e.begin(), e.end());
  return b;
}

TEST(GpuLibraryTest, FunctionsRunTheCodeRegisteredUnderTheirNames)
{
  const Bytes blob = test::LibraryBlob();
  std::string error;
  auto lib = GpuLibrary::FromData(blob.data(), blob.size(), test::kPassCode, &error);
  ASSERT_TRUE(lib) << error;
  EXPECT_EQ(lib->FunctionNames(), (std::vector<std::string>{"passVertex", "passFragment"}));
  auto vs = lib->NewFunction("passVertex");
  ASSERT_TRUE(vs);
  EXPECT_EQ(vs->stage, GpuFunctionStage::Vertex);
  EXPECT_EQ(vs->vertex, &test::PassVertex);
  EXPECT_FALSE(vs->fragment);
  auto fs = lib->NewFunction("passFragment");
  ASSERT_TRUE(fs);
  EXPECT_EQ(fs->stage, GpuFunctionStage::Fragment);
  EXPECT_EQ(fs->fragment, &test::PassFragment);
  EXPECT_EQ(fs->fragmentSetup, &test::PassSetup);
  EXPECT_FALSE(lib->NewFunction("computeShader"));
}

TEST(GpuLibraryTest, TheGpuKnowsNoFunctionOfItsOwn)
{
  // The names the vector renderer's library data lists mean nothing without its code.
  const Bytes blob =
      Blob(1, 3, {Entry(1, "vertexShader"), Entry(2, "fragmentShaderAA"), Entry(2, "fragmentShader")});
  std::string error;
  EXPECT_FALSE(GpuLibrary::FromData(blob.data(), blob.size(), {}, &error));
  EXPECT_FALSE(error.empty());
  const Bytes ours = test::LibraryBlob();
  EXPECT_FALSE(GpuLibrary::FromData(ours.data(), ours.size(), {}, nullptr));
}

TEST(GpuLibraryTest, DataThatIsNotOursIsRefused)
{
  // Functions whose code lacks an entry point their stage needs.
  const GpuFunctionCode code[] = {
      test::kPassCode[0],
      test::kPassCode[1],
      {"halfVertex", GpuFunctionStage::Vertex, nullptr, &test::PassSetup, &test::PassFragment},
      {"halfFragment", GpuFunctionStage::Fragment, nullptr, nullptr, &test::PassFragment},
  };
  Bytes metalLike = {'M', 'T', 'L', 'B', 1, 0, 3, 0};
  Bytes trailing = test::LibraryBlob();
  trailing.push_back(0);
  Bytes truncated = test::LibraryBlob();
  truncated.resize(truncated.size() - 3);
  const struct
  {
    const char* what;
    Bytes data;
  } cases[] = {
      {"empty", {}},
      {"foreign magic", metalLike},
      {"version 2", Blob(2, 1, {Entry(1, "passVertex")})},
      {"no functions", Blob(1, 0, {})},
      {"17 functions", Blob(1, 17, {Entry(1, "passVertex")})},
      {"function without code", Blob(1, 1, {Entry(2, "blurShader")})},
      {"wrong stage", Blob(1, 1, {Entry(2, "passVertex")})},
      {"vertex code without its entry point", Blob(1, 1, {Entry(1, "halfVertex")})},
      {"fragment code without its setup", Blob(1, 1, {Entry(2, "halfFragment")})},
      {"named twice", Blob(1, 2, {Entry(1, "passVertex"), Entry(1, "passVertex")})},
      {"empty name", Blob(1, 1, {Entry(1, "")})},
      {"count beyond data", Blob(1, 2, {Entry(1, "passVertex")})},
      {"trailing byte", trailing},
      {"truncated name", truncated},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(GpuLibrary::FromData(c.data.data(), c.data.size(), code, &error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  EXPECT_FALSE(GpuLibrary::FromData(nullptr, 12, code, nullptr));
}

} // namespace
} // namespace plugin::sys

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

TEST(GpuLibraryTest, RendererBlobNamesItsThreeFunctions)
{
  const Bytes blob = test::LibraryBlob();
  std::string error;
  auto lib = GpuLibrary::FromData(blob.data(), blob.size(), &error);
  ASSERT_TRUE(lib) << error;
  EXPECT_EQ(lib->FunctionNames(),
            (std::vector<std::string>{"vertexShader", "fragmentShaderAA", "fragmentShader"}));
  auto vs = lib->NewFunction("vertexShader");
  ASSERT_TRUE(vs);
  EXPECT_EQ(vs->stage, GpuFunctionStage::Vertex);
  EXPECT_TRUE(vs->vertex);
  EXPECT_EQ(lib->NewFunction("fragmentShaderAA")->stage, GpuFunctionStage::Fragment);
  EXPECT_FALSE(lib->NewFunction("computeShader"));
}

TEST(GpuLibraryTest, DataThatIsNotOursIsRefused)
{
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
      {"version 2", Blob(2, 1, {Entry(1, "vertexShader")})},
      {"no functions", Blob(1, 0, {})},
      {"17 functions", Blob(1, 17, {Entry(1, "vertexShader")})},
      {"unknown function", Blob(1, 1, {Entry(2, "blurShader")})},
      {"wrong stage", Blob(1, 1, {Entry(2, "vertexShader")})},
      {"named twice", Blob(1, 2, {Entry(1, "vertexShader"), Entry(1, "vertexShader")})},
      {"empty name", Blob(1, 1, {Entry(1, "")})},
      {"count beyond data", Blob(1, 2, {Entry(1, "vertexShader")})},
      {"trailing byte", trailing},
      {"truncated name", truncated},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(GpuLibrary::FromData(c.data.data(), c.data.size(), &error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  EXPECT_FALSE(GpuLibrary::FromData(nullptr, 12, nullptr));
}

} // namespace
} // namespace plugin::sys

#pragma once

#include "platform/mac/system/GpuShaderFunctions.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plugin::sys {

// One function of a library, ready for a pipeline.
struct GpuFunction
{
  std::string name;
  GpuFunctionStage stage;
  GpuVertexFunctionImpl vertex;
  GpuFragmentFunctionImpl fragment;
};

using GpuFunctionRef = std::shared_ptr<const GpuFunction>;

// A shader library made from data. The data is the GPU's own small format:
//   "KSLB", version (u16 little-endian, 1), function count n (u16, 1..16),
//   then n entries: stage (u8: 1 vertex, 2 fragment), name length L (u8, 1..63), L name bytes;
// nothing may follow. Every named function must be one the GPU runs, with its stage.
class GpuLibrary
{
public:
  // The library of data, or null with a reason in error (when given). Any thread; allocates.
  static std::shared_ptr<GpuLibrary> FromData(const void* data, std::size_t size, std::string* error);

  // The function called name, or null when the library has none. Allocates.
  GpuFunctionRef NewFunction(std::string_view name) const;

  // Names in the order the data lists them.
  const std::vector<std::string>& FunctionNames() const noexcept { return mNames; }

private:
  std::vector<std::string> mNames;
};

using GpuLibraryRef = std::shared_ptr<GpuLibrary>;

} // namespace plugin::sys

#pragma once

#include "platform/mac/system/GpuShaderTypes.h"

#include <cstddef>
#include <memory>
#include <span>
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
  GpuFragmentSetupImpl fragmentSetup;
  GpuFragmentFunctionImpl fragment;
};

using GpuFunctionRef = std::shared_ptr<const GpuFunction>;

// A shader library made from data and the code it names. The data is the GPU's own small format:
//   "KSLB", version (u16 little-endian, 1), function count n (u16, 1..16),
//   then n entries: stage (u8: 1 vertex, 2 fragment), name length L (u8, 1..63), L name bytes;
// nothing may follow. The code stands in for what a compiled library carries: every function the
// data names must be in it, with the same stage and its entry point. The GPU knows no function
// of its own.
class GpuLibrary
{
public:
  // The library of data over code, or null with a reason in error (when given); it keeps its own
  // copy of the functions it names. Any thread; allocates.
  static std::shared_ptr<GpuLibrary> FromData(const void* data, std::size_t size,
                                              std::span<const GpuFunctionCode> code, std::string* error);

  // The function called name, or null when the library has none. Allocates.
  GpuFunctionRef NewFunction(std::string_view name) const;

  // Names in the order the data lists them.
  const std::vector<std::string>& FunctionNames() const noexcept { return mNames; }

private:
  std::vector<std::string> mNames;
  std::vector<GpuFunction> mFunctions; // in the order of mNames
};

using GpuLibraryRef = std::shared_ptr<GpuLibrary>;

} // namespace plugin::sys

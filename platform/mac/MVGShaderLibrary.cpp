#include "platform/mac/MVGShaderLibrary.h"

#include "platform/mac/MVGShaders.h"

using plugin::sys::GpuFunctionCode;
using plugin::sys::GpuFunctionStage;

// Header "KSLB", version 1, three functions; then per function its stage (1 vertex,
// 2 fragment), name length and name.
const unsigned char kMVGShaderLibrary[] = {
    'K', 'S', 'L', 'B', 1,   0,   3,   0,                                                     //
    1,   12,  'v', 'e', 'r', 't', 'e', 'x', 'S', 'h', 'a', 'd', 'e', 'r',                     //
    2,   16,  'f', 'r', 'a', 'g', 'm', 'e', 'n', 't', 'S', 'h', 'a', 'd', 'e', 'r', 'A', 'A', //
    2,   14,  'f', 'r', 'a', 'g', 'm', 'e', 'n', 't', 'S', 'h', 'a', 'd', 'e', 'r',           //
};
const std::size_t kMVGShaderLibrarySize = sizeof kMVGShaderLibrary;

std::span<const GpuFunctionCode> MVGShaderFunctions() noexcept
{
  static constexpr GpuFunctionCode kFunctions[] = {
      {"vertexShader", GpuFunctionStage::Vertex, &mvgVertexShader, nullptr, nullptr},
      {"fragmentShaderAA", GpuFunctionStage::Fragment, nullptr, &mvgFragmentSetup, &mvgFragmentShaderAA},
      {"fragmentShader", GpuFunctionStage::Fragment, nullptr, &mvgFragmentSetup, &mvgFragmentShader},
  };
  return kFunctions;
}

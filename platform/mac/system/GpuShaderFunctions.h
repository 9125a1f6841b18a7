#pragma once

#include "platform/mac/system/GpuShaderTypes.h"

#include <string_view>

namespace plugin::sys {

enum class GpuFunctionStage : std::uint8_t { Vertex = 1, Fragment = 2 };

// A shader function the GPU can run, found by name.
struct GpuBuiltinFunction
{
  std::string_view name;
  GpuFunctionStage stage;
  GpuVertexFunctionImpl vertex;     // set for the vertex stage
  GpuFragmentFunctionImpl fragment; // set for the fragment stage
};

// The built-in function called name, or null. The vector renderer's library holds
// "vertexShader" (vertex buffer 0: position and texture coordinate; buffer 1: GpuViewSize) and
// "fragmentShaderAA" / "fragmentShader" (buffer 0: GpuFragUniforms; texture and sampler 0).
const GpuBuiltinFunction* GpuFindBuiltinFunction(std::string_view name) noexcept;

} // namespace plugin::sys

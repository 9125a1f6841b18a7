#pragma once

#include "platform/mac/system/GpuShaderTypes.h"

#include <cstddef>
#include <span>

// The backend's shader library as the GPU loads it: the data that names its three functions,
// and their code (MVGShaders.h) under those names, as a compiled library carries both.
extern const unsigned char kMVGShaderLibrary[];
extern const std::size_t kMVGShaderLibrarySize;

// "vertexShader", "fragmentShaderAA" and "fragmentShader" with their entry points.
std::span<const plugin::sys::GpuFunctionCode> MVGShaderFunctions() noexcept;

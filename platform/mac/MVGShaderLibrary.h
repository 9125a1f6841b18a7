#pragma once

#include <cstddef>

// The shader library the backend hands to the GPU: its three functions by name.
extern const unsigned char kMVGShaderLibrary[];
extern const std::size_t kMVGShaderLibrarySize;

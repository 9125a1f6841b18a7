#pragma once

#include <cstddef>
#include <cstdint>

namespace plugin::sys {

// The fragment uniform block of the vector renderer's shader library, laid out with the shading
// language's alignment: a 3x3 matrix is three columns of four floats, the last of each unused.
struct GpuFragUniforms
{
  float scissorMatrix[12];
  float paintMatrix[12];
  float innerColor[4];
  float outerColor[4];
  float scissorExtent[2];
  float scissorScale[2];
  float extent[2];
  float radius;
  float feather;
  float strokeMultiplier;
  float strokeThreshold;
  std::int32_t textureKind; // 0 premultiplied RGBA, 1 straight RGBA, 2 alpha only
  std::int32_t shaderKind;  // 0 gradient fill, 1 image fill, 2 image triangles
};

static_assert(sizeof(GpuFragUniforms) == 176);
static_assert(offsetof(GpuFragUniforms, paintMatrix) == 48);
static_assert(offsetof(GpuFragUniforms, innerColor) == 96);
static_assert(offsetof(GpuFragUniforms, scissorExtent) == 128);
static_assert(offsetof(GpuFragUniforms, extent) == 144);
static_assert(offsetof(GpuFragUniforms, strokeMultiplier) == 160);
static_assert(offsetof(GpuFragUniforms, textureKind) == 168);

// The vertex stage's constant: the logical view size that maps points to clip space.
struct GpuViewSize
{
  float width, height;
};

} // namespace plugin::sys

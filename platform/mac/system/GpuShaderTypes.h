#pragma once

#include "platform/mac/system/GpuSampler.h"
#include "platform/mac/system/GpuTexture.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>
#include <type_traits>

// The interface between the rasteriser and the shader functions of a library.
namespace plugin::sys {

inline constexpr int kGpuMaxBufferSlots = 4;
inline constexpr int kGpuMaxTextureSlots = 2;
inline constexpr int kGpuMaxAttributes = 4;
inline constexpr int kGpuMaxVaryings = 4;

// A bound buffer as a shader sees it: the bytes from the bound offset to the end.
struct GpuBufferView
{
  const unsigned char* data = nullptr;
  std::size_t length = 0;
};

// Everything one shader stage reads besides its vertex or fragment input.
struct GpuStageResources
{
  GpuBufferView buffers[kGpuMaxBufferSlots];
  const GpuTexture* textures[kGpuMaxTextureSlots] = {};
  const GpuSamplerState* samplers[kGpuMaxTextureSlots] = {};
};

// One vertex's attributes as fetched through the pipeline's vertex descriptor (missing ones 0, w 1).
struct GpuVertexIn
{
  float attributes[kGpuMaxAttributes][4];
};

// Clip-space position and the values interpolated across a primitive.
struct GpuVertexOut
{
  float position[4];
  float varyings[kGpuMaxVaryings];
};

// Most fragments the rasteriser hands a fragment function at once.
inline constexpr int kGpuMaxSpanFragments = 64;

// A run of fragments along one row: the pixels [x, x + count) of row y, count at most
// kGpuMaxSpanFragments, all of one triangle. The triangle's row starts first pixels to the left
// of x with the varyings base; each pixel adds step. Fragment i thus has varying k =
// base[k] + (first + i) * step[k], interpolated in double precision and read as a float
// (GpuSpanVaryings).
struct GpuFragmentSpan
{
  std::uint32_t x, y;
  int count;
  bool frontFacing;
  std::int64_t first;
  double base[kGpuMaxVaryings];
  double step[kGpuMaxVaryings];
};

// The varyings of fragment i of span.
inline void GpuSpanVaryings(const GpuFragmentSpan& span, int i, float varyings[kGpuMaxVaryings]) noexcept
{
  const double n = static_cast<double>(span.first + i);
  for (int k = 0; k < kGpuMaxVaryings; ++k)
    varyings[k] = static_cast<float>(span.base[k] + n * span.step[k]);
}

// What every fragment of one draw reads, decoded from the draw's resources once: a fragment
// function's uniforms, texture and sampler as its setup laid them out.
struct alignas(16) GpuFragmentConstants
{
  unsigned char bytes[256];
};

// Where a draw's fragments may have a colour other than zero, as its fragment setup knows it:
// for each varying k the closed range [lo[k], hi[k]]. Every fragment whose varying k, as the span
// defines it before rounding to float (base + n * step), is not within its range (NaN included)
// gets the colour (0, 0, 0, 0), kept or discarded. The GPU may then skip such fragments wherever
// a zero colour would leave the target as it is. Unbounded ranges are (-inf, +inf).
struct GpuFragmentBounds
{
  double lo[kGpuMaxVaryings];
  double hi[kGpuMaxVaryings];

  // No varying bounded: every fragment may have a colour.
  static constexpr GpuFragmentBounds Unbounded() noexcept
  {
    GpuFragmentBounds b{};
    for (int k = 0; k < kGpuMaxVaryings; ++k) {
      b.lo[k] = -std::numeric_limits<double>::infinity();
      b.hi[k] = std::numeric_limits<double>::infinity();
    }
    return b;
  }

  // Whether varying k has a range narrower than all numbers.
  constexpr bool Bounds(int k) const noexcept
  {
    return lo[k] != -std::numeric_limits<double>::infinity() ||
           hi[k] != std::numeric_limits<double>::infinity();
  }
};

// Shader entry points, run on the GPU's worker thread; no allocation, no lock.
// Per vertex.
using GpuVertexFunctionImpl = void (*)(const GpuVertexIn& in, const GpuStageResources& resources,
                                       GpuVertexOut& out);
// Once per draw, before its fragments: fills constants from the bound resources, and may narrow
// bounds (handed over unbounded) to where the colour can be other than zero; false when the
// resources cannot be read, which discards every fragment of the draw.
using GpuFragmentSetupImpl = bool (*)(const GpuStageResources& resources, GpuFragmentConstants& constants,
                                      GpuFragmentBounds& bounds);
// Per span: writes the premultiplied colour of fragment i into colours[i] and whether it is kept
// into kept[i] (false discards it).
using GpuFragmentFunctionImpl = void (*)(const GpuFragmentSpan& span, const GpuFragmentConstants& constants,
                                         float (*colours)[4], bool* kept);

enum class GpuFunctionStage : std::uint8_t { Vertex = 1, Fragment = 2 };

// The code of one function a shader library provides, under the name its data lists: what the
// library's compiled code would be. A vertex function sets vertex, a fragment function
// fragmentSetup and fragment; the others stay null.
struct GpuFunctionCode
{
  std::string_view name;
  GpuFunctionStage stage;
  GpuVertexFunctionImpl vertex;
  GpuFragmentSetupImpl fragmentSetup;
  GpuFragmentFunctionImpl fragment;
};

// Copies a T from the start of a bound buffer; false when the buffer is shorter (a robust read).
template <class T> bool GpuReadBuffer(const GpuBufferView& view, T& out) noexcept
{
  if (!view.data || view.length < sizeof(T)) return false;
  std::memcpy(&out, view.data, sizeof(T));
  return true;
}

// Places a value-initialised T in constants (a fragment setup's first step).
template <class T> T& GpuEmplaceConstants(GpuFragmentConstants& constants) noexcept
{
  static_assert(std::is_trivially_copyable_v<T> && sizeof(T) <= sizeof(GpuFragmentConstants::bytes) &&
                alignof(T) <= alignof(GpuFragmentConstants));
  return *new (constants.bytes) T{};
}

// The T a fragment setup placed in constants.
template <class T> const T& GpuConstantsOf(const GpuFragmentConstants& constants) noexcept
{
  return *std::launder(reinterpret_cast<const T*>(constants.bytes));
}

} // namespace plugin::sys

#pragma once

#include <cstddef>
#include <cstdint>

// Value types shared by the GPU objects: formats, blend and stencil settings, regions.
namespace plugin::sys {

enum class GpuPixelFormat : std::uint64_t {
  Invalid = 0,
  R8Unorm = 10,
  RGBA8Unorm = 70,
  BGRA8Unorm = 80,
  Stencil8 = 253,
};

// Bytes of one texel of format; 0 for Invalid.
std::size_t GpuBytesPerPixel(GpuPixelFormat format) noexcept;

enum class GpuBlendFactor : std::uint64_t {
  Zero = 0,
  One = 1,
  SourceColor = 2,
  OneMinusSourceColor = 3,
  SourceAlpha = 4,
  OneMinusSourceAlpha = 5,
  DestinationColor = 6,
  OneMinusDestinationColor = 7,
  DestinationAlpha = 8,
  OneMinusDestinationAlpha = 9,
  SourceAlphaSaturated = 10,
};

enum class GpuCompareFunction { Never, Less, Equal, LessEqual, Greater, NotEqual, GreaterEqual, Always };

enum class GpuStencilOperation {
  Keep,
  Zero,
  Replace,
  IncrementClamp,
  DecrementClamp,
  Invert,
  IncrementWrap,
  DecrementWrap,
};

enum class GpuCullMode { None, Front, Back };
enum class GpuWinding { Clockwise, CounterClockwise };
enum class GpuPrimitiveType { Triangle, TriangleStrip };
enum class GpuIndexType { UInt16, UInt32 };
enum class GpuLoadAction { DontCare, Load, Clear };
enum class GpuStoreAction { DontCare, Store };
enum class GpuStorageMode { Shared, Managed, Private };
enum class GpuVertexFormat { Invalid, Float, Float2, Float3, Float4 };
enum class GpuVertexStepFunction { PerVertex, Constant };

// Texture usage bits.
enum GpuTextureUsage : unsigned {
  kGpuTextureUsageShaderRead = 1u << 0,
  kGpuTextureUsageShaderWrite = 1u << 1,
  kGpuTextureUsageRenderTarget = 1u << 2,
};

// Buffer option bits; write-combined memory behaves like any other here.
enum GpuResourceOptions : unsigned {
  kGpuResourceDefault = 0,
  kGpuResourceCpuCacheModeWriteCombined = 1u << 0,
};

// Colour channels written by a pipeline.
enum GpuColorWriteMask : unsigned {
  kGpuColorWriteNone = 0,
  kGpuColorWriteRed = 1u << 3,
  kGpuColorWriteGreen = 1u << 2,
  kGpuColorWriteBlue = 1u << 1,
  kGpuColorWriteAlpha = 1u << 0,
  kGpuColorWriteAll = 0xF,
};

struct GpuClearColor
{
  double red = 0.0, green = 0.0, blue = 0.0, alpha = 1.0;
};

struct GpuOrigin
{
  std::uint32_t x = 0, y = 0, z = 0;
};

struct GpuSize
{
  std::uint32_t width = 0, height = 0, depth = 1;
};

struct GpuRegion
{
  GpuOrigin origin;
  GpuSize size;
};

// Region of a 2-D texture at (x, y) of width x height texels.
inline GpuRegion GpuRegionMake2D(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height)
{
  return GpuRegion{{x, y, 0}, {width, height, 1}};
}

struct GpuViewport
{
  double originX = 0.0, originY = 0.0, width = 0.0, height = 0.0, znear = 0.0, zfar = 1.0;
};

struct GpuScissorRect
{
  std::uint32_t x = 0, y = 0, width = 0, height = 0;
};

} // namespace plugin::sys

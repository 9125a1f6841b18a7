#pragma once

#include "platform/mac/system/GpuLibrary.h"
#include "platform/mac/system/GpuShaderTypes.h"
#include "platform/mac/system/GpuTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace plugin::sys {

struct GpuVertexAttributeDescriptor
{
  GpuVertexFormat format = GpuVertexFormat::Invalid;
  std::size_t offset = 0;
  unsigned bufferIndex = 0;
};

struct GpuVertexBufferLayoutDescriptor
{
  std::size_t stride = 0;
  GpuVertexStepFunction stepFunction = GpuVertexStepFunction::PerVertex;
};

// How vertex attributes are fetched from the vertex buffers.
struct GpuVertexDescriptor
{
  std::array<GpuVertexAttributeDescriptor, kGpuMaxAttributes> attributes{};
  std::array<GpuVertexBufferLayoutDescriptor, kGpuMaxBufferSlots> layouts{};
};

// Colour target of a pipeline; blending adds source × factor and destination × factor.
struct GpuColorAttachmentDescriptor
{
  GpuPixelFormat pixelFormat = GpuPixelFormat::Invalid;
  bool blendingEnabled = false;
  GpuBlendFactor sourceRGBBlendFactor = GpuBlendFactor::One;
  GpuBlendFactor destinationRGBBlendFactor = GpuBlendFactor::Zero;
  GpuBlendFactor sourceAlphaBlendFactor = GpuBlendFactor::One;
  GpuBlendFactor destinationAlphaBlendFactor = GpuBlendFactor::Zero;
  unsigned writeMask = kGpuColorWriteAll;
};

struct GpuRenderPipelineDescriptor
{
  GpuFunctionRef vertexFunction;
  GpuFunctionRef fragmentFunction; // null: a pipeline that writes no colour
  GpuVertexDescriptor vertexDescriptor;
  GpuColorAttachmentDescriptor colorAttachment;
  GpuPixelFormat stencilAttachmentPixelFormat = GpuPixelFormat::Invalid;
};

// A compiled pipeline: immutable once made, shared by any thread.
class GpuRenderPipelineState
{
public:
  explicit GpuRenderPipelineState(const GpuRenderPipelineDescriptor& descriptor) : mDesc(descriptor) {}
  const GpuRenderPipelineDescriptor& Descriptor() const noexcept { return mDesc; }

private:
  GpuRenderPipelineDescriptor mDesc;
};

// Stencil test and operations for one face.
struct GpuStencilDescriptor
{
  GpuCompareFunction stencilCompareFunction = GpuCompareFunction::Always;
  GpuStencilOperation stencilFailureOperation = GpuStencilOperation::Keep;
  GpuStencilOperation depthFailureOperation = GpuStencilOperation::Keep;
  GpuStencilOperation depthStencilPassOperation = GpuStencilOperation::Keep;
  std::uint32_t readMask = 0xFF;
  std::uint32_t writeMask = 0xFF;
};

// Per-face stencil settings; a face without one passes untouched. There is no depth buffer here,
// so the depth test always passes whatever its function.
struct GpuDepthStencilDescriptor
{
  GpuCompareFunction depthCompareFunction = GpuCompareFunction::Always;
  bool depthWriteEnabled = false;
  std::optional<GpuStencilDescriptor> frontFaceStencil;
  std::optional<GpuStencilDescriptor> backFaceStencil;
};

class GpuDepthStencilState
{
public:
  explicit GpuDepthStencilState(const GpuDepthStencilDescriptor& descriptor) : mDesc(descriptor) {}
  const GpuDepthStencilDescriptor& Descriptor() const noexcept { return mDesc; }

private:
  GpuDepthStencilDescriptor mDesc;
};

using GpuRenderPipelineStateRef = std::shared_ptr<const GpuRenderPipelineState>;
using GpuDepthStencilStateRef = std::shared_ptr<const GpuDepthStencilState>;

} // namespace plugin::sys

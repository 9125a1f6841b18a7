#pragma once

#include "platform/mac/system/GpuBuffer.h"
#include "platform/mac/system/GpuPipeline.h"
#include "platform/mac/system/GpuSampler.h"
#include "platform/mac/system/GpuTexture.h"

#include <cstddef>
#include <vector>

namespace plugin::sys {

struct GpuRenderPassColorAttachment
{
  GpuTextureRef texture;
  GpuLoadAction loadAction = GpuLoadAction::DontCare;
  GpuStoreAction storeAction = GpuStoreAction::DontCare;
  GpuClearColor clearColor{0.0, 0.0, 0.0, 1.0};
};

struct GpuRenderPassStencilAttachment
{
  GpuTextureRef texture;
  GpuLoadAction loadAction = GpuLoadAction::DontCare;
  GpuStoreAction storeAction = GpuStoreAction::DontCare;
  std::uint32_t clearStencil = 0;
};

struct GpuRenderPassDescriptor
{
  GpuRenderPassColorAttachment colorAttachment;
  GpuRenderPassStencilAttachment stencilAttachment;
};

struct GpuBufferBinding
{
  GpuBufferRef buffer;
  std::size_t offset = 0;
};

// The encoder state a draw runs with, captured when it is encoded.
struct GpuDrawState
{
  GpuRenderPipelineStateRef pipeline;
  GpuDepthStencilStateRef depthStencil; // null: no stencil test
  GpuCullMode cullMode = GpuCullMode::None;
  GpuWinding frontFacing = GpuWinding::Clockwise;
  std::uint32_t stencilReference = 0;
  GpuViewport viewport;
  GpuScissorRect scissor;
  GpuBufferBinding vertexBuffers[kGpuMaxBufferSlots];
  GpuBufferBinding fragmentBuffers[kGpuMaxBufferSlots];
  GpuTextureRef fragmentTextures[kGpuMaxTextureSlots];
  GpuSamplerStateRef fragmentSamplers[kGpuMaxTextureSlots];
};

// One draw: vertexCount vertices from vertexStart, or indexCount indices from indexBuffer.
struct GpuDrawCommand
{
  std::size_t state; // index into GpuEncodedPass::states
  GpuPrimitiveType primitive = GpuPrimitiveType::Triangle;
  std::uint32_t vertexStart = 0;
  std::uint32_t count = 0;
  bool indexed = false;
  GpuIndexType indexType = GpuIndexType::UInt32;
  GpuBufferRef indexBuffer;
  std::size_t indexOffset = 0;
};

// A finished render pass as the worker executes it.
struct GpuEncodedPass
{
  GpuRenderPassDescriptor descriptor;
  std::vector<GpuDrawState> states;
  std::vector<GpuDrawCommand> draws;
};

// Runs a pass on the CPU: load actions, then every draw in order. Worker thread; allocates.
void GpuExecuteRenderPass(const GpuEncodedPass& pass);

} // namespace plugin::sys

#pragma once

#include "platform/mac/system/GpuRenderPass.h"

#include <memory>

namespace plugin::sys {

class GpuCommandBuffer;

// Records one render pass into its command buffer; the worker runs it after commit. Made by
// GpuCommandBuffer::RenderCommandEncoder; used from one thread (the encoding one); allocates.
class GpuRenderCommandEncoder
{
public:
  GpuRenderCommandEncoder(std::shared_ptr<GpuCommandBuffer> owner, const GpuRenderPassDescriptor& descriptor);
  GpuRenderCommandEncoder(const GpuRenderCommandEncoder&) = delete;
  GpuRenderCommandEncoder& operator=(const GpuRenderCommandEncoder&) = delete;

  void SetRenderPipelineState(GpuRenderPipelineStateRef state);
  // Null restores the state without a stencil test.
  void SetDepthStencilState(GpuDepthStencilStateRef state);
  void SetCullMode(GpuCullMode mode);
  void SetFrontFacingWinding(GpuWinding winding);
  void SetStencilReferenceValue(std::uint32_t value);
  void SetViewport(const GpuViewport& viewport);
  void SetScissorRect(const GpuScissorRect& rect);
  void SetVertexBuffer(GpuBufferRef buffer, std::size_t offset, unsigned index);
  void SetFragmentBuffer(GpuBufferRef buffer, std::size_t offset, unsigned index);
  void SetFragmentBufferOffset(std::size_t offset, unsigned index);
  void SetFragmentTexture(GpuTextureRef texture, unsigned index);
  void SetFragmentSamplerState(GpuSamplerStateRef sampler, unsigned index);

  // Draws vertexCount vertices from vertexStart of the bound vertex buffers.
  void DrawPrimitives(GpuPrimitiveType type, std::uint32_t vertexStart, std::uint32_t vertexCount);
  // Draws indexCount vertices named by the indices at indexOffset bytes into indexBuffer.
  void DrawIndexedPrimitives(GpuPrimitiveType type, std::uint32_t indexCount, GpuIndexType indexType,
                             GpuBufferRef indexBuffer, std::size_t indexOffset);

  // Hands the pass to the command buffer; later calls are ignored.
  void EndEncoding();

  // Draws recorded so far (a probe for tests of what a pass would run).
  std::size_t DrawCount() const noexcept { return mPass.draws.size(); }

private:
  GpuDrawState& Mutable();

  std::shared_ptr<GpuCommandBuffer> mOwner;
  GpuEncodedPass mPass;
  GpuDrawState mCurrent;
  bool mStateRecorded = false; // mCurrent equals mPass.states.back()
  bool mEnded = false;
};

using GpuRenderCommandEncoderRef = std::shared_ptr<GpuRenderCommandEncoder>;

} // namespace plugin::sys

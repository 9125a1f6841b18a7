#include "platform/mac/system/GpuRenderCommandEncoder.h"

#include "platform/mac/system/GpuCommandBuffer.h"

#include <algorithm>

namespace plugin::sys {

GpuRenderCommandEncoder::GpuRenderCommandEncoder(std::shared_ptr<GpuCommandBuffer> owner,
                                                 const GpuRenderPassDescriptor& descriptor)
    : mOwner(std::move(owner))
{
  mPass.descriptor = descriptor;
  // The pass starts with a viewport and scissor over the whole colour target.
  const GpuTexture* target = descriptor.colorAttachment.texture.get();
  const std::uint32_t w = target ? target->Width() : 0, h = target ? target->Height() : 0;
  mCurrent.viewport = GpuViewport{0.0, 0.0, static_cast<double>(w), static_cast<double>(h), 0.0, 1.0};
  mCurrent.scissor = GpuScissorRect{0, 0, w, h};
}

GpuDrawState& GpuRenderCommandEncoder::Mutable()
{
  mStateRecorded = false;
  return mCurrent;
}

void GpuRenderCommandEncoder::SetRenderPipelineState(GpuRenderPipelineStateRef state)
{
  Mutable().pipeline = std::move(state);
}

void GpuRenderCommandEncoder::SetDepthStencilState(GpuDepthStencilStateRef state)
{
  Mutable().depthStencil = std::move(state);
}

void GpuRenderCommandEncoder::SetCullMode(GpuCullMode mode)
{
  Mutable().cullMode = mode;
}

void GpuRenderCommandEncoder::SetFrontFacingWinding(GpuWinding winding)
{
  Mutable().frontFacing = winding;
}

void GpuRenderCommandEncoder::SetStencilReferenceValue(std::uint32_t value)
{
  Mutable().stencilReference = value;
}

void GpuRenderCommandEncoder::SetViewport(const GpuViewport& viewport)
{
  Mutable().viewport = viewport;
}

void GpuRenderCommandEncoder::SetScissorRect(const GpuScissorRect& rect)
{
  Mutable().scissor = rect;
}

void GpuRenderCommandEncoder::SetVertexBuffer(GpuBufferRef buffer, std::size_t offset, unsigned index)
{
  if (index < static_cast<unsigned>(kGpuMaxBufferSlots))
    Mutable().vertexBuffers[index] = {std::move(buffer), offset};
}

void GpuRenderCommandEncoder::SetFragmentBuffer(GpuBufferRef buffer, std::size_t offset, unsigned index)
{
  if (index < static_cast<unsigned>(kGpuMaxBufferSlots))
    Mutable().fragmentBuffers[index] = {std::move(buffer), offset};
}

void GpuRenderCommandEncoder::SetFragmentBufferOffset(std::size_t offset, unsigned index)
{
  if (index < static_cast<unsigned>(kGpuMaxBufferSlots)) Mutable().fragmentBuffers[index].offset = offset;
}

void GpuRenderCommandEncoder::SetFragmentTexture(GpuTextureRef texture, unsigned index)
{
  if (index < static_cast<unsigned>(kGpuMaxTextureSlots))
    Mutable().fragmentTextures[index] = std::move(texture);
}

void GpuRenderCommandEncoder::SetFragmentSamplerState(GpuSamplerStateRef sampler, unsigned index)
{
  if (index < static_cast<unsigned>(kGpuMaxTextureSlots))
    Mutable().fragmentSamplers[index] = std::move(sampler);
}

void GpuRenderCommandEncoder::DrawPrimitives(GpuPrimitiveType type, std::uint32_t vertexStart,
                                             std::uint32_t vertexCount)
{
  if (mEnded || vertexCount == 0) return;
  if (!mStateRecorded) {
    mPass.states.push_back(mCurrent);
    mStateRecorded = true;
  }
  mPass.draws.push_back(GpuDrawCommand{mPass.states.size() - 1, type, vertexStart, vertexCount, false,
                                       GpuIndexType::UInt32, nullptr, 0});
}

void GpuRenderCommandEncoder::DrawIndexedPrimitives(GpuPrimitiveType type, std::uint32_t indexCount,
                                                    GpuIndexType indexType, GpuBufferRef indexBuffer,
                                                    std::size_t indexOffset)
{
  if (mEnded || indexCount == 0 || !indexBuffer) return;
  if (!mStateRecorded) {
    mPass.states.push_back(mCurrent);
    mStateRecorded = true;
  }
  mPass.draws.push_back(GpuDrawCommand{mPass.states.size() - 1, type, 0, indexCount, true, indexType,
                                       std::move(indexBuffer), indexOffset});
}

void GpuRenderCommandEncoder::EndEncoding()
{
  if (mEnded) return;
  mEnded = true;
  auto pass = std::make_shared<GpuEncodedPass>(std::move(mPass));
  mOwner->AddWork([pass] { GpuExecuteRenderPass(*pass); });
  mOwner->EncoderEnded();
  mOwner.reset();
}

} // namespace plugin::sys

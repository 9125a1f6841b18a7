#pragma once

#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuImageFile.h"
#include "platform/mac/system/GpuShaderUniforms.h"

#include <array>
#include <cstring>
#include <vector>

namespace plugin::sys::test {

// The renderer's library blob with the three functions.
inline std::vector<unsigned char> LibraryBlob()
{
  std::vector<unsigned char> blob = {'K', 'S', 'L', 'B', 1, 0, 3, 0};
  for (auto [stage, name] : {std::pair{1, "vertexShader"}, {2, "fragmentShaderAA"}, {2, "fragmentShader"}}) {
    blob.push_back(static_cast<unsigned char>(stage));
    blob.push_back(static_cast<unsigned char>(std::strlen(name)));
    blob.insert(blob.end(), name, name + std::strlen(name));
  }
  return blob;
}

// A uniform block that paints premultiplied colour rgba everywhere, without scissor.
inline GpuFragUniforms SolidUniforms(std::array<float, 4> rgba, float strokeThreshold = -1.0f)
{
  GpuFragUniforms u{};
  u.paintMatrix[0] = u.paintMatrix[5] = u.paintMatrix[10] = 1.0f;
  std::memcpy(u.innerColor, rgba.data(), sizeof u.innerColor);
  std::memcpy(u.outerColor, rgba.data(), sizeof u.outerColor);
  u.scissorExtent[0] = u.scissorExtent[1] = 1.0f;
  u.scissorScale[0] = u.scissorScale[1] = 1.0f;
  u.extent[0] = u.extent[1] = 1e6f;
  u.feather = 1.0f;
  u.strokeMultiplier = 1.0f;
  u.strokeThreshold = strokeThreshold;
  return u;
}

// A small render setup: device, queue, pipeline over the renderer's shaders, an RGBA target
// and a stencil texture of the same size.
struct GpuRig
{
  GpuDeviceRef device = GpuDevice::Create();
  GpuCommandQueueRef queue = device->NewCommandQueue();
  GpuLibraryRef library;
  GpuTextureRef target;
  GpuTextureRef stencil;

  explicit GpuRig(std::uint32_t w = 16, std::uint32_t h = 16)
  {
    const auto blob = LibraryBlob();
    library = device->NewLibraryWithData(blob.data(), blob.size(), nullptr);
    GpuTextureDescriptor d;
    d.width = w;
    d.height = h;
    d.usage = kGpuTextureUsageRenderTarget;
    target = device->NewTexture(d);
    d.pixelFormat = GpuPixelFormat::Stencil8;
    stencil = device->NewTexture(d);
  }

  GpuRenderPipelineDescriptor Pipeline(bool fragment = true, bool antiAlias = true) const
  {
    GpuRenderPipelineDescriptor d;
    d.vertexFunction = library->NewFunction("vertexShader");
    if (fragment)
      d.fragmentFunction = library->NewFunction(antiAlias ? "fragmentShaderAA" : "fragmentShader");
    d.vertexDescriptor.attributes[0] = {GpuVertexFormat::Float2, 0, 0};
    d.vertexDescriptor.attributes[1] = {GpuVertexFormat::Float2, 8, 0};
    d.vertexDescriptor.layouts[0] = {16, GpuVertexStepFunction::PerVertex};
    d.colorAttachment.pixelFormat = GpuPixelFormat::RGBA8Unorm;
    d.stencilAttachmentPixelFormat = GpuPixelFormat::Stencil8;
    return d;
  }

  // A pass over the target (loaded, not cleared) with vertices (x, y, u, v), the view size of the
  // target and uniforms bound.
  GpuRenderCommandEncoderRef Begin(GpuCommandBufferRef& cb, const std::vector<float>& vertices,
                                   const GpuFragUniforms& uniforms)
  {
    cb = queue->CommandBuffer();
    GpuRenderPassDescriptor pass;
    pass.colorAttachment.texture = target;
    pass.colorAttachment.loadAction = GpuLoadAction::Load;
    pass.stencilAttachment.texture = stencil;
    pass.stencilAttachment.loadAction = GpuLoadAction::Load;
    auto enc = cb->RenderCommandEncoder(pass);
    const GpuViewSize view{static_cast<float>(target->Width()), static_cast<float>(target->Height())};
    enc->SetVertexBuffer(device->NewBuffer(vertices.data(), vertices.size() * sizeof(float), 0), 0, 0);
    enc->SetVertexBuffer(device->NewBuffer(&view, sizeof view, 0), 0, 1);
    enc->SetFragmentBuffer(device->NewBuffer(&uniforms, sizeof uniforms, 0), 0, 0);
    return enc;
  }

  static void Finish(const GpuRenderCommandEncoderRef& enc, const GpuCommandBufferRef& cb)
  {
    enc->EndEncoding();
    cb->Commit();
    cb->WaitUntilCompleted();
  }

  std::array<int, 4> Pixel(std::uint32_t x, std::uint32_t y) const
  {
    const auto t = target->ReadTexel(x, y);
    return {static_cast<int>(t[0] * 255.0f + 0.5f), static_cast<int>(t[1] * 255.0f + 0.5f),
            static_cast<int>(t[2] * 255.0f + 0.5f), static_cast<int>(t[3] * 255.0f + 0.5f)};
  }

  int Stencil(std::uint32_t x, std::uint32_t y) const
  {
    return stencil->LevelBytes(0)[y * stencil->Width() + x];
  }
};

// Vertex (x, y) with coverage coordinates (0.5, 1): full coverage under the anti-aliasing shader.
inline void Vertex(std::vector<float>& v, float x, float y, float tu = 0.5f, float tv = 1.0f)
{
  v.insert(v.end(), {x, y, tu, tv});
}

} // namespace plugin::sys::test

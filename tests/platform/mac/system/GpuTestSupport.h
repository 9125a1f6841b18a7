#pragma once

#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuImageFile.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace plugin::sys::test {

// The uniform block of the tests' fragment function: a premultiplied colour and a threshold.
struct PassUniforms
{
  float colour[4];
  float threshold;
};

// The view size in pixels that the tests' vertex function maps positions with.
struct PassViewSize
{
  float width, height;
};

// Position (x, y) in pixels of the view size in vertex buffer 1 to clip space; the position and
// the texture coordinate (u, v) become varyings 0-1 and 2-3.
inline void PassVertex(const GpuVertexIn& in, const GpuStageResources& res, GpuVertexOut& out)
{
  PassViewSize view{0.0f, 0.0f};
  GpuReadBuffer(res.buffers[1], view);
  out.position[0] = 2.0f * in.attributes[0][0] / view.width - 1.0f;
  out.position[1] = 1.0f - 2.0f * in.attributes[0][1] / view.height;
  out.position[2] = 0.0f;
  out.position[3] = 1.0f;
  for (int i = 0; i < 2; ++i) {
    out.varyings[i] = in.attributes[0][i];
    out.varyings[2 + i] = in.attributes[1][i];
  }
}

// Reads the uniform block once per draw.
inline bool PassSetup(const GpuStageResources& res, GpuFragmentConstants& constants, GpuFragmentBounds&)
{
  return GpuReadBuffer(res.buffers[0], GpuEmplaceConstants<PassUniforms>(constants));
}

// The colour scaled by the coverage (1 - |2u - 1|) * min(1, v); discards below the threshold.
inline void PassFragment(const GpuFragmentSpan& span, const GpuFragmentConstants& constants,
                         float (*colours)[4], bool* kept)
{
  const PassUniforms& u = GpuConstantsOf<PassUniforms>(constants);
  for (int f = 0; f < span.count; ++f) {
    float var[kGpuMaxVaryings];
    GpuSpanVaryings(span, f, var);
    const float tu = var[2], tv = var[3];
    const float coverage = (1.0f - std::fabs(tu * 2.0f - 1.0f)) * (tv < 1.0f ? tv : 1.0f);
    kept[f] = !(coverage < u.threshold);
    for (int i = 0; i < 4; ++i)
      colours[f][i] = u.colour[i] * coverage;
  }
}

// The tests' shader code and the library data that names it.
inline constexpr GpuFunctionCode kPassCode[] = {
    {"passVertex", GpuFunctionStage::Vertex, &PassVertex, nullptr, nullptr},
    {"passFragment", GpuFunctionStage::Fragment, nullptr, &PassSetup, &PassFragment},
};

inline std::vector<unsigned char> LibraryBlob()
{
  std::vector<unsigned char> blob = {'K', 'S', 'L', 'B', 1, 0, 2, 0};
  for (auto [stage, name] : {std::pair{1, "passVertex"}, {2, "passFragment"}}) {
    blob.push_back(static_cast<unsigned char>(stage));
    blob.push_back(static_cast<unsigned char>(std::strlen(name)));
    blob.insert(blob.end(), name, name + std::strlen(name));
  }
  return blob;
}

// A uniform block that paints premultiplied colour rgba wherever the coverage reaches threshold.
inline PassUniforms SolidUniforms(std::array<float, 4> rgba, float threshold = -1.0f)
{
  PassUniforms u{};
  std::memcpy(u.colour, rgba.data(), sizeof u.colour);
  u.threshold = threshold;
  return u;
}

// A small render setup: device, queue, pipeline over the tests' shaders, an RGBA target
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
    library = device->NewLibraryWithData(blob.data(), blob.size(), kPassCode, nullptr);
    GpuTextureDescriptor d;
    d.width = w;
    d.height = h;
    d.usage = kGpuTextureUsageRenderTarget;
    target = device->NewTexture(d);
    d.pixelFormat = GpuPixelFormat::Stencil8;
    stencil = device->NewTexture(d);
  }

  GpuRenderPipelineDescriptor Pipeline(bool fragment = true) const
  {
    GpuRenderPipelineDescriptor d;
    d.vertexFunction = library->NewFunction("passVertex");
    if (fragment) d.fragmentFunction = library->NewFunction("passFragment");
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
                                   const PassUniforms& uniforms)
  {
    cb = queue->CommandBuffer();
    GpuRenderPassDescriptor pass;
    pass.colorAttachment.texture = target;
    pass.colorAttachment.loadAction = GpuLoadAction::Load;
    pass.stencilAttachment.texture = stencil;
    pass.stencilAttachment.loadAction = GpuLoadAction::Load;
    auto enc = cb->RenderCommandEncoder(pass);
    const PassViewSize view{static_cast<float>(target->Width()), static_cast<float>(target->Height())};
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

// Vertex (x, y) with coverage coordinates (0.5, 1): full coverage under the tests' fragment function.
inline void Vertex(std::vector<float>& v, float x, float y, float tu = 0.5f, float tv = 1.0f)
{
  v.insert(v.end(), {x, y, tu, tv});
}

} // namespace plugin::sys::test

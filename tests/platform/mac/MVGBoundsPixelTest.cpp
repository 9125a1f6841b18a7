#include "MVGTestSupport.h"
#include "support/ui/PixelProbe.h"

#include "graphics/renderer/VG.h"
#include "platform/mac/MVGShaderLibrary.h"
#include "platform/mac/MVGShaders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

// Scissored fills, strokes and images drawn through the vector core and the backend with every
// composite operation: the frame is the same whether the GPU leaves out the fragments outside
// each draw's scissor box or shades them all.

namespace {

using plugin::sys::GpuFragmentBounds;
using plugin::sys::GpuFragmentConstants;
using plugin::sys::GpuFunctionCode;
using plugin::sys::GpuFunctionStage;
using plugin::sys::GpuStageResources;

// The backend's fragment setup with its bounds thrown away: every fragment is shaded.
bool UnboundedSetup(const GpuStageResources& res, GpuFragmentConstants& constants, GpuFragmentBounds&)
{
  GpuFragmentBounds ignored = GpuFragmentBounds::Unbounded();
  return mvgFragmentSetup(res, constants, ignored);
}

constexpr GpuFunctionCode kUnboundedCode[] = {
    {"vertexShader", GpuFunctionStage::Vertex, &mvgVertexShader, nullptr, nullptr},
    {"fragmentShaderAA", GpuFunctionStage::Fragment, nullptr, &UnboundedSetup, &mvgFragmentShaderAA},
    {"fragmentShader", GpuFunctionStage::Fragment, nullptr, &UnboundedSetup, &mvgFragmentShader},
};

constexpr int kW = 72, kH = 56;

// A picture of noise with partly transparent texels, premultiplied.
std::vector<unsigned char> Noise(int w, int h, std::uint32_t seed)
{
  std::vector<unsigned char> rgba(std::size_t(w) * h * 4);
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    seed = seed * 1664525u + 1013904223u;
    const unsigned a = (seed >> 24) | 0x20;
    for (int c = 0; c < 3; ++c)
      rgba[i + c] = static_cast<unsigned char>(((seed >> (8 * c)) & 0xFF) * a / 255);
    rgba[i + 3] = static_cast<unsigned char>(a);
  }
  return rgba;
}

// A background over the whole frame, then, under a turned scissor and a dirty-rectangle scissor,
// an image, a box gradient, a stroke and a concave fill with composite operation op.
void Scene(VGcontext* vg, int op, int background, int picture)
{
  vgBeginPath(vg);
  vgRect(vg, 0, 0, kW, kH);
  vgFillPaint(vg, vgImagePattern(0, 0, kW, kH, 0, background, 1.0f));
  vgFill(vg);

  vgCompositeOperation(vg, op);
  vgSave(vg);
  vgScissor(vg, 11.5f, 9, 30, 21); // a dirty rectangle off the pixel grid
  vgBeginPath(vg);
  vgRect(vg, 4, 3, 60, 44);
  vgFillPaint(vg, vgImagePattern(4.3f, 2.7f, 23, 17, 0.2f, picture, 0.8f));
  vgFill(vg);
  vgRestore(vg);

  vgSave(vg);
  vgTranslate(vg, 40, 30);
  vgRotate(vg, 0.5f);
  vgScissor(vg, -14, -9, 26, 18); // turned with the transform
  vgBeginPath(vg);
  vgRect(vg, -30, -30, 60, 60);
  vgFillPaint(vg, vgBoxGradient(-10, -6, 20, 12, 4, 6, VGcolor{0.9f, 0.2f, 0.1f, 0.9f},
                                VGcolor{0.1f, 0.3f, 0.9f, 0.4f}));
  vgFill(vg);
  vgBeginPath(vg);
  vgMoveTo(vg, -25, -20);
  vgLineTo(vg, 20, 15);
  vgLineTo(vg, -5, 22);
  vgStrokeWidth(vg, 3.5f);
  vgStrokeColor(vg, VGcolor{0.2f, 0.9f, 0.4f, 0.7f});
  vgStroke(vg);
  vgBeginPath(vg);
  for (int i = 0; i < 10; ++i) {
    const float r = (i % 2) ? 6.0f : 16.0f, a = i * 0.62831853f;
    i == 0 ? vgMoveTo(vg, r * std::cos(a), r * std::sin(a)) : vgLineTo(vg, r * std::cos(a), r * std::sin(a));
  }
  vgClosePath(vg);
  vgFillColor(vg, VGcolor{0.5f, 0.5f, 0.1f, 0.6f});
  vgFill(vg);
  vgRestore(vg);
}

// The frame of Scene at screen scale, drawn with the backend's own shaders or with their bounds
// thrown away.
std::vector<unsigned char> Render(int op, int flags, float scale, bool bounded)
{
  auto layer = plugin::sys::GpuLayer::Create();
  auto device = plugin::sys::GpuDevice::Create();
  layer->SetDevice(device);
  VGcontext* ctx = mvgCreateContext(layer, flags);
  if (!ctx) return {};
  if (!bounded) {
    auto* mtl = static_cast<MVGcontext_vKelmo_vst3*>(ctx->params.userPtr);
    auto library =
        device->NewLibraryWithData(kMVGShaderLibrary, kMVGShaderLibrarySize, kUnboundedCode, nullptr);
    mtl->fragmentFunction =
        library->NewFunction((flags & VG_ANTIALIAS) ? "fragmentShaderAA" : "fragmentShader");
    mtl->pipelineState = mtl->stencilOnlyPipelineState = nullptr;
  }
  const int w = int(kW * scale), h = int(kH * scale);
  const auto backgroundTexels = Noise(w, h, 7), pictureTexels = Noise(9, 7, 99);
  const int background = vgCreateImageRGBA(ctx, w, h, VG_IMAGE_PREMULTIPLIED, backgroundTexels.data());
  const int picture =
      vgCreateImageRGBA(ctx, 9, 7, VG_IMAGE_PREMULTIPLIED | VG_IMAGE_REPEATX, pictureTexels.data());
  MVGframebuffer* fb = mvgCreateFramebuffer(ctx, w, h, 0);
  mvgBindFramebuffer(fb);
  mvgClearWithColor(ctx, VGcolor{0, 0, 0, 0});
  vgBeginFrame(ctx, kW, kH, scale);
  Scene(ctx, op, background, picture);
  vgEndFrame(ctx);
  std::vector<unsigned char> rgba(std::size_t(w) * h * 4);
  const int read = mvgReadPixels(ctx, fb->image, 0, 0, w, h, rgba.data());
  mvgBindFramebuffer(nullptr);
  mvgDeleteFramebuffer(fb);
  mvgDeleteContext(ctx);
  return read ? rgba : std::vector<unsigned char>{};
}

TEST(MVGBoundsPixelTest, EveryCompositeOperationDrawsTheSameFrameWithAndWithoutTheBounds)
{
  for (int flags : {int(VG_ANTIALIAS), VG_ANTIALIAS | VG_STENCIL_STROKES, 0}) {
    for (float scale : {1.0f, 2.0f}) {
      for (int op = VG_SOURCE_OVER; op <= VG_XOR; ++op) {
        const auto with = Render(op, flags, scale, true), without = Render(op, flags, scale, false);
        ASSERT_FALSE(with.empty());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < with.size() && i < without.size(); ++i)
          differing += with[i] != without[i];
        EXPECT_EQ(with.size(), without.size());
        EXPECT_EQ(differing, 0u) << "composite operation " << op << ", flags " << flags << ", scale "
                                 << scale;
      }
    }
  }
}

} // namespace

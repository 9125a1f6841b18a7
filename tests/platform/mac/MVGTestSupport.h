#pragma once

#include "platform/mac/MVGBackend.h"
#include "platform/mac/MVGFramebuffer.h"
#include "platform/mac/MVGcontext.h"

#include "graphics/renderer/VGContext.h"

#include <memory>
#include <vector>

namespace mvgtest {

// A backend over a layer with a device of its own, created as the core would create it, and a
// context record whose parameter block reaches it (for the mvg functions).
struct Backend
{
  plugin::sys::GpuLayerRef layer = plugin::sys::GpuLayer::Create();
  plugin::sys::GpuDeviceRef device = plugin::sys::GpuDevice::Create();
  std::unique_ptr<MVGcontext_vKelmo_vst3> mtl = std::make_unique<MVGcontext_vKelmo_vst3>();
  std::unique_ptr<VGcontext> ctx = std::make_unique<VGcontext>();
  int created = 0;

  explicit Backend(int flags = VG_ANTIALIAS, std::uint32_t w = 32, std::uint32_t h = 32)
  {
    layer->SetDevice(device);
    layer->SetDrawableSize(w, h);
    mtl->flags = flags;
    mtl->metalLayer = layer;
    mvgFillParams(ctx->params, mtl.get());
    created = mtl->renderCreate();
  }

  ~Backend()
  {
    device->WaitUntilIdle();
    if (mvgBoundFramebuffer() && mvgBoundFramebuffer()->ctx == ctx.get()) mvgBindFramebuffer(nullptr);
    mtl->renderDelete();
  }

  MVGbuffers_vKelmo_vst3& Set() { return *mtl->buffers; }
  const MVGcall& Call(int i) { return mtl->buffers->calls[i]; }
  MVGfragUniforms& Uniforms(int offset) { return *mtl->fragUniformAtIndex(offset); }
};

// A solid paint and "no scissor", as the core hands them over.
inline VGpaint SolidPaint(VGcolor c)
{
  VGpaint p{};
  p.xform[0] = p.xform[3] = 1.0f;
  p.extent[0] = p.extent[1] = 0.0f;
  p.radius = 0.0f;
  p.feather = 1.0f;
  p.innerColor = p.outerColor = c;
  return p;
}

inline VGscissor NoScissor()
{
  VGscissor s{};
  s.xform[0] = s.xform[3] = 1.0f;
  s.extent[0] = s.extent[1] = -1.0f;
  return s;
}

inline VGcompositeOperationState SourceOver()
{
  return {VG_ONE, VG_ONE_MINUS_SRC_ALPHA, VG_ONE, VG_ONE_MINUS_SRC_ALPHA};
}

// A path over caller-owned fill and stroke vertices.
inline VGpath Path(std::vector<VGvertex>& fill, std::vector<VGvertex>& stroke, int convex)
{
  VGpath p{};
  p.fill = fill.data();
  p.nfill = static_cast<int>(fill.size());
  p.stroke = stroke.data();
  p.nstroke = static_cast<int>(stroke.size());
  p.convex = convex;
  p.closed = 1;
  return p;
}

// n numbered vertices (x = first + i) to tell copies apart.
inline std::vector<VGvertex> Numbered(int n, float first)
{
  std::vector<VGvertex> v;
  for (int i = 0; i < n; ++i)
    v.push_back({first + i, 0.0f, 0.5f, 1.0f});
  return v;
}

} // namespace mvgtest

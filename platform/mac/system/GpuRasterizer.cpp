#include "platform/mac/system/GpuRenderPass.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

// The headless GPU's render stage: vertex fetch and shading, culling, edge-function rasterisation
// with the top-left rule at pixel centres, the fragment function, stencil and blending.
namespace plugin::sys {

namespace {

constexpr double kSubpixel = 256.0; // window coordinates snap to 1/256 pixel

struct ShadedVertex
{
  double x, y; // window coordinates, snapped
  float varyings[kGpuMaxVaryings];
  bool valid;
};

int ComponentCount(GpuVertexFormat format) noexcept
{
  switch (format) {
  case GpuVertexFormat::Float:
    return 1;
  case GpuVertexFormat::Float2:
    return 2;
  case GpuVertexFormat::Float3:
    return 3;
  case GpuVertexFormat::Float4:
    return 4;
  case GpuVertexFormat::Invalid:
    break;
  }
  return 0;
}

GpuBufferView View(const GpuBufferBinding& b) noexcept
{
  if (!b.buffer || b.offset > b.buffer->Length()) return {};
  return {static_cast<const unsigned char*>(b.buffer->Contents()) + b.offset, b.buffer->Length() - b.offset};
}

// Reads the attributes of vertex index; a read past a buffer's end gives zeros (robust access).
void Fetch(const GpuVertexDescriptor& vd, const GpuDrawState& st, std::uint32_t index,
           GpuVertexIn& in) noexcept
{
  for (int a = 0; a < kGpuMaxAttributes; ++a) {
    float* out = in.attributes[a];
    out[0] = out[1] = out[2] = 0.0f;
    out[3] = 1.0f;
    const auto& attr = vd.attributes[a];
    const int n = ComponentCount(attr.format);
    if (n == 0 || attr.bufferIndex >= static_cast<unsigned>(kGpuMaxBufferSlots)) continue;
    const auto& layout = vd.layouts[attr.bufferIndex];
    const GpuBufferView view = View(st.vertexBuffers[attr.bufferIndex]);
    const std::uint64_t element = layout.stepFunction == GpuVertexStepFunction::Constant ? 0 : index;
    const std::uint64_t at = element * layout.stride + attr.offset;
    const std::uint64_t bytes = static_cast<std::uint64_t>(n) * sizeof(float);
    if (!view.data || at > view.length || view.length - at < bytes) continue;
    std::memcpy(out, view.data + at, bytes);
  }
}

bool Compare(GpuCompareFunction f, std::uint32_t reference, std::uint32_t value) noexcept
{
  switch (f) {
  case GpuCompareFunction::Never:
    return false;
  case GpuCompareFunction::Less:
    return reference < value;
  case GpuCompareFunction::Equal:
    return reference == value;
  case GpuCompareFunction::LessEqual:
    return reference <= value;
  case GpuCompareFunction::Greater:
    return reference > value;
  case GpuCompareFunction::NotEqual:
    return reference != value;
  case GpuCompareFunction::GreaterEqual:
    return reference >= value;
  case GpuCompareFunction::Always:
    break;
  }
  return true;
}

std::uint32_t StencilResult(GpuStencilOperation op, std::uint32_t value, std::uint32_t reference) noexcept
{
  switch (op) {
  case GpuStencilOperation::Keep:
    return value;
  case GpuStencilOperation::Zero:
    return 0;
  case GpuStencilOperation::Replace:
    return reference;
  case GpuStencilOperation::IncrementClamp:
    return value < 255 ? value + 1 : 255;
  case GpuStencilOperation::DecrementClamp:
    return value > 0 ? value - 1 : 0;
  case GpuStencilOperation::Invert:
    return ~value & 0xFF;
  case GpuStencilOperation::IncrementWrap:
    return (value + 1) & 0xFF;
  case GpuStencilOperation::DecrementWrap:
    return (value - 1) & 0xFF;
  }
  return value;
}

float Factor(GpuBlendFactor f, const float src[4], const std::array<float, 4>& dst, int channel) noexcept
{
  switch (f) {
  case GpuBlendFactor::Zero:
    return 0.0f;
  case GpuBlendFactor::One:
    return 1.0f;
  case GpuBlendFactor::SourceColor:
    return src[channel];
  case GpuBlendFactor::OneMinusSourceColor:
    return 1.0f - src[channel];
  case GpuBlendFactor::SourceAlpha:
    return src[3];
  case GpuBlendFactor::OneMinusSourceAlpha:
    return 1.0f - src[3];
  case GpuBlendFactor::DestinationColor:
    return dst[channel];
  case GpuBlendFactor::OneMinusDestinationColor:
    return 1.0f - dst[channel];
  case GpuBlendFactor::DestinationAlpha:
    return dst[3];
  case GpuBlendFactor::OneMinusDestinationAlpha:
    return 1.0f - dst[3];
  case GpuBlendFactor::SourceAlphaSaturated:
    return channel == 3 ? 1.0f : std::fmin(src[3], 1.0f - dst[3]);
  }
  return 0.0f;
}

// Everything a draw needs while it rasterises, resolved once per draw.
struct DrawContext
{
  const GpuDrawState* state;
  const GpuRenderPipelineDescriptor* pipeline;
  GpuTexture* colour;
  GpuTexture* stencil;
  GpuStageResources vertexResources;
  GpuStageResources fragmentResources;
  std::uint32_t clipX0, clipY0, clipX1, clipY1; // pixels that may be touched, [x0, x1) x [y0, y1)
};

ShadedVertex Shade(const DrawContext& dc, std::uint32_t index) noexcept
{
  GpuVertexIn in;
  Fetch(dc.pipeline->vertexDescriptor, *dc.state, index, in);
  GpuVertexOut out{};
  dc.pipeline->vertexFunction->vertex(in, dc.vertexResources, out);
  ShadedVertex v{};
  const float w = out.position[3];
  const double ndcX = out.position[0] / w, ndcY = out.position[1] / w;
  const GpuViewport& vp = dc.state->viewport;
  const double x = vp.originX + (ndcX * 0.5 + 0.5) * vp.width;
  const double y = vp.originY + (0.5 - ndcY * 0.5) * vp.height;
  v.valid = std::isfinite(x) && std::isfinite(y) && w > 0.0f;
  if (v.valid) {
    v.x = std::round(x * kSubpixel) / kSubpixel;
    v.y = std::round(y * kSubpixel) / kSubpixel;
  }
  std::memcpy(v.varyings, out.varyings, sizeof v.varyings);
  return v;
}

// Stencil, fragment function and blending for one covered pixel.
void ShadePixel(const DrawContext& dc, std::uint32_t px, std::uint32_t py, bool front, const float* varyings)
{
  const GpuDrawState& st = *dc.state;
  const GpuStencilDescriptor* sd = nullptr;
  if (dc.stencil && st.depthStencil) {
    const auto& d = st.depthStencil->Descriptor();
    const auto& face = front ? d.frontFaceStencil : d.backFaceStencil;
    if (face) sd = &*face;
  }
  unsigned char* stencilByte =
      sd ? dc.stencil->LevelBytes(0) + std::size_t{py} * dc.stencil->Width() + px : nullptr;
  bool stencilPass = true;
  if (sd)
    stencilPass =
        Compare(sd->stencilCompareFunction, st.stencilReference & sd->readMask, *stencilByte & sd->readMask);
  const GpuFunction* fragment = dc.pipeline->fragmentFunction.get();
  // A failing fragment that would change nothing needs no shading.
  if (!stencilPass && sd->stencilFailureOperation == GpuStencilOperation::Keep) return;

  float colour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  if (fragment) {
    GpuFragmentIn in{static_cast<float>(px) + 0.5f, static_cast<float>(py) + 0.5f, {}, front};
    std::memcpy(in.varyings, varyings, sizeof in.varyings);
    if (!fragment->fragment(in, dc.fragmentResources, colour)) return; // discarded: no stencil update
  }
  if (sd) {
    const GpuStencilOperation op = stencilPass ? sd->depthStencilPassOperation : sd->stencilFailureOperation;
    const std::uint32_t value = StencilResult(op, *stencilByte, st.stencilReference);
    *stencilByte = static_cast<unsigned char>((*stencilByte & ~sd->writeMask) | (value & sd->writeMask));
  }
  const auto& ca = dc.pipeline->colorAttachment;
  if (!stencilPass || !fragment || !dc.colour || ca.writeMask == kGpuColorWriteNone) return;
  const std::array<float, 4> dst = dc.colour->ReadTexel(px, py);
  std::array<float, 4> out = dst;
  for (int c = 0; c < 4; ++c) {
    float value = colour[c];
    if (ca.blendingEnabled) {
      const bool alpha = c == 3;
      const float sf = Factor(alpha ? ca.sourceAlphaBlendFactor : ca.sourceRGBBlendFactor, colour, dst, c);
      const float df =
          Factor(alpha ? ca.destinationAlphaBlendFactor : ca.destinationRGBBlendFactor, colour, dst, c);
      value = colour[c] * sf + dst[c] * df;
    }
    static constexpr unsigned kChannelBit[4] = {kGpuColorWriteRed, kGpuColorWriteGreen, kGpuColorWriteBlue,
                                                kGpuColorWriteAlpha};
    if (ca.writeMask & kChannelBit[c]) out[c] = value;
  }
  dc.colour->WriteTexel(px, py, out);
}

// Rasterises one triangle; ccw is the winding of (a, b, c) as given by the primitive order.
void RasterTriangle(const DrawContext& dc, const ShadedVertex& a, const ShadedVertex& b,
                    const ShadedVertex& c)
{
  if (!a.valid || !b.valid || !c.valid) return;
  // Window y points down, so a triangle counter-clockwise in clip space has a negative area here.
  const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (area == 0.0) return;
  const bool ccw = area < 0.0;
  const bool front = (dc.state->frontFacing == GpuWinding::CounterClockwise) == ccw;
  if ((dc.state->cullMode == GpuCullMode::Back && !front) ||
      (dc.state->cullMode == GpuCullMode::Front && front))
    return;
  // Order the vertices so that every edge function is positive inside.
  const ShadedVertex* v[3] = {&a, &b, &c};
  if (area < 0.0) std::swap(v[1], v[2]);
  const double absArea = std::fabs(area);

  struct Edge
  {
    double dx, dy, x0, y0;
    bool topLeft;
  } edges[3];
  for (int i = 0; i < 3; ++i) {
    const ShadedVertex& p = *v[(i + 1) % 3];
    const ShadedVertex& q = *v[(i + 2) % 3];
    const double dx = q.x - p.x, dy = q.y - p.y;
    edges[i] = {dx, dy, p.x, p.y, dy < 0.0 || (dy == 0.0 && dx > 0.0)};
  }
  const double minX = std::min({v[0]->x, v[1]->x, v[2]->x}), maxX = std::max({v[0]->x, v[1]->x, v[2]->x});
  const double minY = std::min({v[0]->y, v[1]->y, v[2]->y}), maxY = std::max({v[0]->y, v[1]->y, v[2]->y});
  const double x0 = std::max(static_cast<double>(dc.clipX0), std::floor(minX - 0.5));
  const double x1 = std::min(static_cast<double>(dc.clipX1), std::ceil(maxX + 0.5));
  const double y0 = std::max(static_cast<double>(dc.clipY0), std::floor(minY - 0.5));
  const double y1 = std::min(static_cast<double>(dc.clipY1), std::ceil(maxY + 0.5));
  float varyings[kGpuMaxVaryings];
  for (double y = y0; y < y1; ++y) {
    const double sy = y + 0.5;
    for (double x = x0; x < x1; ++x) {
      const double sx = x + 0.5;
      double e[3];
      bool inside = true;
      for (int i = 0; i < 3 && inside; ++i) {
        const Edge& ed = edges[i];
        e[i] = ed.dx * (sy - ed.y0) - ed.dy * (sx - ed.x0);
        inside = e[i] > 0.0 || (e[i] == 0.0 && ed.topLeft);
      }
      if (!inside) continue;
      // e[i] is the weight of vertex i: the edge opposite it.
      for (int k = 0; k < kGpuMaxVaryings; ++k)
        varyings[k] = static_cast<float>(
            (e[0] * v[0]->varyings[k] + e[1] * v[1]->varyings[k] + e[2] * v[2]->varyings[k]) / absArea);
      ShadePixel(dc, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), front, varyings);
    }
  }
}

// Index of the k-th vertex of a draw; false when the index buffer ends first.
bool VertexIndex(const GpuDrawCommand& draw, std::uint32_t k, std::uint32_t& index) noexcept
{
  if (!draw.indexed) {
    index = draw.vertexStart + k;
    return true;
  }
  const std::size_t size = draw.indexType == GpuIndexType::UInt16 ? 2 : 4;
  const std::uint64_t at = draw.indexOffset + std::uint64_t{k} * size;
  if (!draw.indexBuffer || at + size > draw.indexBuffer->Length()) return false;
  const auto* p = static_cast<const unsigned char*>(draw.indexBuffer->Contents()) + at;
  if (size == 2) {
    std::uint16_t i16;
    std::memcpy(&i16, p, 2);
    index = i16;
  } else {
    std::memcpy(&index, p, 4);
  }
  return true;
}

GpuStageResources Resources(const GpuBufferBinding (&buffers)[kGpuMaxBufferSlots],
                            const GpuDrawState* textures)
{
  GpuStageResources r;
  for (int i = 0; i < kGpuMaxBufferSlots; ++i)
    r.buffers[i] = View(buffers[i]);
  if (textures) {
    for (int i = 0; i < kGpuMaxTextureSlots; ++i) {
      r.textures[i] = textures->fragmentTextures[i].get();
      r.samplers[i] = textures->fragmentSamplers[i].get();
    }
  }
  return r;
}

void RunDraw(const GpuEncodedPass& pass, const GpuDrawCommand& draw)
{
  const GpuDrawState& st = pass.states[draw.state];
  if (!st.pipeline || !st.pipeline->Descriptor().vertexFunction) return;
  GpuTexture* colour = pass.descriptor.colorAttachment.texture.get();
  GpuTexture* stencil = pass.descriptor.stencilAttachment.texture.get();
  if (!colour) return;
  DrawContext dc{&st,
                 &st.pipeline->Descriptor(),
                 colour,
                 stencil,
                 Resources(st.vertexBuffers, nullptr),
                 Resources(st.fragmentBuffers, &st),
                 0,
                 0,
                 0,
                 0};
  std::uint32_t w = colour->Width(), h = colour->Height();
  if (stencil) {
    w = std::min(w, stencil->Width());
    h = std::min(h, stencil->Height());
  }
  const GpuViewport& vp = st.viewport;
  const double vx0 = std::max(0.0, std::floor(vp.originX)), vy0 = std::max(0.0, std::floor(vp.originY));
  const double vx1 = std::ceil(vp.originX + vp.width), vy1 = std::ceil(vp.originY + vp.height);
  const auto clampTo = [](double v, std::uint32_t hi) {
    return static_cast<std::uint32_t>(std::clamp(v, 0.0, static_cast<double>(hi)));
  };
  dc.clipX0 = std::max(clampTo(vx0, w), st.scissor.x);
  dc.clipY0 = std::max(clampTo(vy0, h), st.scissor.y);
  dc.clipX1 = std::min({clampTo(vx1, w), static_cast<std::uint32_t>(std::min<std::uint64_t>(
                                             std::uint64_t{st.scissor.x} + st.scissor.width, w))});
  dc.clipY1 = std::min({clampTo(vy1, h), static_cast<std::uint32_t>(std::min<std::uint64_t>(
                                             std::uint64_t{st.scissor.y} + st.scissor.height, h))});
  if (dc.clipX0 >= dc.clipX1 || dc.clipY0 >= dc.clipY1) return;

  const auto shadeAt = [&](std::uint32_t k, ShadedVertex& out) {
    std::uint32_t index;
    if (!VertexIndex(draw, k, index)) return false;
    out = Shade(dc, index);
    return true;
  };
  ShadedVertex tri[3];
  if (draw.primitive == GpuPrimitiveType::Triangle) {
    for (std::uint32_t k = 0; k + 2 < draw.count; k += 3) {
      if (!shadeAt(k, tri[0]) || !shadeAt(k + 1, tri[1]) || !shadeAt(k + 2, tri[2])) return;
      RasterTriangle(dc, tri[0], tri[1], tri[2]);
    }
    return;
  }
  if (draw.count < 3) return;
  if (!shadeAt(0, tri[0]) || !shadeAt(1, tri[1])) return;
  for (std::uint32_t k = 2; k < draw.count; ++k) {
    if (!shadeAt(k, tri[k % 3])) return;
    const ShadedVertex& p0 = tri[(k - 2) % 3];
    const ShadedVertex& p1 = tri[(k - 1) % 3];
    const ShadedVertex& p2 = tri[k % 3];
    // Every second triangle of a strip is listed in reverse winding.
    if ((k - 2) % 2 == 0)
      RasterTriangle(dc, p0, p1, p2);
    else
      RasterTriangle(dc, p1, p0, p2);
  }
}

} // namespace

void GpuExecuteRenderPass(const GpuEncodedPass& pass)
{
  // Every texture the pass targets or samples stays still while it runs.
  std::vector<const GpuTexture*> used = {pass.descriptor.colorAttachment.texture.get(),
                                         pass.descriptor.stencilAttachment.texture.get()};
  for (const GpuDrawState& state : pass.states)
    for (const GpuTextureRef& texture : state.fragmentTextures)
      used.push_back(texture.get());
  const GpuTextureAccess access(std::move(used));

  const auto& ca = pass.descriptor.colorAttachment;
  if (ca.texture && ca.loadAction == GpuLoadAction::Clear) {
    const std::array<float, 4> clear = {
        static_cast<float>(ca.clearColor.red), static_cast<float>(ca.clearColor.green),
        static_cast<float>(ca.clearColor.blue), static_cast<float>(ca.clearColor.alpha)};
    for (std::uint32_t y = 0; y < ca.texture->Height(); ++y)
      for (std::uint32_t x = 0; x < ca.texture->Width(); ++x)
        ca.texture->WriteTexel(x, y, clear);
  }
  const auto& sa = pass.descriptor.stencilAttachment;
  if (sa.texture && sa.loadAction == GpuLoadAction::Clear) {
    std::memset(sa.texture->LevelBytes(0), static_cast<int>(sa.clearStencil & 0xFF),
                std::size_t{sa.texture->Width()} * sa.texture->Height());
  }
  for (const GpuDrawCommand& draw : pass.draws)
    RunDraw(pass, draw);
}

} // namespace plugin::sys

#include "platform/mac/system/GpuFloat4.h"
#include "platform/mac/system/GpuRenderPass.h"
#include "platform/mac/system/GpuUnorm8.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// The headless GPU's render stage: vertex fetch and shading, culling, edge-function rasterisation
// with the top-left rule at pixel centres, the fragment function, stencil and blending.
//
// Window coordinates snap to 1/256 pixel, so the edge functions at pixel centres are exact
// integers: every row of a triangle is one span found from them, with no per-pixel edge test.
// Everything a draw's pixels share (fragment constants, stencil, blending, the target's layout)
// is decoded once per draw. Where the fragment setup bounds the varyings outside which its colour
// is zero, and a zero colour leaves a pixel as it is, only the pixels inside are shaded.
namespace plugin::sys {

namespace {

constexpr double kSubpixel = 256.0; // window coordinates snap to 1/256 pixel
// Vertices within this many pixels of the origin rasterise with 64-bit edge functions; a
// triangle reaching further takes the double-precision path.
constexpr double kFixedReach = 2097152.0; // 2^21

struct ShadedVertex
{
  double x, y;         // window coordinates, snapped
  std::int64_t fx, fy; // the same in 1/256 pixel, when within kFixedReach
  float varyings[kGpuMaxVaryings];
  bool valid;
  bool fixed; // fx, fy hold the position
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

float Factor(GpuBlendFactor f, const float src[4], const float dst[4], int channel) noexcept
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
  case GpuBlendFactor::SourceAlphaSaturated: {
    const float a = src[3], b = 1.0f - dst[3];
    return channel == 3 ? 1.0f : ((a < b || b != b) ? a : b); // min, NaN yielding the other
  }
  }
  return 0.0f;
}

// Stencil settings of one face for the draw.
struct StencilFace
{
  GpuCompareFunction compare;
  GpuStencilOperation fail, pass;
  std::uint32_t readMask, writeMask;
  std::uint32_t maskedReference; // the reference through the read mask
};

// How the fragment colour meets the target.
enum class BlendPath : std::uint8_t {
  Replace,    // no blending: the colour as it is
  SourceOver, // one, one minus source alpha, for colour and alpha
  Factors,    // any other factors
};

// The colour target's texels: where each channel's byte lies (-1: none).
struct TargetLayout
{
  unsigned char* bytes = nullptr;
  std::size_t rowTexels = 0;
  std::size_t texelBytes = 0;
  int channel[4] = {-1, -1, -1, -1};
};

TargetLayout LayoutOf(GpuTexture& texture) noexcept
{
  TargetLayout t;
  t.bytes = texture.LevelBytes(0);
  t.rowTexels = texture.Width();
  switch (texture.PixelFormat()) {
  case GpuPixelFormat::RGBA8Unorm:
    t.texelBytes = 4;
    t.channel[0] = 0, t.channel[1] = 1, t.channel[2] = 2, t.channel[3] = 3;
    break;
  case GpuPixelFormat::BGRA8Unorm:
    t.texelBytes = 4;
    t.channel[0] = 2, t.channel[1] = 1, t.channel[2] = 0, t.channel[3] = 3;
    break;
  default: // one channel, read as (r, 0, 0, 1)
    t.texelBytes = 1;
    t.channel[0] = 0;
    break;
  }
  return t;
}

// Everything a draw needs while it rasterises, decoded once per draw.
struct DrawContext
{
  const GpuDrawState* state;
  const GpuRenderPipelineDescriptor* pipeline;
  GpuStageResources vertexResources;
  GpuFragmentFunctionImpl fragment; // null: the pipeline writes no colour
  GpuFragmentConstants constants;
  unsigned char* stencil; // level 0 of the stencil texture, or null
  std::size_t stencilRowTexels;
  const StencilFace* faces[2]; // back, front; null: no stencil test for that face
  StencilFace faceStorage[2];
  bool colourWrites; // the fragment's colour reaches the target
  BlendPath blend;
  unsigned writeMask; // channels 0..3 as bits 0..3
  bool sourceOverAll; // source over into all four channels of the target
  TargetLayout target;
  std::uint32_t clipX0, clipY0, clipX1, clipY1; // pixels that may be touched, [x0, x1) x [y0, y1)
  bool bounded;                                 // only fragments within bounds can change the target
  GpuFragmentBounds bounds;                     // the fragment setup's, widened against rounding
};

ShadedVertex ShadeVertex(const DrawContext& dc, std::uint32_t index) noexcept
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
    const double sx = std::round(x * kSubpixel), sy = std::round(y * kSubpixel);
    v.x = sx / kSubpixel;
    v.y = sy / kSubpixel;
    v.fixed = std::fabs(v.x) < kFixedReach && std::fabs(v.y) < kFixedReach;
    if (v.fixed) {
      v.fx = static_cast<std::int64_t>(sx);
      v.fy = static_cast<std::int64_t>(sy);
    }
  }
  std::memcpy(v.varyings, out.varyings, sizeof v.varyings);
  return v;
}

// Blends colour over the texel at p and writes the channels of the write mask.
void WriteColour(const DrawContext& dc, unsigned char* p, const float colour[4]) noexcept
{
  const auto& k = kGpuUnorm8ToFloat;
  const int* ch = dc.target.channel;
  if (dc.sourceOverAll) {
    // All four channels at once, in the texel's byte order.
    GpuFloat4 src = GpuLoad4(colour);
    if (ch[0] == 2) src = __builtin_shufflevector(src, src, 2, 1, 0, 3); // BGRA
    GpuFloat4ToUnorm8(src + GpuUnorm8ToFloat4(p) * (1.0f - colour[3]), p);
    return;
  }
  float dst[4];
  if (dc.blend != BlendPath::Replace) {
    for (int c = 0; c < 4; ++c)
      dst[c] = ch[c] >= 0 ? k[p[ch[c]]] : (c == 3 ? 1.0f : 0.0f);
  }
  for (int c = 0; c < 4; ++c) {
    if (ch[c] < 0 || !(dc.writeMask & (1u << c))) continue;
    float value = colour[c];
    if (dc.blend == BlendPath::SourceOver) {
      value = colour[c] + dst[c] * (1.0f - colour[3]);
    } else if (dc.blend == BlendPath::Factors) {
      const auto& ca = dc.pipeline->colorAttachment;
      const bool alpha = c == 3;
      const float sf = Factor(alpha ? ca.sourceAlphaBlendFactor : ca.sourceRGBBlendFactor, colour, dst, c);
      const float df =
          Factor(alpha ? ca.destinationAlphaBlendFactor : ca.destinationRGBBlendFactor, colour, dst, c);
      value = colour[c] * sf + dst[c] * df;
    }
    p[ch[c]] = GpuFloatToUnorm8(value);
  }
}

// A run without stencil test that blends source over into four-byte texels: the common case,
// in a loop of its own.
void ShadeRunOver(const DrawContext& dc, std::int64_t x0, std::int64_t xa, int n, std::int64_t y, bool front,
                  const double base[kGpuMaxVaryings], const double step[kGpuMaxVaryings])
{
  GpuFragmentSpan span{};
  span.x = static_cast<std::uint32_t>(xa);
  span.y = static_cast<std::uint32_t>(y);
  span.count = n;
  span.frontFacing = front;
  span.first = xa - x0;
  std::memcpy(span.base, base, sizeof span.base);
  std::memcpy(span.step, step, sizeof span.step);
  float colours[kGpuMaxSpanFragments][4];
  bool kept[kGpuMaxSpanFragments];
  dc.fragment(span, dc.constants, colours, kept);
  unsigned char* p = dc.target.bytes + (static_cast<std::size_t>(y) * dc.target.rowTexels + xa) * 4;
  const bool bgra = dc.target.channel[0] == 2;
  for (int i = 0; i < n; ++i, p += 4) {
    if (!kept[i]) continue;
    GpuFloat4 src = GpuLoad4(colours[i]);
    if (bgra) src = __builtin_shufflevector(src, src, 2, 1, 0, 3);
    GpuFloat4ToUnorm8(src + GpuUnorm8ToFloat4(p) * (1.0f - colours[i][3]), p);
  }
}

// Stencil, fragment function and blending for the pixels [xa, xb) of row y, at most
// kGpuMaxSpanFragments; the row's covered pixels start at x0 with the varyings base.
void ShadeRun(const DrawContext& dc, std::int64_t x0, std::int64_t xa, std::int64_t xb, std::int64_t y,
              bool front, const double base[kGpuMaxVaryings], const double step[kGpuMaxVaryings])
{
  const int n = static_cast<int>(xb - xa);
  const StencilFace* sd = dc.faces[front ? 1 : 0];
  if (!sd && dc.sourceOverAll) return ShadeRunOver(dc, x0, xa, n, y, front, base, step);
  const std::uint32_t reference = dc.state->stencilReference;
  unsigned char* stencil = sd ? dc.stencil + static_cast<std::size_t>(y) * dc.stencilRowTexels + xa : nullptr;
  bool pass[kGpuMaxSpanFragments], kept[kGpuMaxSpanFragments];
  int needed = n;
  for (int i = 0; i < n; ++i) {
    pass[i] = kept[i] = true;
    if (!sd) continue;
    const std::uint32_t value = stencil[i];
    pass[i] = Compare(sd->compare, sd->maskedReference, value & sd->readMask);
    if (!pass[i]) {
      // A failing fragment whose stencil update changes nothing has no effect at all.
      const std::uint32_t next = StencilResult(sd->fail, value, reference);
      if (((value & ~sd->writeMask) | (next & sd->writeMask)) == value) {
        kept[i] = false;
        --needed;
      }
    }
  }
  if (needed == 0) return;

  float colours[kGpuMaxSpanFragments][4];
  if (dc.fragment) {
    // The fragment function runs over each stretch of fragments that still matter.
    GpuFragmentSpan span{};
    span.y = static_cast<std::uint32_t>(y);
    span.frontFacing = front;
    std::memcpy(span.base, base, sizeof span.base);
    std::memcpy(span.step, step, sizeof span.step);
    for (int i = 0; i < n;) {
      if (!kept[i]) {
        ++i;
        continue;
      }
      int j = i + 1;
      while (j < n && kept[j])
        ++j;
      span.x = static_cast<std::uint32_t>(xa + i);
      span.count = j - i;
      span.first = xa + i - x0;
      dc.fragment(span, dc.constants, colours + i, kept + i);
      i = j;
    }
  }

  unsigned char* colourRow =
      dc.target.bytes + static_cast<std::size_t>(y) * dc.target.rowTexels * dc.target.texelBytes;
  for (int i = 0; i < n; ++i) {
    if (!kept[i]) continue; // discarded or without effect: no stencil update
    if (sd) {
      const std::uint32_t value = stencil[i];
      const std::uint32_t next = StencilResult(pass[i] ? sd->pass : sd->fail, value, reference);
      stencil[i] = static_cast<unsigned char>((value & ~sd->writeMask) | (next & sd->writeMask));
    }
    if (pass[i] && dc.colourWrites) WriteColour(dc, colourRow + (xa + i) * dc.target.texelBytes, colours[i]);
  }
}

// A range end moved outwards by 2^-20 of its size (at least of 1): more than the rounding of a
// varying computed near it. Infinite ends stay.
double Widened(double end, double direction) noexcept
{
  if (!std::isfinite(end)) return end;
  return end + direction * std::ldexp(std::max(std::fabs(end), 1.0), -20);
}

// Narrows the pixels [a, b) of a row, whose varyings are base + (x - x0) * step, to those whose
// bounded varyings may lie within their (widened, not empty) ranges. Conservative: the pixel range
// keeps one more pixel on each side; a varying that is not finite at x0 or does not change
// finitely narrows nothing.
void NarrowToBounds(const GpuFragmentBounds& bounds, std::int64_t x0, const double base[kGpuMaxVaryings],
                    const double step[kGpuMaxVaryings], std::int64_t& a, std::int64_t& b) noexcept
{
  for (int k = 0; k < kGpuMaxVaryings && a < b; ++k) {
    if (!bounds.Bounds(k) || !std::isfinite(base[k]) || !std::isfinite(step[k])) continue;
    const double lo = bounds.lo[k], hi = bounds.hi[k];
    if (step[k] == 0.0) {
      if (!(base[k] >= lo && base[k] <= hi)) b = a;
      continue;
    }
    // Pixel offsets n (from x0) where base + n * step reaches lo and hi, in either order.
    const double t1 = (lo - base[k]) / step[k], t2 = (hi - base[k]) / step[k];
    const double span = static_cast<double>(b - x0) + 2.0;
    const double n0 = std::clamp(std::min(t1, t2), -2.0, span);
    const double n1 = std::clamp(std::max(t1, t2), -2.0, span);
    a = std::max(a, x0 + static_cast<std::int64_t>(std::floor(n0)) - 1);
    b = std::min(b, x0 + static_cast<std::int64_t>(std::ceil(n1)) + 2);
  }
  if (b < a) b = a;
}

// The covered pixels [x0, x1) of row y, whose varyings start at base and change by step per pixel.
void ShadeSpan(const DrawContext& dc, std::int64_t x0, std::int64_t x1, std::int64_t y, bool front,
               const double base[kGpuMaxVaryings], const double step[kGpuMaxVaryings])
{
  std::int64_t a = x0, b = x1;
  if (dc.bounded) NarrowToBounds(dc.bounds, x0, base, step, a, b);
  for (std::int64_t xa = a; xa < b; xa += kGpuMaxSpanFragments)
    ShadeRun(dc, x0, xa, std::min<std::int64_t>(b, xa + kGpuMaxSpanFragments), y, front, base, step);
}

// Narrows [lo, hi) to the pixels x where e(x) = e0 - s * x reaches bias; e is monotonic in x.
void Narrow(std::int64_t e0, std::int64_t s, std::int64_t bias, std::int64_t& lo, std::int64_t& hi) noexcept
{
  const auto inside = [&](std::int64_t x) { return e0 - s * x >= bias; };
  if (s == 0) {
    if (e0 < bias) hi = lo;
    return;
  }
  // The boundary estimated in double precision, then settled exactly.
  const double t = static_cast<double>(e0 - bias) / static_cast<double>(s);
  if (s > 0) { // inside up to floor(t)
    std::int64_t end = t < static_cast<double>(lo)    ? lo
                       : t >= static_cast<double>(hi) ? hi
                                                      : static_cast<std::int64_t>(t) + 1;
    while (end > lo && !inside(end - 1))
      --end;
    while (end < hi && inside(end))
      ++end;
    hi = end;
  } else { // inside from ceil(t)
    std::int64_t start = t <= static_cast<double>(lo)  ? lo
                         : t > static_cast<double>(hi) ? hi
                                                       : static_cast<std::int64_t>(std::ceil(t));
    while (start < hi && !inside(start))
      ++start;
    while (start > lo && inside(start - 1))
      --start;
    lo = start;
  }
}

// Rasterises a triangle of vertices in fixed point: v in order, every edge function positive
// inside, area twice the triangle's area in 1/65536 pixel².
void RasterFixed(const DrawContext& dc, const ShadedVertex* const v[3], std::int64_t area, bool front)
{
  struct Edge
  {
    std::int64_t dx, dy, bias; // bias 0 on a top or left edge, 1 elsewhere
  } edges[3];
  for (int i = 0; i < 3; ++i) {
    const ShadedVertex& p = *v[(i + 1) % 3];
    const ShadedVertex& q = *v[(i + 2) % 3];
    const std::int64_t dx = q.fx - p.fx, dy = q.fy - p.fy;
    edges[i] = {dx, dy, (dy < 0 || (dy == 0 && dx > 0)) ? 0 : 1};
  }
  const std::int64_t minX = std::min({v[0]->fx, v[1]->fx, v[2]->fx}),
                     maxX = std::max({v[0]->fx, v[1]->fx, v[2]->fx});
  const std::int64_t minY = std::min({v[0]->fy, v[1]->fy, v[2]->fy}),
                     maxY = std::max({v[0]->fy, v[1]->fy, v[2]->fy});
  // Pixel centres that may lie inside: (x + 0.5) * 256 within [min, max].
  const std::int64_t x0 = std::max<std::int64_t>(dc.clipX0, (minX - 128 + 255) >> 8);
  const std::int64_t x1 = std::min<std::int64_t>(dc.clipX1, ((maxX - 128) >> 8) + 1);
  const std::int64_t y0 = std::max<std::int64_t>(dc.clipY0, (minY - 128 + 255) >> 8);
  const std::int64_t y1 = std::min<std::int64_t>(dc.clipY1, ((maxY - 128) >> 8) + 1);
  if (x0 >= x1 || y0 >= y1) return;

  // Edge i at pixel (x, y): dx * (256 y + 128 - py) - dy * (256 x + 128 - px), in 1/65536 pixel²,
  // the weight of vertex i. Along a row it falls by 256 dy per pixel.
  const double absArea = static_cast<double>(area < 0 ? -area : area);
  double step[kGpuMaxVaryings];
  for (int k = 0; k < kGpuMaxVaryings; ++k)
    step[k] = -(static_cast<double>(256 * edges[0].dy) * v[0]->varyings[k] +
                static_cast<double>(256 * edges[1].dy) * v[1]->varyings[k] +
                static_cast<double>(256 * edges[2].dy) * v[2]->varyings[k]) /
              absArea;
  for (std::int64_t y = y0; y < y1; ++y) {
    std::int64_t rowAt0[3]; // edge functions at pixel (0, y)
    std::int64_t lo = x0, hi = x1;
    for (int i = 0; i < 3 && lo < hi; ++i) {
      const ShadedVertex& p = *v[(i + 1) % 3];
      rowAt0[i] = edges[i].dx * (256 * y + 128 - p.fy) - edges[i].dy * (128 - p.fx);
      Narrow(rowAt0[i], 256 * edges[i].dy, edges[i].bias, lo, hi);
    }
    if (lo >= hi) continue;
    double e[3], base[kGpuMaxVaryings];
    for (int i = 0; i < 3; ++i)
      e[i] = static_cast<double>(rowAt0[i] - 256 * edges[i].dy * lo);
    for (int k = 0; k < kGpuMaxVaryings; ++k)
      base[k] = (e[0] * v[0]->varyings[k] + e[1] * v[1]->varyings[k] + e[2] * v[2]->varyings[k]) / absArea;
    ShadeSpan(dc, lo, hi, y, front, base, step);
  }
}

// Rasterises a triangle reaching beyond the fixed-point range with edge functions in double
// precision, pixel by pixel over the clip rectangle.
void RasterWide(const DrawContext& dc, const ShadedVertex* const v[3], double absArea, bool front)
{
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
  // The bounding box within the clip rectangle (its bounds as doubles: the vertices may lie far out).
  const auto within = [](double v, std::uint32_t lo, std::uint32_t hi) {
    return static_cast<std::int64_t>(std::clamp(v, static_cast<double>(lo), static_cast<double>(hi)));
  };
  const std::int64_t x0 = within(std::floor(minX - 0.5), dc.clipX0, dc.clipX1);
  const std::int64_t x1 = within(std::ceil(maxX + 0.5), dc.clipX0, dc.clipX1);
  const std::int64_t y0 = within(std::floor(minY - 0.5), dc.clipY0, dc.clipY1);
  const std::int64_t y1 = within(std::ceil(maxY + 0.5), dc.clipY0, dc.clipY1);
  const double zero[kGpuMaxVaryings] = {};
  for (std::int64_t y = y0; y < y1; ++y) {
    const double sy = static_cast<double>(y) + 0.5;
    for (std::int64_t x = x0; x < x1; ++x) {
      const double sx = static_cast<double>(x) + 0.5;
      double e[3];
      bool inside = true;
      for (int i = 0; i < 3 && inside; ++i) {
        const Edge& ed = edges[i];
        e[i] = ed.dx * (sy - ed.y0) - ed.dy * (sx - ed.x0);
        inside = e[i] > 0.0 || (e[i] == 0.0 && ed.topLeft);
      }
      if (!inside) continue;
      double varyings[kGpuMaxVaryings];
      for (int k = 0; k < kGpuMaxVaryings; ++k)
        varyings[k] =
            (e[0] * v[0]->varyings[k] + e[1] * v[1]->varyings[k] + e[2] * v[2]->varyings[k]) / absArea;
      ShadeSpan(dc, x, x + 1, y, front, varyings, zero);
    }
  }
}

// Rasterises one triangle; ccw is the winding of (a, b, c) as given by the primitive order.
void RasterTriangle(const DrawContext& dc, const ShadedVertex& a, const ShadedVertex& b,
                    const ShadedVertex& c)
{
  if (!a.valid || !b.valid || !c.valid) return;
  const bool fixed = a.fixed && b.fixed && c.fixed;
  std::int64_t fixedArea = 0;
  double area;
  if (fixed) {
    fixedArea = (b.fx - a.fx) * (c.fy - a.fy) - (c.fx - a.fx) * (b.fy - a.fy);
    area = static_cast<double>(fixedArea);
  } else {
    area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  }
  if (area == 0.0) return;
  // Window y points down, so a triangle counter-clockwise in clip space has a negative area here.
  const bool ccw = area < 0.0;
  const bool front = (dc.state->frontFacing == GpuWinding::CounterClockwise) == ccw;
  if ((dc.state->cullMode == GpuCullMode::Back && !front) ||
      (dc.state->cullMode == GpuCullMode::Front && front))
    return;
  // Order the vertices so that every edge function is positive inside.
  const ShadedVertex* v[3] = {&a, &b, &c};
  if (ccw) std::swap(v[1], v[2]);
  if (fixed)
    RasterFixed(dc, v, fixedArea, front);
  else
    RasterWide(dc, v, std::fabs(area), front);
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

// The stencil test and blending of a draw; false when the draw can change nothing.
bool DecodeOutputs(const GpuEncodedPass& pass, const GpuDrawState& st, DrawContext& dc)
{
  GpuTexture* stencil = pass.descriptor.stencilAttachment.texture.get();
  dc.faces[0] = dc.faces[1] = nullptr;
  if (stencil && st.depthStencil) {
    const auto& d = st.depthStencil->Descriptor();
    const std::optional<GpuStencilDescriptor>* faces[2] = {&d.backFaceStencil, &d.frontFaceStencil};
    for (int f = 0; f < 2; ++f) {
      if (!*faces[f]) continue;
      const GpuStencilDescriptor& s = **faces[f];
      dc.faceStorage[f] = {s.stencilCompareFunction,
                           s.stencilFailureOperation,
                           s.depthStencilPassOperation,
                           s.readMask,
                           s.writeMask,
                           st.stencilReference & s.readMask};
      dc.faces[f] = &dc.faceStorage[f];
    }
    dc.stencil = stencil->LevelBytes(0);
    dc.stencilRowTexels = stencil->Width();
  }
  const auto& ca = dc.pipeline->colorAttachment;
  static constexpr unsigned kChannelBit[4] = {kGpuColorWriteRed, kGpuColorWriteGreen, kGpuColorWriteBlue,
                                              kGpuColorWriteAlpha};
  dc.writeMask = 0;
  for (int c = 0; c < 4; ++c)
    if ((ca.writeMask & kChannelBit[c]) && dc.target.channel[c] >= 0) dc.writeMask |= 1u << c;
  dc.colourWrites = dc.fragment && dc.writeMask != 0;
  const bool sourceOver = ca.sourceRGBBlendFactor == GpuBlendFactor::One &&
                          ca.sourceAlphaBlendFactor == GpuBlendFactor::One &&
                          ca.destinationRGBBlendFactor == GpuBlendFactor::OneMinusSourceAlpha &&
                          ca.destinationAlphaBlendFactor == GpuBlendFactor::OneMinusSourceAlpha;
  dc.blend = !ca.blendingEnabled ? BlendPath::Replace
             : sourceOver        ? BlendPath::SourceOver
                                 : BlendPath::Factors;
  dc.sourceOverAll = dc.colourWrites && dc.blend == BlendPath::SourceOver && dc.writeMask == 0xF &&
                     dc.target.texelBytes == 4;
  return dc.colourWrites || dc.faces[0] || dc.faces[1];
}

// Whether a fragment of colour (0, 0, 0, 0) leaves its pixel exactly as it is, kept or discarded:
// no stencil face can write, and every channel written blends with a destination factor that is
// one at a zero source. The source term is then 0 times a finite factor, and a byte read as a
// float is written back as the same byte.
bool ZeroColourKeepsPixel(const DrawContext& dc) noexcept
{
  for (const StencilFace* f : dc.faces)
    if (f && (f->writeMask & 0xFF) != 0 &&
        (f->fail != GpuStencilOperation::Keep || f->pass != GpuStencilOperation::Keep))
      return false;
  if (!dc.colourWrites) return true;
  const auto& ca = dc.pipeline->colorAttachment;
  if (!ca.blendingEnabled) return false; // a zero colour replaces the pixel
  const auto oneAtZero = [](GpuBlendFactor f) {
    return f == GpuBlendFactor::One || f == GpuBlendFactor::OneMinusSourceColor ||
           f == GpuBlendFactor::OneMinusSourceAlpha;
  };
  for (int c = 0; c < 4; ++c) {
    if (!(dc.writeMask & (1u << c))) continue;
    if (!oneAtZero(c == 3 ? ca.destinationAlphaBlendFactor : ca.destinationRGBBlendFactor)) return false;
  }
  return true;
}

// Whether any bounded varying has an empty range.
bool EmptyBounds(const GpuFragmentBounds& bounds) noexcept
{
  for (int k = 0; k < kGpuMaxVaryings; ++k)
    if (bounds.Bounds(k) && !(bounds.lo[k] <= bounds.hi[k])) return true;
  return false;
}

bool AnyBound(const GpuFragmentBounds& bounds) noexcept
{
  for (int k = 0; k < kGpuMaxVaryings; ++k)
    if (bounds.Bounds(k)) return true;
  return false;
}

void RunDraw(const GpuEncodedPass& pass, const GpuDrawCommand& draw)
{
  const GpuDrawState& st = pass.states[draw.state];
  if (!st.pipeline || !st.pipeline->Descriptor().vertexFunction) return;
  GpuTexture* colour = pass.descriptor.colorAttachment.texture.get();
  GpuTexture* stencil = pass.descriptor.stencilAttachment.texture.get();
  if (!colour) return;
  DrawContext dc{};
  dc.state = &st;
  dc.pipeline = &st.pipeline->Descriptor();
  dc.vertexResources = Resources(st.vertexBuffers, nullptr);
  dc.target = LayoutOf(*colour);
  GpuFragmentBounds bounds = GpuFragmentBounds::Unbounded();
  if (const GpuFunction* fragment = dc.pipeline->fragmentFunction.get()) {
    // Constants that cannot be read discard every fragment: the draw changes nothing.
    if (!fragment->fragmentSetup(Resources(st.fragmentBuffers, &st), dc.constants, bounds)) return;
    dc.fragment = fragment->fragment;
  }
  if (!DecodeOutputs(pass, st, dc)) return;
  if (dc.fragment && AnyBound(bounds) && ZeroColourKeepsPixel(dc)) {
    if (EmptyBounds(bounds)) return; // every fragment is zero: nothing changes
    dc.bounded = true;
    for (int k = 0; k < kGpuMaxVaryings; ++k) {
      dc.bounds.lo[k] = Widened(bounds.lo[k], -1.0);
      dc.bounds.hi[k] = Widened(bounds.hi[k], 1.0);
    }
  }

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
    out = ShadeVertex(dc, index);
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

// Fills level 0 of the colour target with the clear colour, a row at a time.
void ClearColour(GpuTexture& texture, const GpuClearColor& clear)
{
  const TargetLayout t = LayoutOf(texture);
  const double rgba[4] = {clear.red, clear.green, clear.blue, clear.alpha};
  unsigned char texel[4] = {};
  for (int c = 0; c < 4; ++c)
    if (t.channel[c] >= 0) texel[t.channel[c]] = GpuFloatToUnorm8(static_cast<float>(rgba[c]));
  const std::size_t rowBytes = t.rowTexels * t.texelBytes;
  if (rowBytes == 0 || texture.Height() == 0) return;
  for (std::size_t x = 0; x < t.rowTexels; ++x)
    std::memcpy(t.bytes + x * t.texelBytes, texel, t.texelBytes);
  for (std::uint32_t y = 1; y < texture.Height(); ++y)
    std::memcpy(t.bytes + y * rowBytes, t.bytes, rowBytes);
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
  if (ca.texture && ca.loadAction == GpuLoadAction::Clear) ClearColour(*ca.texture, ca.clearColor);
  const auto& sa = pass.descriptor.stencilAttachment;
  if (sa.texture && sa.loadAction == GpuLoadAction::Clear) {
    std::memset(sa.texture->LevelBytes(0), static_cast<int>(sa.clearStencil & 0xFF),
                std::size_t{sa.texture->Width()} * sa.texture->Height());
  }
  for (const GpuDrawCommand& draw : pass.draws)
    RunDraw(pass, draw);
}

} // namespace plugin::sys

#include "platform/mac/MVGShaders.h"

#include "platform/mac/MVGScissorBounds.h"
#include "platform/mac/MVGShaderUniforms.h"
#include "platform/mac/system/GpuBoundTexture.h"

#include <cmath>
#include <type_traits>

using namespace plugin::sys;

namespace {

// What every fragment of a draw reads: the call's uniform block, and its image when it has one.
struct DrawConstants
{
  MVGfragUniforms u;
  GpuBoundTexture image;
  bool hasImage;
  bool constantScissor; // the scissor matrix maps every point to 0 ("no scissor")
  float scissorInside;  // the mask at any finite point then
};

// The shading functions below work on one fragment (float) or on four at once (Lanes), with
// the same operations in the same order on every lane.
using Lanes = GpuFloat4;

float Abs(float v) noexcept
{
  return std::fabs(v);
}

Lanes Abs(Lanes v) noexcept
{
  return GpuAbs4(v);
}

float Sqrt(float v) noexcept
{
  return std::sqrt(v);
}

Lanes Sqrt(Lanes v) noexcept
{
  return GpuSqrt4(v);
}

float Select(bool mask, float a, float b) noexcept
{
  return mask ? a : b;
}

Lanes Select(GpuInt4 mask, Lanes a, Lanes b) noexcept
{
  return GpuSelect4(mask, a, b);
}

template <class T> T Splat(float v) noexcept
{
  if constexpr (std::is_same_v<T, float>)
    return v;
  else
    return Lanes{v, v, v, v};
}

// The shading language's min and max of two numbers: a NaN operand yields the other one.
template <class T> T MinNum(T a, T b) noexcept
{
  return Select((a < b) | (b != b), a, b);
}

template <class T> T MaxNum(T a, T b) noexcept
{
  return Select((a > b) | (b != b), a, b);
}

// clamp that maps NaN to the lower bound, as the shading language's does.
template <class T> T Clamp01(T v) noexcept
{
  const T zero = Splat<T>(0.0f), one = Splat<T>(1.0f);
  return Select(v > zero, Select(v < one, v, one), zero);
}

// Applies a 3x3 column matrix (columns padded to four floats) to (x, y, 1).
template <class T> void Transform(const float m[12], T x, T y, T& ox, T& oy) noexcept
{
  ox = m[0] * x + m[4] * y + m[8];
  oy = m[1] * x + m[5] * y + m[9];
}

// 1 inside the scissor, fading to 0 over one fringe outside it.
template <class T> [[gnu::always_inline]] inline T ScissorMask(const MVGfragUniforms& u, T px, T py) noexcept
{
  T sx, sy;
  Transform(u.scissorMatrix, px, py, sx, sy);
  sx = 0.5f - (Abs(sx) - u.scissorExtent[0]) * u.scissorScale[0];
  sy = 0.5f - (Abs(sy) - u.scissorExtent[1]) * u.scissorScale[1];
  return Clamp01(sx) * Clamp01(sy);
}

// The scissor mask of a draw: with a zero scissor matrix, the draw's one value at finite points
// and 0 elsewhere.
template <class T> [[gnu::always_inline]] inline T DrawScissor(const DrawConstants& d, T px, T py) noexcept
{
  if (!d.constantScissor) return ScissorMask(d.u, px, py);
  const T zero = Splat<T>(0.0f);
  return Select((px - px == zero) & (py - py == zero), Splat<T>(d.scissorInside), zero);
}

// Coverage across a stroke or fringe from the vertex coordinate: u runs 0..1 across, v is 0
// on the outer edge of a cap fringe.
template <class T> T StrokeMask(const MVGfragUniforms& u, T tu, T tv) noexcept
{
  const T one = Splat<T>(1.0f);
  return MinNum(one, (1.0f - Abs(tu * 2.0f - 1.0f)) * u.strokeMultiplier) * MinNum(one, tv);
}

// Signed distance from pt to a rectangle of half size extent with rounded corners of radius rad.
template <class T> T RoundRectDistance(T px, T py, const float extent[2], float rad) noexcept
{
  const T zero = Splat<T>(0.0f);
  const T dx = Abs(px) - (extent[0] - rad);
  const T dy = Abs(py) - (extent[1] - rad);
  const T ox = MaxNum(dx, zero), oy = MaxNum(dy, zero);
  return MinNum(MaxNum(dx, dy), zero) + Sqrt(ox * ox + oy * oy) - rad;
}

// Where a box gradient is between its inner (0) and outer (1) colour at paint point (px, py).
template <class T> T GradientPosition(const MVGfragUniforms& u, T px, T py) noexcept
{
  T tx, ty;
  Transform(u.paintMatrix, px, py, tx, ty);
  return Clamp01((RoundRectDistance(tx, ty, u.extent, u.radius) + u.feather * 0.5f) / u.feather);
}

// A texel of the call's image as premultiplied colour by the block's texture kind.
[[gnu::always_inline]] inline void ImageColour(const MVGfragUniforms& u, float texel[4], float c[4]) noexcept
{
  if (u.textureKind == MVGtextureKind::StraightRGBA) {
    for (int i = 0; i < 3; ++i)
      texel[i] *= texel[3];
  } else if (u.textureKind == MVGtextureKind::Alpha) {
    texel[1] = texel[2] = texel[3] = texel[0];
  }
  for (int i = 0; i < 4; ++i)
    c[i] = texel[i] * u.innerColor[i];
}

// Texel of the call's image as premultiplied colour by the block's texture kind. Inlined with the
// shading below into each kind's fragment loop.
[[gnu::always_inline]] inline void SampleImage(const DrawConstants& d, float s, float t, float c[4]) noexcept
{
  float texel[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  if (d.hasImage) d.image.Sample(s, t, texel);
  ImageColour(d.u, texel, c);
}

// Shared body of the two fragment functions for one shader kind; strokeAlpha is 1 without
// anti-aliasing. A kind the backend does not write paints transparent.
template <MVGshaderKind Kind>
[[gnu::always_inline]] inline void Shade(const DrawConstants& d, const float* var, float strokeAlpha,
                                         float out[4]) noexcept
{
  const MVGfragUniforms& u = d.u;
  const float px = var[0], py = var[1];
  const float scissor = DrawScissor(d, px, py);
  float c[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  float coverage = scissor * strokeAlpha;
  if constexpr (Kind == MVGshaderKind::FillGradient) {
    const float t = GradientPosition(u, px, py);
    for (int i = 0; i < 4; ++i)
      c[i] = u.innerColor[i] + (u.outerColor[i] - u.innerColor[i]) * t;
  } else if constexpr (Kind == MVGshaderKind::FillImage) {
    float tx, ty;
    Transform(u.paintMatrix, px, py, tx, ty);
    SampleImage(d, tx / u.extent[0], ty / u.extent[1], c);
  } else if constexpr (Kind == MVGshaderKind::Image) {
    SampleImage(d, var[2], var[3], c);
    coverage = scissor;
  }
  // Exactly zero outside the scissor, whatever the paint: the setup's bounds promise it.
  for (int i = 0; i < 4; ++i)
    out[i] = scissor > 0.0f ? c[i] * coverage : 0.0f;
}

// Shades four fragments of a box gradient at once, from fragment i of span on.
template <bool AntiAlias>
void ShadeGradient4(const DrawConstants& d, const GpuFragmentSpan& span, int i, float (*colours)[4],
                    bool* kept) noexcept
{
  const MVGfragUniforms& u = d.u;
  float var[4][kGpuMaxVaryings];
  for (int lane = 0; lane < 4; ++lane)
    GpuSpanVaryings(span, i + lane, var[lane]);
  const auto lanes = [&](int k) { return Lanes{var[0][k], var[1][k], var[2][k], var[3][k]}; };
  const Lanes px = lanes(0), py = lanes(1);
  Lanes strokeAlpha = Splat<Lanes>(1.0f);
  GpuInt4 discarded = {0, 0, 0, 0};
  if constexpr (AntiAlias) {
    strokeAlpha = StrokeMask(u, lanes(2), lanes(3));
    discarded = strokeAlpha < Splat<Lanes>(u.strokeThreshold);
  }
  const Lanes scissor = DrawScissor(d, px, py);
  const Lanes coverage = scissor * strokeAlpha;
  const Lanes t = GradientPosition(u, px, py);
  const Lanes inner = GpuLoad4(u.innerColor), outer = GpuLoad4(u.outerColor);
  const Lanes zero = Splat<Lanes>(0.0f);
  for (int lane = 0; lane < 4; ++lane) {
    kept[i + lane] = discarded[lane] == 0;
    // Exactly zero outside the scissor, as in Shade.
    const Lanes colour = scissor[lane] > 0.0f ? (inner + (outer - inner) * t[lane]) * coverage[lane] : zero;
    GpuStore4(colours[i + lane], colour);
  }
}

// Shades every fragment of span (box gradients four at a time); with anti-aliasing, coverage below
// the stroke threshold discards.
template <MVGshaderKind Kind, bool AntiAlias>
void ShadeFragments(const DrawConstants& d, const GpuFragmentSpan& span, float (*colours)[4],
                    bool* kept) noexcept
{
  int i = 0;
  if constexpr (Kind == MVGshaderKind::FillGradient)
    for (; i + 4 <= span.count; i += 4)
      ShadeGradient4<AntiAlias>(d, span, i, colours, kept);
  for (; i < span.count; ++i) {
    float var[kGpuMaxVaryings];
    GpuSpanVaryings(span, i, var);
    float strokeAlpha = 1.0f;
    if constexpr (AntiAlias) {
      strokeAlpha = StrokeMask(d.u, var[2], var[3]);
      if (strokeAlpha < d.u.strokeThreshold) {
        kept[i] = false;
        continue;
      }
    }
    kept[i] = true;
    Shade<Kind>(d, var, strokeAlpha, colours[i]);
  }
}

// A texel of the call's image as premultiplied colour for texture kind Kind, times the inner
// colour: ImageColour on four lanes, with the same operation on each channel.
template <MVGtextureKind Kind>
[[gnu::always_inline]] inline GpuFloat4 ImageColour4(const MVGfragUniforms& u, GpuFloat4 texel) noexcept
{
  if constexpr (Kind == MVGtextureKind::StraightRGBA) {
    texel *= GpuFloat4{texel[3], texel[3], texel[3], 1.0f};
  } else if constexpr (Kind == MVGtextureKind::Alpha) {
    texel = GpuFloat4{texel[0], texel[0], texel[0], texel[0]};
  }
  return texel * GpuLoad4(u.innerColor);
}

// Shades a span of an image fill whose position y and stroke coordinates do not change along it
// (the rows of a cover quad or fringe), with what the fragments share worked out once: the stroke
// coverage, the scissor's and the paint's y terms and, when the paint keeps texture rows level,
// the texture rows. Gives exactly what ShadeFragments gives; other spans go there.
template <bool AntiAlias, MVGtextureKind Kind>
void ShadeImageFillRow(const DrawConstants& d, const GpuFragmentSpan& span, float (*colours)[4],
                       bool* kept) noexcept
{
  const MVGfragUniforms& u = d.u;
  // Varyings of zero step are the same for every fragment: base + n * (+-0) is base for every n.
  float first[kGpuMaxVaryings];
  GpuSpanVaryings(span, 0, first);
  const float py = first[1];
  float strokeAlpha = 1.0f;
  if constexpr (AntiAlias) {
    strokeAlpha = StrokeMask(u, first[2], first[3]);
    if (strokeAlpha < u.strokeThreshold) {
      for (int i = 0; i < span.count; ++i)
        kept[i] = false;
      return;
    }
  }
  // The terms of y in both transforms, as Transform forms them: (m0 x + m4 y) + m8.
  const float* sm = u.scissorMatrix;
  const float* pm = u.paintMatrix;
  const float scissorY = sm[4] * py, paintY = pm[4] * py;
  // With m1 zero, the y row of a transform is the same for every finite x, up to the sign of a
  // zero, which neither the scissor's absolute value nor the texture's addressing tells apart.
  const bool levelScissor = !d.constantScissor && sm[1] == 0.0f;
  float scissorMaskY = 1.0f;
  if (levelScissor) {
    const float sy = sm[1] * 0.0f + sm[5] * py + sm[9];
    scissorMaskY = Clamp01(0.5f - (Abs(sy) - u.scissorExtent[1]) * u.scissorScale[1]);
  }
  const bool levelPaint = pm[1] == 0.0f;
  GpuBoundTexture::Rows rows;
  if (levelPaint) rows = d.image.RowsAt((pm[1] * 0.0f + pm[5] * py + pm[9]) / u.extent[1]);
  const GpuFloat4 zero = {0.0f, 0.0f, 0.0f, 0.0f};

  // The scissor at x, as DrawScissor gives it at (x, py), for one fragment or four.
  const auto scissorAt = [&](auto px) {
    using T = decltype(px);
    if (d.constantScissor) return DrawScissor(d, px, Splat<T>(py));
    if (levelScissor) {
      const T sx = 0.5f - (Abs(sm[0] * px + scissorY + sm[8]) - u.scissorExtent[0]) * u.scissorScale[0];
      return Clamp01(sx) * scissorMaskY;
    }
    return ScissorMask(u, px, Splat<T>(py));
  };
  // One fragment with its x.
  const auto shadeOne = [&](int i, float px) {
    kept[i] = true;
    if (!(px - px == 0.0f)) { // an x that is not finite takes the whole way
      const float var[kGpuMaxVaryings] = {px, py, first[2], first[3]};
      Shade<MVGshaderKind::FillImage>(d, var, strokeAlpha, colours[i]);
      return;
    }
    const float scissor = scissorAt(px);
    if (!(scissor > 0.0f)) {
      GpuStore4(colours[i], zero);
      return;
    }
    const float tx = pm[0] * px + paintY + pm[8];
    GpuFloat4 texel;
    if (levelPaint) {
      texel = d.image.SampleInRows(tx / u.extent[0], rows);
    } else {
      const float ty = pm[1] * px + pm[5] * py + pm[9];
      texel = d.image.SampleInRows(tx / u.extent[0], d.image.RowsAt(ty / u.extent[1]));
    }
    GpuStore4(colours[i], ImageColour4<Kind>(u, texel) * (scissor * strokeAlpha));
  };

  // Four fragments at a time where the texture rows are shared, with the same operations on
  // every lane as shadeOne.
  using Doubles4 = double __attribute__((vector_size(32)));
  const double step = span.step[0];
  int i = 0;
  if (levelPaint) {
    for (; i + 4 <= span.count; i += 4) {
      const double n = static_cast<double>(span.first + i);
      const Doubles4 at = {n, n + 1.0, n + 2.0, n + 3.0};
      const Lanes px = __builtin_convertvector(span.base[0] + at * step, Lanes);
      const GpuInt4 finite = px - px == zero;
      if (!(finite[0] & finite[1] & finite[2] & finite[3])) {
        for (int l = 0; l < 4; ++l)
          shadeOne(i + l, px[l]);
        continue;
      }
      const Lanes scissor = scissorAt(px);
      const Lanes coverage = scissor * strokeAlpha;
      GpuFloat4 texels[4];
      d.image.SampleInRows4((pm[0] * px + paintY + pm[8]) / u.extent[0], rows, texels);
      for (int l = 0; l < 4; ++l) {
        kept[i + l] = true;
        GpuStore4(colours[i + l], scissor[l] > 0.0f ? ImageColour4<Kind>(u, texels[l]) * coverage[l] : zero);
      }
    }
  }
  for (; i < span.count; ++i)
    shadeOne(i, static_cast<float>(span.base[0] + static_cast<double>(span.first + i) * step));
}

// Image fills: rows that qualify take ShadeImageFillRow for their texture kind.
template <bool AntiAlias>
void ShadeImageFill(const DrawConstants& d, const GpuFragmentSpan& span, float (*colours)[4],
                    bool* kept) noexcept
{
  if (d.hasImage && span.step[1] == 0.0 && (!AntiAlias || (span.step[2] == 0.0 && span.step[3] == 0.0))) {
    switch (d.u.textureKind) {
    case MVGtextureKind::PremultipliedRGBA:
      return ShadeImageFillRow<AntiAlias, MVGtextureKind::PremultipliedRGBA>(d, span, colours, kept);
    case MVGtextureKind::StraightRGBA:
      return ShadeImageFillRow<AntiAlias, MVGtextureKind::StraightRGBA>(d, span, colours, kept);
    case MVGtextureKind::Alpha:
      return ShadeImageFillRow<AntiAlias, MVGtextureKind::Alpha>(d, span, colours, kept);
    }
  }
  return ShadeFragments<MVGshaderKind::FillImage, AntiAlias>(d, span, colours, kept);
}

template <bool AntiAlias>
void ShadeByKind(const GpuFragmentSpan& span, const GpuFragmentConstants& constants, float (*colours)[4],
                 bool* kept) noexcept
{
  const DrawConstants& d = GpuConstantsOf<DrawConstants>(constants);
  switch (d.u.shaderKind) {
  case MVGshaderKind::FillGradient:
    return ShadeFragments<MVGshaderKind::FillGradient, AntiAlias>(d, span, colours, kept);
  case MVGshaderKind::FillImage:
    return ShadeImageFill<AntiAlias>(d, span, colours, kept);
  case MVGshaderKind::Image:
    return ShadeFragments<MVGshaderKind::Image, AntiAlias>(d, span, colours, kept);
  }
  return ShadeFragments<static_cast<MVGshaderKind>(-1), AntiAlias>(d, span, colours, kept);
}

} // namespace

void mvgVertexShader(const GpuVertexIn& in, const GpuStageResources& res, GpuVertexOut& out)
{
  MVGviewSize view{0.0f, 0.0f};
  GpuReadBuffer(res.buffers[1], view); // a missing view size yields non-finite positions: no draw
  const float x = in.attributes[0][0], y = in.attributes[0][1];
  out.position[0] = 2.0f * x / view.width - 1.0f;
  out.position[1] = 1.0f - 2.0f * y / view.height;
  out.position[2] = 0.0f;
  out.position[3] = 1.0f;
  out.varyings[0] = x;
  out.varyings[1] = y;
  out.varyings[2] = in.attributes[1][0];
  out.varyings[3] = in.attributes[1][1];
}

bool mvgFragmentSetup(const GpuStageResources& res, GpuFragmentConstants& constants,
                      GpuFragmentBounds& bounds)
{
  DrawConstants& d = GpuEmplaceConstants<DrawConstants>(constants);
  if (!GpuReadBuffer(res.buffers[0], d.u)) return false;
  mvgScissorBounds(d.u, bounds);
  const float* m = d.u.scissorMatrix;
  d.constantScissor =
      m[0] == 0.0f && m[1] == 0.0f && m[4] == 0.0f && m[5] == 0.0f && m[8] == 0.0f && m[9] == 0.0f;
  d.scissorInside = ScissorMask(d.u, 0.0f, 0.0f);
  if (res.textures[0] && res.samplers[0]) {
    d.image = GpuBoundTexture(*res.textures[0], res.samplers[0]->Descriptor());
    d.hasImage = true;
  }
  return true;
}

void mvgFragmentShaderAA(const GpuFragmentSpan& span, const GpuFragmentConstants& constants,
                         float (*colours)[4], bool* kept)
{
  ShadeByKind<true>(span, constants, colours, kept);
}

void mvgFragmentShader(const GpuFragmentSpan& span, const GpuFragmentConstants& constants,
                       float (*colours)[4], bool* kept)
{
  ShadeByKind<false>(span, constants, colours, kept);
}

#include "platform/mac/MVGShaders.h"

#include "platform/mac/MVGShaderUniforms.h"
#include "platform/mac/system/GpuBoundTexture.h"

#include <array>
#include <cmath>

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

// The shading language's min and max of two numbers: a NaN operand yields the other one.
float MinNum(float a, float b) noexcept
{
  return (a < b || b != b) ? a : b;
}

float MaxNum(float a, float b) noexcept
{
  return (a > b || b != b) ? a : b;
}

// clamp that maps NaN to the lower bound, as the shading language's does.
float Clamp01(float v) noexcept
{
  return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
}

// Applies a 3x3 column matrix (columns padded to four floats) to (x, y, 1).
void Transform(const float m[12], float x, float y, float& ox, float& oy) noexcept
{
  ox = m[0] * x + m[4] * y + m[8];
  oy = m[1] * x + m[5] * y + m[9];
}

// 1 inside the scissor, fading to 0 over one fringe outside it.
float ScissorMask(const MVGfragUniforms& u, float px, float py) noexcept
{
  float sx, sy;
  Transform(u.scissorMatrix, px, py, sx, sy);
  sx = 0.5f - (std::fabs(sx) - u.scissorExtent[0]) * u.scissorScale[0];
  sy = 0.5f - (std::fabs(sy) - u.scissorExtent[1]) * u.scissorScale[1];
  return Clamp01(sx) * Clamp01(sy);
}

// Coverage across a stroke or fringe from the vertex coordinate: u runs 0..1 across, v is 0
// on the outer edge of a cap fringe.
float StrokeMask(const MVGfragUniforms& u, float tu, float tv) noexcept
{
  return MinNum(1.0f, (1.0f - std::fabs(tu * 2.0f - 1.0f)) * u.strokeMultiplier) * MinNum(1.0f, tv);
}

// Signed distance from pt to a rectangle of half size extent with rounded corners of radius rad.
float RoundRectDistance(float px, float py, const float extent[2], float rad) noexcept
{
  const float dx = std::fabs(px) - (extent[0] - rad);
  const float dy = std::fabs(py) - (extent[1] - rad);
  const float ox = MaxNum(dx, 0.0f), oy = MaxNum(dy, 0.0f);
  return MinNum(MaxNum(dx, dy), 0.0f) + std::sqrt(ox * ox + oy * oy) - rad;
}

// Texel of the call's image as premultiplied colour by the block's texture kind. Inlined with the
// shading below into each kind's fragment loop.
[[gnu::always_inline]] inline void SampleImage(const DrawConstants& d, float s, float t, float c[4]) noexcept
{
  const MVGfragUniforms& u = d.u;
  float texel[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  if (d.hasImage) d.image.Sample(s, t, texel);
  if (u.textureKind == MVGtextureKind::StraightRGBA) {
    for (int i = 0; i < 3; ++i)
      texel[i] *= texel[3];
  } else if (u.textureKind == MVGtextureKind::Alpha) {
    texel[1] = texel[2] = texel[3] = texel[0];
  }
  for (int i = 0; i < 4; ++i)
    c[i] = texel[i] * u.innerColor[i];
}

// Shared body of the two fragment functions for one shader kind; strokeAlpha is 1 without
// anti-aliasing. A kind the backend does not write paints transparent.
template <MVGshaderKind Kind>
[[gnu::always_inline]] inline void Shade(const DrawConstants& d, const float* var, float strokeAlpha,
                                         float out[4]) noexcept
{
  const MVGfragUniforms& u = d.u;
  const float px = var[0], py = var[1];
  // A zero scissor matrix gives the same mask at every finite point; a non-finite one reads 0.
  const float scissor = !d.constantScissor                     ? ScissorMask(u, px, py)
                        : (px - px == 0.0f && py - py == 0.0f) ? d.scissorInside
                                                               : 0.0f;
  float c[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  float coverage = scissor * strokeAlpha;
  if constexpr (Kind == MVGshaderKind::FillGradient) {
    float tx, ty;
    Transform(u.paintMatrix, px, py, tx, ty);
    const float t = Clamp01((RoundRectDistance(tx, ty, u.extent, u.radius) + u.feather * 0.5f) / u.feather);
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
  for (int i = 0; i < 4; ++i)
    out[i] = c[i] * coverage;
}

// Shades every fragment of span; with anti-aliasing, coverage below the stroke threshold discards.
template <MVGshaderKind Kind, bool AntiAlias>
void ShadeFragments(const DrawConstants& d, const GpuFragmentSpan& span, float (*colours)[4],
                    bool* kept) noexcept
{
  for (int i = 0; i < span.count; ++i) {
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

template <bool AntiAlias>
void ShadeByKind(const GpuFragmentSpan& span, const GpuFragmentConstants& constants, float (*colours)[4],
                 bool* kept) noexcept
{
  const DrawConstants& d = GpuConstantsOf<DrawConstants>(constants);
  switch (d.u.shaderKind) {
  case MVGshaderKind::FillGradient:
    return ShadeFragments<MVGshaderKind::FillGradient, AntiAlias>(d, span, colours, kept);
  case MVGshaderKind::FillImage:
    return ShadeFragments<MVGshaderKind::FillImage, AntiAlias>(d, span, colours, kept);
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

bool mvgFragmentSetup(const GpuStageResources& res, GpuFragmentConstants& constants)
{
  DrawConstants& d = GpuEmplaceConstants<DrawConstants>(constants);
  if (!GpuReadBuffer(res.buffers[0], d.u)) return false;
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

#include "platform/mac/MVGShaders.h"
#include "platform/mac/MVGScissorBounds.h"
#include "platform/mac/MVGShaderLibrary.h"
#include "platform/mac/MVGShaderUniforms.h"
#include "platform/mac/system/GpuDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>

namespace {

using namespace plugin::sys;
using Colour = std::array<float, 4>;

TEST(MVGShadersTest, TheLibraryRegistersItsThreeFunctionsByName)
{
  std::string error;
  auto lib = GpuLibrary::FromData(kMVGShaderLibrary, kMVGShaderLibrarySize, MVGShaderFunctions(), &error);
  ASSERT_TRUE(lib) << error;
  EXPECT_EQ(lib->FunctionNames(),
            (std::vector<std::string>{"vertexShader", "fragmentShaderAA", "fragmentShader"}));
  const auto vs = lib->NewFunction("vertexShader");
  ASSERT_TRUE(vs);
  EXPECT_EQ(vs->stage, GpuFunctionStage::Vertex);
  EXPECT_EQ(vs->vertex, &mvgVertexShader);
  EXPECT_EQ(lib->NewFunction("fragmentShaderAA")->fragment, &mvgFragmentShaderAA);
  EXPECT_EQ(lib->NewFunction("fragmentShaderAA")->fragmentSetup, &mvgFragmentSetup);
  EXPECT_EQ(lib->NewFunction("fragmentShader")->fragment, &mvgFragmentShader);
  EXPECT_FALSE(GpuLibrary::FromData(kMVGShaderLibrary, kMVGShaderLibrarySize, {}, nullptr))
      << "the GPU runs no function the library does not bring";
}

TEST(MVGShadersTest, VertexShaderMapsPointsOfTheViewToClipSpace)
{
  const MVGviewSize view{100.0f, 50.0f};
  GpuStageResources res;
  res.buffers[1] = {reinterpret_cast<const unsigned char*>(&view), sizeof view};
  const struct
  {
    float x, y, clipX, clipY;
  } cases[] = {{0, 0, -1, 1}, {100, 50, 1, -1}, {25, 37.5f, -0.5f, -0.5f}};
  for (const auto& c : cases) {
    GpuVertexIn in{{{c.x, c.y, 0, 1}, {0.25f, 0.75f, 0, 1}}};
    GpuVertexOut out{};
    mvgVertexShader(in, res, out);
    EXPECT_EQ(out.position[0], c.clipX) << c.x;
    EXPECT_EQ(out.position[1], c.clipY) << c.y;
    EXPECT_EQ(out.position[3], 1.0f);
    EXPECT_EQ((std::array{out.varyings[0], out.varyings[1], out.varyings[2], out.varyings[3]}),
              (std::array{c.x, c.y, 0.25f, 0.75f}));
  }
  GpuVertexIn in{{{10, 10, 0, 1}}};
  GpuVertexOut out{};
  mvgVertexShader(in, GpuStageResources{}, out);
  EXPECT_FALSE(std::isfinite(out.position[0])) << "no view size: a position that draws nothing";
}

// A block that paints colour c everywhere: no scissor, a box gradient of one colour.
MVGfragUniforms Solid(Colour c)
{
  MVGfragUniforms u{};
  u.paintMatrix[0] = u.paintMatrix[5] = u.paintMatrix[10] = 1.0f;
  for (int i = 0; i < 4; ++i)
    u.innerColor[i] = u.outerColor[i] = c[i];
  u.scissorExtent[0] = u.scissorExtent[1] = 1.0f;
  u.scissorScale[0] = u.scissorScale[1] = 1.0f;
  u.extent[0] = u.extent[1] = 1e6f;
  u.feather = 1.0f;
  u.strokeMultiplier = 1.0f;
  u.strokeThreshold = -1.0f;
  return u;
}

// One fragment at position (x, y) with texture coordinate (s, t); nullopt when discarded.
std::optional<Colour> Fragment(GpuFragmentFunctionImpl fn, const MVGfragUniforms& u, float x, float y,
                               float s = 0.5f, float t = 1.0f, const GpuTexture* texture = nullptr,
                               const GpuSamplerState* sampler = nullptr,
                               std::size_t uniformBytes = sizeof(MVGfragUniforms))
{
  GpuStageResources res;
  res.buffers[0] = {reinterpret_cast<const unsigned char*>(&u), uniformBytes};
  res.textures[0] = texture;
  res.samplers[0] = sampler;
  GpuFragmentConstants constants;
  GpuFragmentBounds bounds = GpuFragmentBounds::Unbounded();
  if (!mvgFragmentSetup(res, constants, bounds)) return std::nullopt;
  GpuFragmentSpan span{};
  span.count = 1;
  const double varyings[4] = {x, y, s, t};
  std::copy(varyings, varyings + 4, span.base);
  float colour[1][4];
  bool kept[1];
  fn(span, constants, colour, kept);
  if (!kept[0]) return std::nullopt;
  return Colour{colour[0][0], colour[0][1], colour[0][2], colour[0][3]};
}

TEST(MVGShadersTest, GradientScissorAndStrokeCoverage)
{
  const Colour grey{0.25f, 0.25f, 0.25f, 0.5f};
  MVGfragUniforms box = Solid({1, 0, 0, 1});
  box.outerColor[0] = 0.0f;
  box.outerColor[2] = 1.0f; // red inside to blue outside
  box.extent[0] = box.extent[1] = 10.0f;
  box.feather = 4.0f;
  MVGfragUniforms scissor = Solid(grey);
  scissor.scissorMatrix[0] = scissor.scissorMatrix[5] = scissor.scissorMatrix[10] = 1.0f;
  scissor.scissorExtent[0] = scissor.scissorExtent[1] = 5.0f;
  MVGfragUniforms widened = Solid(grey); // no scissor matrix, yet extent and scale leave 0.7
  widened.scissorExtent[0] = 0.1f;
  widened.scissorScale[0] = 2.0f;
  MVGfragUniforms stroke = Solid(grey);
  stroke.strokeMultiplier = 2.0f;
  stroke.strokeThreshold = 0.5f;
  const struct
  {
    const char* what;
    GpuFragmentFunctionImpl fn;
    MVGfragUniforms u;
    float x, y, s;
    std::optional<Colour> expect;
  } cases[] = {
      {"solid", &mvgFragmentShader, Solid(grey), 3, 4, 0.5f, grey},
      {"box gradient inside", &mvgFragmentShader, box, 0, 0, 0.5f, Colour{1, 0, 0, 1}},
      {"box gradient on the edge: half way", &mvgFragmentShader, box, 10, 0, 0.5f, Colour{0.5f, 0, 0.5f, 1}},
      {"box gradient past the feather", &mvgFragmentShader, box, 12, 0, 0.5f, Colour{0, 0, 1, 1}},
      {"inside the scissor", &mvgFragmentShader, scissor, 4, -4, 0.5f, grey},
      {"half a fringe out of the scissor", &mvgFragmentShader, scissor, 5, 0, 0.5f,
       Colour{0.125f, 0.125f, 0.125f, 0.25f}},
      {"out of the scissor", &mvgFragmentShader, scissor, 0, 5.5f, 0.5f, Colour{0, 0, 0, 0}},
      {"a zero scissor matrix: one mask everywhere", &mvgFragmentShader, widened, 1000, -5, 0.5f,
       Colour{0.25f * 0.7f, 0.25f * 0.7f, 0.25f * 0.7f, 0.5f * 0.7f}},
      {"a non-finite position has no scissor coverage", &mvgFragmentShader, Solid(grey),
       std::numeric_limits<float>::infinity(), 0, 0.5f, Colour{0, 0, 0, 0}},
      {"nor through a scissor matrix", &mvgFragmentShader, scissor, 0,
       std::numeric_limits<float>::quiet_NaN(), 0.5f, Colour{0, 0, 0, 0}},
      {"stroke centre", &mvgFragmentShaderAA, stroke, 0, 0, 0.5f, grey},
      {"stroke coverage 0.6", &mvgFragmentShaderAA, stroke, 0, 0, 0.15f,
       Colour{0.25f * 0.6f, 0.25f * 0.6f, 0.25f * 0.6f, 0.5f * 0.6f}},
      {"below the stroke threshold", &mvgFragmentShaderAA, stroke, 0, 0, 0.1f, std::nullopt},
      {"no coverage without anti-aliasing", &mvgFragmentShader, stroke, 0, 0, 0.1f, grey},
  };
  for (const auto& c : cases) {
    const auto got = Fragment(c.fn, c.u, c.x, c.y, c.s);
    ASSERT_EQ(got.has_value(), c.expect.has_value()) << c.what;
    if (!got) continue;
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR((*got)[i], (*c.expect)[i], 1e-6f) << c.what << " channel " << i;
  }
  EXPECT_FALSE(Fragment(&mvgFragmentShader, Solid(grey), 0, 0, 0.5f, 1.0f, nullptr, nullptr, 175))
      << "a uniform block cut short is not read";
}

TEST(MVGShadersTest, ImagesArePremultipliedByTheirTextureKind)
{
  auto device = GpuDevice::Create();
  GpuTextureDescriptor rgba;
  rgba.width = rgba.height = 1;
  auto colourTexture = device->NewTexture(rgba);
  const unsigned char texel[4] = {255, 102, 0, 153};
  colourTexture->ReplaceRegion(GpuRegionMake2D(0, 0, 1, 1), 0, texel, 4);
  GpuTextureDescriptor r8 = rgba;
  r8.pixelFormat = GpuPixelFormat::R8Unorm;
  auto alphaTexture = device->NewTexture(r8);
  const unsigned char alpha = 51;
  alphaTexture->ReplaceRegion(GpuRegionMake2D(0, 0, 1, 1), 0, &alpha, 1);
  auto sampler = device->NewSamplerState(GpuSamplerDescriptor{});

  const Colour white{1, 1, 1, 1}, tint{1, 0.5f, 1, 1};
  const struct
  {
    const char* what;
    MVGshaderKind shader;
    MVGtextureKind kind;
    const GpuTexture* texture;
    Colour inner;
    Colour expect;
  } cases[] = {
      {"premultiplied as it is", MVGshaderKind::FillImage, MVGtextureKind::PremultipliedRGBA,
       colourTexture.get(), white, Colour{1, 0.4f, 0, 0.6f}},
      {"straight colour times its alpha", MVGshaderKind::FillImage, MVGtextureKind::StraightRGBA,
       colourTexture.get(), white, Colour{0.6f, 0.24f, 0, 0.6f}},
      {"alpha into every channel, tinted", MVGshaderKind::Image, MVGtextureKind::Alpha, alphaTexture.get(),
       tint, Colour{0.2f, 0.1f, 0.2f, 0.2f}},
      {"no texture: transparent", MVGshaderKind::FillImage, MVGtextureKind::PremultipliedRGBA, nullptr, white,
       Colour{0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    MVGfragUniforms u = Solid(c.inner);
    u.shaderKind = c.shader;
    u.textureKind = c.kind;
    u.extent[0] = u.extent[1] = 1.0f;
    // Coverage would be 0.2 at s = 0.1: image triangles ignore it.
    const auto got = Fragment(&mvgFragmentShaderAA, u, 0.5f, 0.5f,
                              c.shader == MVGshaderKind::Image ? 0.5f : 0.1f, 0.5f, c.texture, sampler.get());
    ASSERT_TRUE(got) << c.what;
    const float coverage = c.shader == MVGshaderKind::Image ? 1.0f : 0.2f * 0.5f;
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR((*got)[i], c.expect[i] * coverage, 1e-6f) << c.what << " channel " << i;
  }
}

TEST(MVGShadersTest, ASpanShadesEachFragmentAsAloneAndDiscardsSome)
{
  // A stroke across a span of eleven fragments (groups of four and a rest): u runs from 0 to 1,
  // x and y move through a box gradient and out of a scissor.
  MVGfragUniforms stroke = Solid({0.5f, 0.25f, 0.75f, 1.0f});
  stroke.outerColor[0] = 0.0f;
  stroke.outerColor[3] = 0.5f;
  stroke.extent[0] = stroke.extent[1] = 3.0f;
  stroke.radius = 1.0f;
  stroke.feather = 2.0f;
  stroke.strokeMultiplier = 1.5f;
  stroke.strokeThreshold = 0.5f;
  MVGfragUniforms scissored = stroke;
  scissored.scissorMatrix[0] = scissored.scissorMatrix[5] = scissored.scissorMatrix[10] = 1.0f;
  scissored.scissorExtent[0] = scissored.scissorExtent[1] = 6.0f;
  for (const MVGfragUniforms& u : {stroke, scissored}) {
    GpuStageResources res;
    res.buffers[0] = {reinterpret_cast<const unsigned char*>(&u), sizeof u};
    GpuFragmentConstants constants;
    GpuFragmentBounds bounds = GpuFragmentBounds::Unbounded();
    ASSERT_TRUE(mvgFragmentSetup(res, constants, bounds));
    GpuFragmentSpan span{};
    span.count = 11;
    span.first = 3;
    const double base[4] = {2.0, 1.0, -0.1875, 1.0}, step[4] = {0.5, 0.25, 0.0625, 0.0};
    std::copy(base, base + 4, span.base);
    std::copy(step, step + 4, span.step);
    for (bool antiAlias : {true, false}) {
      float colours[11][4];
      bool kept[11];
      (antiAlias ? mvgFragmentShaderAA : mvgFragmentShader)(span, constants, colours, kept);
      int discarded = 0;
      for (int i = 0; i < 11; ++i) {
        float var[4];
        GpuSpanVaryings(span, i, var);
        EXPECT_EQ(var[2], static_cast<float>(-0.1875 + (3 + i) * 0.0625)) << i;
        const auto alone = Fragment(antiAlias ? &mvgFragmentShaderAA : &mvgFragmentShader, u, var[0], var[1],
                                    var[2], var[3]);
        ASSERT_EQ(kept[i], alone.has_value()) << i;
        discarded += !kept[i];
        if (!alone) continue;
        for (int c = 0; c < 4; ++c)
          EXPECT_EQ(colours[i][c], (*alone)[c]) << i << " channel " << c;
      }
      EXPECT_EQ(discarded, antiAlias ? 3 : 0) << "u up to 0.125 falls below the threshold";
    }
  }
}

// Image fill rows (y and stroke coordinates constant, four texels at a time) shade bit for bit as the general
// path, for all texture kinds, formats, filters, address modes, scissors, paints and stroke coverages.
TEST(MVGShadersTest, ImageFillRowsShadeAsTheGeneralPathDoes)
{
  auto device = GpuDevice::Create();
  std::mt19937 rng(4242);
  for (auto [kind, format] : {std::pair{MVGtextureKind::PremultipliedRGBA, GpuPixelFormat::RGBA8Unorm},
                              {MVGtextureKind::StraightRGBA, GpuPixelFormat::BGRA8Unorm},
                              {MVGtextureKind::Alpha, GpuPixelFormat::R8Unorm}}) {
    auto texture = device->NewTexture({.pixelFormat = format, .width = 11, .height = 9});
    for (std::size_t i = 0; i < std::size_t{11} * 9 * (kind == MVGtextureKind::Alpha ? 1 : 4); ++i)
      texture->LevelBytes(0)[i] = static_cast<unsigned char>(rng());
    for (int setting = 0; setting < 32; ++setting) { // bits: filter, address, scissor (2), paint
      const auto filter = setting & 1 ? GpuSamplerMinMagFilter::Linear : GpuSamplerMinMagFilter::Nearest;
      const auto address = setting & 2 ? GpuSamplerAddressMode::Repeat : GpuSamplerAddressMode::ClampToEdge;
      auto sampler = device->NewSamplerState({filter, filter, {}, address, address});
      MVGfragUniforms u = Solid({0.9f, 0.7f, 0.5f, 0.8f});
      u.shaderKind = MVGshaderKind::FillImage;
      u.textureKind = kind;
      u.extent[0] = 11.0f;
      u.extent[1] = 9.0f;
      const float paint[12] = {0.3f, setting & 16 ? 0.12f : 0.0f, 0, 0, 0, 0.45f, 0, 0, -2.5f, 1.25f, 1, 0};
      std::copy(paint, paint + 12, u.paintMatrix);
      if (const int scissor = setting / 4 % 4) { // at (12, 6), half size (9, 5); 2 turned, 3 inside out
        const float c = scissor == 2 ? 0.9553365f : 1.0f, s = scissor == 2 ? 0.2955202f : 0.0f;
        const float m[12] = {c, -s, 0, 0, s, c, 0, 0, -(c * 12 + s * 6), -(-s * 12 + c * 6), 1, 0};
        std::copy(m, m + 12, u.scissorMatrix);
        u.scissorExtent[0] = 9.0f;
        u.scissorExtent[1] = 5.0f;
        u.scissorScale[0] = 1.5f;
        u.scissorScale[1] = scissor == 3 ? -2.0f : 2.0f;
      }
      u.strokeMultiplier = 1.5f;
      u.strokeThreshold = 0.5f;
      const GpuStageResources res{.buffers = {{reinterpret_cast<const unsigned char*>(&u), sizeof u}},
                                  .textures = {texture.get()},
                                  .samplers = {sampler.get()}};
      GpuFragmentConstants constants;
      GpuFragmentBounds bounds = GpuFragmentBounds::Unbounded();
      ASSERT_TRUE(mvgFragmentSetup(res, constants, bounds));
      for (int row = 0; row < 6; ++row) { // odd rows covered, even ones discarded, the last off to infinity
        GpuFragmentSpan span{};
        span.count = row == 0 ? 64 : 3 + static_cast<int>(rng() % 60);
        span.first = rng() % 100;
        const double base[4] = {row == 5 ? -3e38 : rng() % 600 / 10.0 - 20.0, rng() % 200 / 10.0 - 4.0,
                                row % 2 ? 0.5 : 0.15, 1.0};
        std::copy(base, base + 4, span.base);
        span.step[0] = row == 5 ? 1e38 : std::array{1.0, 0.5, -0.75, 2.3}[row % 4];
        GpuFragmentSpan general = span;
        general.step[1] = 1e-300; // the same varyings in float, yet off the row path
        for (auto fn : {&mvgFragmentShaderAA, &mvgFragmentShader}) {
          float colours[2][kGpuMaxSpanFragments][4];
          bool kept[2][kGpuMaxSpanFragments];
          fn(span, constants, colours[0], kept[0]);
          fn(general, constants, colours[1], kept[1]);
          for (int i = 0; i < span.count; ++i)
            ASSERT_TRUE(kept[0][i] == kept[1][i] &&
                        (!kept[0][i] || !std::memcmp(colours[0][i], colours[1][i], 16)))
                << "fragment " << i << ", setting " << setting << ", row " << row;
        }
      }
    }
  }
}

// Every point outside the box a scissor gives shades to exactly zero, so that the GPU may drop it:
// scissors turned, stretched up to 16 to 1, moved far, thin and empty, fading over 1/3 to 1 pixel,
// probed just past each side of the box and further out; no box where none is sound (the last four).
TEST(MVGShadersTest, EveryPointOutsideTheScissorsBoxShadesToZero)
{
  using U = MVGfragUniforms&;
  constexpr float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const std::pair<const char*, void (*)(U)> unbounded[] = {
      {"needle-thin", [](U u) { u.scissorMatrix[0] *= 1e6f; }}, // of an upright scissor
      {"no scissor", [](U u) { std::fill_n(u.scissorMatrix, 12, 0.0f); }},
      {"singular", [](U u) { std::copy_n(u.scissorMatrix, 2, u.scissorMatrix + 4); }},
      {"NaN in the matrix", [](U u) { u.scissorMatrix[4] = nan; }},
  };
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int n = 0; n < 400 + 4; ++n) {
    const float angle = n % 4 == 0 ? 0.0f : (n % 4 == 1 ? 1.5707964f : unit(rng) * 6.2831853f);
    const float sx = 0.25f + 3.75f * unit(rng), sy = 0.25f + 3.75f * unit(rng);
    const float c = std::cos(angle), s = std::sin(angle);
    MVGfragUniforms u = Solid({0.8f, 0.6f, 0.4f, 1.0f});
    // The inverse of a transform turned by angle, stretched by (sx, sy) and moved far.
    const float m[12] = {c / sx, -s / sy, 0, 0, s / sx, c / sy, 0, 0, 900 * unit(rng), 900 * unit(rng), 1, 0};
    std::copy(m, m + 12, u.scissorMatrix);
    u.scissorExtent[0] = n % 7 == 0 ? 0.0f : 300.0f * unit(rng) * unit(rng);
    u.scissorExtent[1] = n % 11 == 0 ? 0.001f : 300.0f * unit(rng) * unit(rng);
    u.scissorScale[0] = sx * (1 + n % 3);
    u.scissorScale[1] = sy * (1 + n % 3);
    if (n >= 400) unbounded[n - 400].second(u);
    GpuFragmentBounds b = GpuFragmentBounds::Unbounded();
    mvgScissorBounds(u, b);
    ASSERT_TRUE(n < 400 ? b.Bounds(0) && b.Bounds(1) : !b.Bounds(0) && !b.Bounds(1))
        << (n < 400 ? "scissor" : unbounded[n - 400].first) << " " << n;
    for (int probe = 0; n < 400 && probe < 40; ++probe) { // side, distance, fragment function
      const int axis = probe % 2, sign = probe % 4 < 2 ? -1 : 1;
      const double edge =
          (sign > 0 ? b.hi : b.lo)[axis] + sign * std::array{0.0, 1e-3, 0.25, 3.0, 1e4}[probe / 4 % 5];
      float out = static_cast<float>(edge); // the nearest float strictly beyond the edge
      while (sign > 0 ? out <= edge : out >= edge)
        out = std::nextafter(out, sign * inf);
      const float other = b.lo[1 - axis] + (b.hi[1 - axis] - b.lo[1 - axis]) * (2 * unit(rng) - 0.5);
      const auto fn = probe < 20 ? &mvgFragmentShader : &mvgFragmentShaderAA;
      ASSERT_EQ(Fragment(fn, u, axis ? other : out, axis ? out : other), Colour{}) << n << ", " << probe;
    }
  }
}

} // namespace

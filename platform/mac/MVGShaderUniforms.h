#pragma once

#include <cstddef>
#include <cstdint>

// What the backend's shader functions read: the fragment uniform block and the view size, laid
// out with the shading language's alignment (a 3x3 matrix is three columns of four floats, the
// last of each unused).

// How a fragment function colours a call.
enum class MVGshaderKind : std::int32_t {
  FillGradient = 0, // box gradient over the paint matrix: inner to outer colour
  FillImage = 1,    // the paint's image through the paint matrix
  Image = 2,        // the image at the vertices' texture coordinates, no stroke coverage
};

// What an image's texels hold.
enum class MVGtextureKind : std::int32_t {
  PremultipliedRGBA = 0,
  StraightRGBA = 1,
  Alpha = 2, // one channel, read as alpha and repeated into colour
};

struct MVGfragUniforms
{
  float scissorMatrix[12]; // inverse scissor transform
  float paintMatrix[12];   // inverse paint transform
  float innerColor[4];     // premultiplied
  float outerColor[4];     // premultiplied
  float scissorExtent[2];
  float scissorScale[2];
  float extent[2];
  float radius;
  float feather;
  float strokeMultiplier; // (stroke width + fringe) / 2 / fringe
  float strokeThreshold;  // fragments of less stroke coverage are discarded
  MVGtextureKind textureKind;
  MVGshaderKind shaderKind;
};

static_assert(sizeof(MVGfragUniforms) == 176);
static_assert(offsetof(MVGfragUniforms, paintMatrix) == 48);
static_assert(offsetof(MVGfragUniforms, innerColor) == 96);
static_assert(offsetof(MVGfragUniforms, outerColor) == 112);
static_assert(offsetof(MVGfragUniforms, scissorExtent) == 128);
static_assert(offsetof(MVGfragUniforms, scissorScale) == 136);
static_assert(offsetof(MVGfragUniforms, extent) == 144);
static_assert(offsetof(MVGfragUniforms, radius) == 152);
static_assert(offsetof(MVGfragUniforms, strokeMultiplier) == 160);
static_assert(offsetof(MVGfragUniforms, textureKind) == 168);
static_assert(offsetof(MVGfragUniforms, shaderKind) == 172);

// The vertex stage's constant: the logical view size that maps points to clip space.
struct MVGviewSize
{
  float width, height;
};

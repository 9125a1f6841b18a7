#pragma once

#include "graphics/renderer/VGTypes.h"
#include "platform/mac/MVGShaderUniforms.h"
#include "platform/mac/system/GpuTypes.h"

struct VGcontext;

// Blend factors of a call, in the order source RGB, destination RGB, source alpha, destination alpha.
struct MVGblend
{
  plugin::sys::GpuBlendFactor srcRGB;
  plugin::sys::GpuBlendFactor dstRGB;
  plugin::sys::GpuBlendFactor srcAlpha;
  plugin::sys::GpuBlendFactor dstAlpha;

  bool operator==(const MVGblend&) const = default;
};

// Kinds of a queued draw.
enum MVGcallKind {
  MVG_FILL = 1,
  MVG_CONVEXFILL = 2,
  MVG_STROKE = 3,
  MVG_TRIANGLES = 4,
};

// One queued draw: where its vertices, indices and uniform block lie in the frame's buffers.
struct MVGcall
{
  int kind;
  int image;
  int reserved0; // declared, never written
  int reserved1;
  int triangleOffset; // cover quad (fills) or triangle list (triangles)
  int triangleCount;
  int indexOffset; // fan triangulation of fills
  int indexCount;
  int stripOffset; // joined fringe or stroke strip
  int stripCount;
  int uniformOffset; // byte offset of the uniform block
  MVGblend blend;
};

// An off-screen render target: the owning context and the image id of its colour texture.
struct MVGframebuffer
{
  VGcontext* ctx;
  int image;
};

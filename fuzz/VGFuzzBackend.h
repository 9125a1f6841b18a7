#pragma once

// A render backend for the vector core's fuzz targets: it keeps nothing and aborts as soon as
// the core hands it a non-finite number, a vertex array it cannot read to its count, a text
// vertex sampling outside the atlas, or a texture region outside its image. Texture ids carry
// their size (width << 12 | height).
#include <cmath>
#include <cstdlib>

#include "graphics/renderer/VGTypes.h"

inline void VGFuzzCheck(bool ok)
{
  if (!ok) std::abort();
}

inline void VGFuzzFinite(const float* v, int n)
{
  for (int i = 0; i < n; ++i)
    VGFuzzCheck(std::isfinite(v[i]));
}

inline void VGFuzzDraw(const VGpaint* paint, const VGscissor* scissor, float fringe, const VGpath* paths,
                       int npaths)
{
  VGFuzzFinite(paint->xform, 18); // matrix, extent, radius, feather and both colours
  VGFuzzFinite(scissor->xform, 8);
  VGFuzzCheck(std::isfinite(fringe) && fringe > 0);
  for (const VGpath* p = paths; p < paths + npaths; ++p) {
    VGFuzzFinite(p->fill ? &p->fill[0].x : nullptr, 4 * p->nfill);
    VGFuzzFinite(p->stroke ? &p->stroke[0].x : nullptr, 4 * p->nstroke);
  }
}

inline VGparams VGFuzzBackend()
{
  VGparams p{};
  p.edgeAntiAlias = 1;
  p.renderCreate = [](void*) { return 1; };
  p.renderCreateTexture = [](void*, int, int w, int h, int, const unsigned char*) {
    return w > 0 && h > 0 && w < 4096 && h < 4096 ? (w << 12) | h : 0;
  };
  p.renderDeleteTexture = [](void*, int) { return 1; };
  p.renderUpdateTexture = [](void*, int image, int x, int y, int w, int h, const unsigned char*) {
    VGFuzzCheck(x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= image >> 12 && y + h <= (image & 0xfff));
    return 1;
  };
  p.renderGetTextureSize = [](void*, int image, int* w, int* h) {
    return *w = image >> 12, *h = image & 0xfff, 1;
  };
  p.renderViewport = [](void*, float w, float h, float ratio) {
    const float v[] = {w, h, ratio};
    VGFuzzFinite(v, 3);
    VGFuzzCheck(w >= 0 && h >= 0 && ratio > 0);
  };
  p.renderCancel = [](void*) {};
  p.renderFlush = [](void*) {};
  p.renderFill = [](void*, VGpaint* paint, VGcompositeOperationState, VGscissor* scissor, float fringe,
                    const float* bounds, const VGpath* paths, int npaths) {
    VGFuzzDraw(paint, scissor, fringe, paths, npaths);
    VGFuzzFinite(bounds, 4);
  };
  p.renderStroke = [](void*, VGpaint* paint, VGcompositeOperationState, VGscissor* scissor, float fringe,
                      float width, const VGpath* paths, int npaths) {
    VGFuzzDraw(paint, scissor, fringe, paths, npaths);
    VGFuzzCheck(width > 0 && width <= 200);
  };
  p.renderTriangles = [](void*, VGpaint* paint, VGcompositeOperationState, VGscissor* scissor,
                         const VGvertex* v, int n, float fringe) {
    VGFuzzDraw(paint, scissor, fringe, nullptr, 0);
    VGFuzzFinite(v ? &v[0].x : nullptr, 4 * n);
    for (int i = 0; i < n; ++i)
      VGFuzzCheck(v[i].u >= 0 && v[i].u <= 1 && v[i].v >= 0 && v[i].v <= 1);
  };
  return p;
}

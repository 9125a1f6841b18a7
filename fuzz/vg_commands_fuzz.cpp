// Drives random sequences of path, state, paint and frame calls into the vector core. Whatever
// the numbers (NaN, infinities, huge or negative sizes), every vertex, bound, width, paint and
// scissor handed to the backend is finite, and every path array is readable to its count.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "graphics/renderer/VG.h"

namespace {

struct Input
{
  const uint8_t* data;
  size_t size;
  size_t pos = 0;

  bool More() const { return pos < size; }
  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  // Mostly plain numbers, sometimes raw bits or the values that break arithmetic.
  float Number()
  {
    static const float special[] = {0.0f,
                                    -0.0f,
                                    std::numeric_limits<float>::quiet_NaN(),
                                    std::numeric_limits<float>::infinity(),
                                    -std::numeric_limits<float>::infinity(),
                                    1e30f,
                                    -1e30f,
                                    1e-30f,
                                    3.4e38f,
                                    1e18f,
                                    0.5f,
                                    6.2831853f};
    const uint8_t sel = Byte();
    if (sel < 160) return (float)((int)Byte() - 128) + (float)Byte() / 256.0f;
    if (sel < 224) return special[Byte() % (sizeof(special) / sizeof(special[0]))];
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
      bits = bits << 8 | Byte();
    float f;
    std::memcpy(&f, &bits, sizeof(f));
    return f;
  }
  int Int() { return (int)Byte() - 8; }
};

void Check(bool ok)
{
  if (!ok) std::abort();
}

void CheckFloats(const float* v, int n)
{
  for (int i = 0; i < n; ++i)
    Check(std::isfinite(v[i]));
}

void CheckVerts(const VGvertex* v, int n)
{
  Check(n >= 0);
  if (n > 0) Check(v != nullptr);
  for (int i = 0; i < n; ++i)
    CheckFloats(&v[i].x, 4);
}

void CheckDraw(const VGpaint* paint, const VGscissor* scissor, float fringe)
{
  CheckFloats(paint->xform, 6);
  CheckFloats(paint->extent, 2);
  CheckFloats(&paint->radius, 2);
  CheckFloats(&paint->innerColor.r, 4);
  CheckFloats(&paint->outerColor.r, 4);
  CheckFloats(scissor->xform, 6);
  CheckFloats(scissor->extent, 2);
  Check(std::isfinite(fringe) && fringe > 0.0f);
}

void CheckPaths(const VGpath* paths, int npaths)
{
  Check(npaths > 0);
  for (int i = 0; i < npaths; ++i) {
    CheckVerts(paths[i].fill, paths[i].nfill);
    CheckVerts(paths[i].stroke, paths[i].nstroke);
  }
}

int gNextImage = 1;

VGparams CheckingBackend()
{
  VGparams p{};
  p.edgeAntiAlias = 1;
  p.renderCreate = [](void*) { return 1; };
  p.renderCreateTexture = [](void*, int type, int w, int h, int, const unsigned char*) {
    Check((type == VG_TEXTURE_ALPHA || type == VG_TEXTURE_RGBA) && w > 0 && h > 0);
    return gNextImage++;
  };
  p.renderDeleteTexture = [](void*, int image) { return image > 0 ? 1 : 0; };
  p.renderUpdateTexture = [](void*, int, int, int, int, int, const unsigned char*) { return 1; };
  p.renderGetTextureSize = [](void*, int, int* w, int* h) {
    *w = 512;
    *h = 512;
    return 1;
  };
  p.renderViewport = [](void*, float w, float h, float ratio) {
    Check(std::isfinite(w) && std::isfinite(h) && w >= 0 && h >= 0 && std::isfinite(ratio) && ratio > 0);
  };
  p.renderCancel = [](void*) {};
  p.renderFlush = [](void*) {};
  p.renderFill = [](void*, VGpaint* paint, VGcompositeOperationState, VGscissor* scissor, float fringe,
                    const float* bounds, const VGpath* paths, int npaths) {
    CheckDraw(paint, scissor, fringe);
    CheckFloats(bounds, 4);
    CheckPaths(paths, npaths);
  };
  p.renderStroke = [](void*, VGpaint* paint, VGcompositeOperationState, VGscissor* scissor, float fringe,
                      float strokeWidth, const VGpath* paths, int npaths) {
    CheckDraw(paint, scissor, fringe);
    Check(std::isfinite(strokeWidth) && strokeWidth > 0.0f);
    CheckPaths(paths, npaths);
  };
  p.renderTriangles = [](void*, VGpaint* paint, VGcompositeOperationState, VGscissor* scissor,
                         const VGvertex* verts, int nverts, float fringe) {
    CheckDraw(paint, scissor, fringe);
    CheckVerts(verts, nverts);
  };
  return p;
}

VGcolor Color(Input& in)
{
  return vgRGBAf(in.Number(), in.Number(), in.Number(), in.Number());
}

void Step(VGcontext* ctx, Input& in)
{
  switch (in.Byte() % 44) {
  case 0:
    vgBeginPath(ctx);
    break;
  case 1:
    vgMoveTo(ctx, in.Number(), in.Number());
    break;
  case 2:
    vgLineTo(ctx, in.Number(), in.Number());
    break;
  case 3:
    vgBezierTo(ctx, in.Number(), in.Number(), in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 4:
    vgQuadTo(ctx, in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 5:
    vgArc(ctx, in.Number(), in.Number(), in.Number(), in.Number(), in.Number(), in.Int());
    break;
  case 6:
    vgArcTo(ctx, in.Number(), in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 7:
    vgClosePath(ctx);
    break;
  case 8:
    vgPathWinding(ctx, in.Int());
    break;
  case 9:
    vgRect(ctx, in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 10:
    vgRoundedRect(ctx, in.Number(), in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 11:
    vgRoundedRectVarying(ctx, in.Number(), in.Number(), in.Number(), in.Number(), in.Number(), in.Number(),
                         in.Number(), in.Number());
    break;
  case 12:
    vgEllipse(ctx, in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 13:
    vgCircle(ctx, in.Number(), in.Number(), in.Number());
    break;
  case 14:
  case 15:
    vgFill(ctx);
    break;
  case 16:
  case 17:
    vgStroke(ctx);
    break;
  case 18:
    vgSave(ctx);
    break;
  case 19:
    vgRestore(ctx);
    break;
  case 20:
    vgReset(ctx);
    break;
  case 21:
    vgStrokeWidth(ctx, in.Number());
    break;
  case 22:
    vgMiterLimit(ctx, in.Number());
    break;
  case 23:
    vgLineCap(ctx, in.Int());
    break;
  case 24:
    vgLineJoin(ctx, in.Int());
    break;
  case 25:
    vgGlobalAlpha(ctx, in.Number());
    break;
  case 26:
    vgTranslate(ctx, in.Number(), in.Number());
    break;
  case 27:
    vgRotate(ctx, in.Number());
    break;
  case 28:
    vgScale(ctx, in.Number(), in.Number());
    break;
  case 29:
    vgSkewX(ctx, in.Number());
    break;
  case 30:
    vgTransform(ctx, in.Number(), in.Number(), in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 31:
    vgScissor(ctx, in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 32:
    vgIntersectScissor(ctx, in.Number(), in.Number(), in.Number(), in.Number());
    break;
  case 33:
    vgResetScissor(ctx);
    break;
  case 34:
    vgCompositeOperation(ctx, in.Int());
    break;
  case 35:
    vgFillPaint(ctx,
                vgLinearGradient(in.Number(), in.Number(), in.Number(), in.Number(), Color(in), Color(in)));
    break;
  case 36:
    vgStrokePaint(ctx,
                  vgRadialGradient(in.Number(), in.Number(), in.Number(), in.Number(), Color(in), Color(in)));
    break;
  case 37:
    vgFillPaint(ctx, vgBoxGradient(in.Number(), in.Number(), in.Number(), in.Number(), in.Number(),
                                   in.Number(), Color(in), Color(in)));
    break;
  case 38:
    vgFillPaint(ctx, vgImagePattern(in.Number(), in.Number(), in.Number(), in.Number(), in.Number(), in.Int(),
                                    in.Number()));
    break;
  case 39:
    vgStrokeColor(ctx, Color(in));
    break;
  case 40:
    vgShapeAntiAlias(ctx, in.Byte() & 1);
    break;
  case 41:
    vgEndFrame(ctx);
    vgBeginFrame(ctx, in.Number(), in.Number(), in.Number());
    break;
  case 42:
    vgCancelFrame(ctx);
    vgBeginFrame(ctx, in.Number(), in.Number(), in.Number());
    break;
  case 43:
    vgDeleteImage(ctx, vgCreateImageRGBA(ctx, in.Int(), in.Int(), 0, nullptr));
    break;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const VGparams params = CheckingBackend();
  VGcontext* ctx = vgCreateContext(&params);
  if (ctx == nullptr) std::abort();
  Input in{data, size};
  vgBeginFrame(ctx, 800, 600, 1 + (in.Byte() & 3));
  for (int steps = 0; steps < 256 && in.More(); ++steps)
    Step(ctx, in);
  vgEndFrame(ctx);
  vgDeleteContext(ctx);
  return 0;
}

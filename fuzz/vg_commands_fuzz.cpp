// Drives random sequences of path, state, paint and frame calls into the vector core. Whatever
// the numbers (NaN, infinities, huge or negative sizes), every vertex, bound, width, paint and
// scissor handed to the backend is finite, and every path array is readable to its count.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

#include "VGFuzzBackend.h"
#include "graphics/renderer/VG.h"

namespace {

struct Input
{
  const uint8_t* data;
  size_t size;
  size_t pos = 0;

  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  int Int() { return (int)Byte() - 8; }
  // Mostly plain numbers, sometimes the values that break arithmetic, sometimes raw bits.
  float F()
  {
    static const float special[] = {-0.0f,    std::numeric_limits<float>::quiet_NaN(),
                                    INFINITY, -INFINITY,
                                    1e30f,    -1e30f,
                                    1e-30f,   3.4e38f,
                                    1e18f,    6.2831853f};
    const uint8_t sel = Byte();
    if (sel < 160) return (float)((int)Byte() - 128) + (float)Byte() / 256.0f;
    if (sel < 224) return special[Byte() % 10];
    uint32_t bits = (uint32_t)Byte() << 24 | (uint32_t)Byte() << 16 | (uint32_t)Byte() << 8 | Byte();
    float f;
    std::memcpy(&f, &bits, sizeof(f));
    return f;
  }
  VGcolor Color() { return vgRGBAf(F(), F(), F(), F()); }
};

using Op = void (*)(VGcontext*, Input&);

// clang-format off
const Op kOps[] = {
    [](VGcontext* c, Input&) { vgBeginPath(c); },
    [](VGcontext* c, Input& in) { vgMoveTo(c, in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgLineTo(c, in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgBezierTo(c, in.F(), in.F(), in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgQuadTo(c, in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgArc(c, in.F(), in.F(), in.F(), in.F(), in.F(), in.Int()); },
    [](VGcontext* c, Input& in) { vgArcTo(c, in.F(), in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input&) { vgClosePath(c); },
    [](VGcontext* c, Input& in) { vgPathWinding(c, in.Int()); },
    [](VGcontext* c, Input& in) { vgRect(c, in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgRoundedRect(c, in.F(), in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) {
      vgRoundedRectVarying(c, in.F(), in.F(), in.F(), in.F(), in.F(), in.F(), in.F(), in.F());
    },
    [](VGcontext* c, Input& in) { vgEllipse(c, in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgCircle(c, in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input&) { vgFill(c); },
    [](VGcontext* c, Input&) { vgStroke(c); },
    [](VGcontext* c, Input&) { vgSave(c); },
    [](VGcontext* c, Input&) { vgRestore(c); },
    [](VGcontext* c, Input&) { vgReset(c); },
    [](VGcontext* c, Input& in) { vgStrokeWidth(c, in.F()); },
    [](VGcontext* c, Input& in) { vgMiterLimit(c, in.F()); },
    [](VGcontext* c, Input& in) { vgLineCap(c, in.Int()); },
    [](VGcontext* c, Input& in) { vgLineJoin(c, in.Int()); },
    [](VGcontext* c, Input& in) { vgGlobalAlpha(c, in.F()); },
    [](VGcontext* c, Input& in) { vgTranslate(c, in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgRotate(c, in.F()); },
    [](VGcontext* c, Input& in) { vgScale(c, in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgTransform(c, in.F(), in.F(), in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgScissor(c, in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgIntersectScissor(c, in.F(), in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgCompositeOperation(c, in.Int()); },
    [](VGcontext* c, Input& in) {
      vgFillPaint(c, vgLinearGradient(in.F(), in.F(), in.F(), in.F(), in.Color(), in.Color()));
    },
    [](VGcontext* c, Input& in) {
      vgStrokePaint(c, vgRadialGradient(in.F(), in.F(), in.F(), in.F(), in.Color(), in.Color()));
    },
    [](VGcontext* c, Input& in) {
      vgFillPaint(c, vgBoxGradient(in.F(), in.F(), in.F(), in.F(), in.F(), in.F(), in.Color(), in.Color()));
    },
    [](VGcontext* c, Input& in) {
      vgFillPaint(c, vgImagePattern(in.F(), in.F(), in.F(), in.F(), in.F(), in.Int(), in.F()));
    },
    [](VGcontext* c, Input& in) { vgStrokeColor(c, in.Color()); },
    [](VGcontext* c, Input& in) { vgShapeAntiAlias(c, in.Byte() & 1); },
    [](VGcontext* c, Input& in) { vgEndFrame(c); vgBeginFrame(c, in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgCancelFrame(c); vgBeginFrame(c, in.F(), in.F(), in.F()); },
    [](VGcontext* c, Input& in) { vgDeleteImage(c, vgCreateImageRGBA(c, in.Int(), in.Int(), 0, nullptr)); },
    [](VGcontext* c, Input&) { vgFill(c); },
    [](VGcontext* c, Input&) { vgStroke(c); },
};
// clang-format on

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const VGparams params = VGFuzzBackend();
  VGcontext* ctx = vgCreateContext(&params);
  VGFuzzCheck(ctx != nullptr);
  Input in{data, size};
  vgBeginFrame(ctx, 800, 600, 1 + (in.Byte() & 3));
  for (int steps = 0; steps < 256 && in.pos < size; ++steps)
    kOps[in.Byte() % std::size(kOps)](ctx, in);
  vgEndFrame(ctx);
  vgDeleteContext(ctx);
  return 0;
}

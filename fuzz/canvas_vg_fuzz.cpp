// Drives the drawing backend with a script of drawing operations read from the input: shapes,
// arcs, dotted lines, patterns of any type and stop count, blends of any method and weight, text
// of arbitrary bytes (one line, wrapped, rotated), bitmaps, layers with shadows, transforms and
// clips, all with arbitrary numbers (NaN and infinities included). Nothing may crash or leak, and
// every number the vector core hands its backend is finite.
#include "VGFuzzBackend.h"
#include "graphics/renderer/ICanvasVG.h"
#include "graphics/renderer/VG.h"
#include "platform/mac/MVGTypes.h"
#include "tests/support/ui/TestCanvasVG.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

namespace {

using namespace plugin::ui;

struct Input
{
  const uint8_t* data;
  size_t size;
  size_t pos = 0;

  bool More() const { return pos < size; }
  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  // Mostly small coordinates, sometimes a number no drawing should meet.
  float F()
  {
    const uint8_t kind = Byte();
    switch (kind) {
    case 250:
      return std::numeric_limits<float>::quiet_NaN();
    case 251:
      return std::numeric_limits<float>::infinity();
    case 252:
      return -1e30f;
    case 253:
      return 1e30f;
    default:
      return static_cast<float>(static_cast<int>(kind) - 40) * (1.f + static_cast<float>(Byte() % 4) / 4.f);
    }
  }
  // A width or size the fuzz backend accepts (strokes up to 200 frame units).
  float Small() { return static_cast<float>(Byte() % 40) / 4.f; }
  IRECT Rect() { return IRECT(F(), F(), F(), F()); }
  IColor Color() { return IColor(Byte(), Byte(), Byte(), Byte()); }
  std::string Text()
  {
    std::string s(Byte() % 24, '\0');
    for (char& c : s)
      c = static_cast<char>(Byte());
    return s;
  }
  IPattern Pattern()
  {
    IPattern p(static_cast<EPatternType>(Byte() % 4));
    const int stops = Byte() % 5;
    for (int i = 0; i < stops; ++i)
      p.AddStop(Color(), static_cast<float>(Byte()) / 255.f);
    p.mTransform = IMatrix(F() / 40, F() / 40, F() / 40, F() / 40, F(), F());
    return p;
  }
  IBlend Blend() { return IBlend(static_cast<EBlend>(Byte() % 12), static_cast<float>(Byte()) / 200.f); }
};

// The drawing backend's slots over the fuzz backend: framebuffers are its textures; read-back
// gives transparent pixels.
MVGframebuffer* gBound = nullptr;

ICanvasVGBackend FuzzCanvasBackend()
{
  ICanvasVGBackend b;
  b.createContext = [](void*, int) {
    const VGparams params = VGFuzzBackend();
    return vgCreateContext(&params);
  };
  b.createFramebuffer = [](VGcontext* ctx, int w, int h, int flags) {
    auto* fb = new MVGframebuffer{ctx, 0};
    fb->image = ctx->params.renderCreateTexture(ctx->params.userPtr, VG_TEXTURE_RGBA, w, h, flags, nullptr);
    return fb;
  };
  b.deleteFramebuffer = [](MVGframebuffer* fb) {
    if (gBound == fb) gBound = nullptr;
    delete fb;
  };
  b.bindFramebuffer = [](MVGframebuffer* fb) { gBound = fb; };
  b.framebufferImage = [](const MVGframebuffer* fb) { return fb ? fb->image : 0; };
  b.clearWithColor = [](VGcontext*, VGcolor) {};
  b.readPixels = [](VGcontext*, int image, int x, int y, int w, int h, void* data) {
    VGFuzzCheck(x == 0 && y == 0 && w == image >> 12 && h == (image & 0xfff));
    std::memset(data, 0, static_cast<size_t>(w) * h * 4);
    return 1;
  };
  return b;
}

class FuzzDelegate : public ICanvasEditorDelegate<>
{
public:
  FuzzDelegate() : ICanvasEditorDelegate(0) {}
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

const char* FontPath()
{
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  Input in{data, size};
  FuzzDelegate dlg;
  const float drawScale = 0.5f + static_cast<float>(in.Byte() % 4) / 2.f;
  test::TestCanvasVG g(dlg, 200, 120, FuzzCanvasBackend(), drawScale);
  g.OpenOn(nullptr, 1.f + static_cast<float>(in.Byte() % 2));
  g.LoadFont("Roboto-Regular", FontPath());
  g.BeginFrame();
  g.PrepareRegion(IRECT(0, 0, 200, 120));
  std::unique_ptr<ILayer> layers[2];
  int steps = 0;
  while (in.More() && ++steps < 64) {
    const IBlend blend = in.Blend();
    const IBlend* b = (in.Byte() & 1) ? &blend : nullptr;
    switch (in.Byte() % 16) {
    case 0:
      g.FillRect(in.Color(), in.Rect(), b);
      break;
    case 1:
      g.DrawArc(in.Color(), in.F(), in.F(), in.F(), in.F(), in.F(), b, in.Small());
      break;
    case 2:
      g.DrawDottedLine(in.Color(), in.F(), in.F(), in.F(), in.F(), b, in.Small(), in.F());
      break;
    case 3:
      g.DrawDottedRect(in.Color(), in.Rect(), b, in.Small(), in.F());
      break;
    case 4: {
      g.PathRect(in.Rect());
      const IPattern pattern = in.Pattern();
      g.PathFill(pattern, IFillOptions(static_cast<EFillRule>(in.Byte() % 4), in.Byte() & 1), b);
      break;
    }
    case 5: {
      g.PathMoveTo(in.F(), in.F());
      g.PathCubicBezierTo(in.F(), in.F(), in.F(), in.F(), in.F(), in.F());
      IStrokeOptions options;
      options.mCapOption = static_cast<ELineCap>(in.Byte() % 4);
      options.mJoinOption = static_cast<ELineJoin>(in.Byte() % 4);
      options.mMiterLimit = in.F();
      const IPattern pattern = in.Pattern();
      g.PathStroke(pattern, in.Small(), options, b);
      break;
    }
    case 6: {
      IText text(in.Small() * 4.f, in.Color(), (in.Byte() & 1) ? "Roboto-Regular" : "none",
                 static_cast<EAlign>(in.Byte() % 4), static_cast<EVAlign>(in.Byte() % 4), in.F());
      const std::string str = in.Text();
      IRECT r = in.Rect();
      g.DrawText(text, str.c_str(), r, b);
      g.MeasureText(text, str.c_str(), r);
      break;
    }
    case 7: {
      const IText text(in.Small() * 4.f, in.Color(), "Roboto-Regular", static_cast<EAlign>(in.Byte() % 4),
                       static_cast<EVAlign>(in.Byte() % 4));
      const std::string str = in.Text();
      g.DrawMultiLineText(text, str.c_str(), in.Rect(), b);
      break;
    }
    case 8:
      g.DrawFastDropShadow(in.Rect(), in.Rect(), in.F(), in.Small(), in.Small(), b);
      break;
    case 9: {
      const int slot = in.Byte() & 1;
      if (g.LayerStackDepth() < 2) {
        g.StartLayer(nullptr, IRECT(in.Small() * 4, in.Small() * 4, in.Small() * 20, in.Small() * 12));
      } else {
        layers[slot].reset(g.PopLayer());
      }
      break;
    }
    case 10: {
      auto& layer = layers[in.Byte() & 1];
      IShadow shadow;
      shadow.mPattern = in.Pattern();
      shadow.mBlurSize = in.Small();
      shadow.mXOffset = in.F();
      shadow.mYOffset = in.F();
      shadow.mOpacity = in.F();
      shadow.mDrawForeground = in.Byte() & 1;
      g.ApplyLayerDropShadow(layer, shadow);
      g.DrawLayer(layer, b);
      break;
    }
    case 11:
      g.PathTransformTranslate(in.F(), in.F());
      g.PathTransformRotate(in.F());
      break;
    case 12:
      g.PathTransformReset(true);
      g.PathClipRegion(in.Rect());
      break;
    case 13:
      g.PathArc(in.F(), in.F(), in.F(), in.F(), in.F(), static_cast<EWinding>(in.Byte() % 3));
      g.PathClose();
      g.PathFill(in.Pattern(), IFillOptions(), b);
      break;
    case 14: {
      // A bitmap of the input's bytes, decoded or refused.
      const size_t n = std::min<size_t>(in.size - in.pos, in.Byte());
      const IBitmap bitmap = g.LoadBitmapFromMemory("fuzz.png", in.data + in.pos, static_cast<int>(n));
      in.pos += n;
      g.DrawBitmap(bitmap, in.Rect(), static_cast<int>(in.Byte()), static_cast<int>(in.Byte()), b);
      break;
    }
    default:
      g.FillRoundRect(in.Color(), in.Rect(), in.Small(), b);
      break;
    }
  }
  while (g.LayerStackDepth() > 0)
    delete g.PopLayer();
  g.EndFrame();
  return 0;
}

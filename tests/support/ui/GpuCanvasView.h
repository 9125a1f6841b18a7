#pragma once

// The drawing backend over the platform's GPU backend on the headless GPU, for pixel tests of the
// drawing backend and of controls: frames read back and probed, pictures written for resources.

#include "framework/imagefiles/ImageFiles.h"
#include "graphics/renderer/VG.h"
#include "platform/mac/MVGCanvasBackend.h"
#include "platform/mac/MVGFramebuffer.h"
#include "platform/mac/MVGcontext.h"
#include "support/ui/PixelProbe.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestCanvasVG.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <array>

namespace canvastest {

using namespace plugin::ui;
using namespace plugin::ui::test;
using Pixel = PixelProbe::Pixel;

inline constexpr Pixel kClear{0, 0, 0, 0}, kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255},
    kWhite{255, 255, 255, 255}, kBlack{0, 0, 0, 255};

inline std::string RobotoPath()
{
  return fonttest::RequireDebianFont("Roboto-Regular.ttf"); // throws, failing the test, when missing
}

// The drawing backend over the GPU backend on the headless GPU: a layer with a device of its own
// and drawables of the window's pixel size, the view open, Roboto loaded as "Roboto-Regular".
struct GpuView
{
  TestEditorDelegate dlg;
  plugin::sys::GpuLayerRef layer = plugin::sys::GpuLayer::Create();
  TestCanvasVG g;

  explicit GpuView(int w = 120, int h = 80, float drawScale = 1.f, float screenScale = 1.f)
      : g(dlg, w, h, mvgCanvasBackend(), drawScale)
  {
    layer->SetDevice(plugin::sys::GpuDevice::Create());
    layer->SetDrawableSize(uint32_t(screenScale * int(w * drawScale)),
                           uint32_t(screenScale * int(h * drawScale)));
    g.OpenOn(layer.get(), screenScale);
    g.LoadFont("Roboto-Regular", RobotoPath().c_str());
  }
  // The GPU's work ends before the layer goes (closing the view drops the layer's device).
  ~GpuView()
  {
    if (layer->Device()) layer->Device()->WaitUntilIdle();
  }

  // The main framebuffer (premultiplied RGBA, rows top first).
  PixelProbe ReadMain() const
  {
    const int w = int(g.GetScreenScale() * g.WindowPixelWidth()),
              h = int(g.GetScreenScale() * g.WindowPixelHeight());
    std::vector<unsigned char> rgba(size_t(w) * h * 4);
    const int image = g.GetBackend().framebufferImage(g.GetMainFramebuffer());
    const bool read = mvgReadPixels(g.GetVGContext(), image, 0, 0, w, h, rgba.data());
    return PixelProbe(read ? w : 0, read ? h : 0, std::move(rgba));
  }
  // What the layer shows: the drawable presented last.
  PixelProbe ReadPresented() const
  {
    layer->Device()->WaitUntilIdle();
    return layer->PresentedTexture() ? PixelProbe::FromTexture(*layer->PresentedTexture())
                                     : PixelProbe(0, 0, {});
  }
  // The GPU backend's texture record of an image, or null.
  const MVGtexture_vKelmo_vst3* Texture(int image) const
  {
    return static_cast<MVGcontext_vKelmo_vst3*>(g.GetVGContext()->params.userPtr)->findTexture(image);
  }
  // One frame drawn by fn, clipped to the editor as the frame loop clips a control covering it.
  template <class Fn> void Frame(Fn&& fn)
  {
    g.BeginFrame();
    g.PrepareRegion(IRECT(0.f, 0.f, float(g.Width()), float(g.Height())));
    fn(g);
    g.EndFrame();
  }
};

struct Probe
{
  int x, y;
  Pixel want;
  int tolerance = 0;
};

inline void ExpectPixels(const PixelProbe& frame, std::initializer_list<Probe> probes,
                         const std::string& what)
{
  ASSERT_GT(frame.Width(), 0) << what << ": no frame";
  for (const Probe& p : probes)
    for (int c = 0; c < 4; ++c)
      EXPECT_NEAR(frame.At(p.x, p.y)[c], p.want[c], p.tolerance) << what << " at " << p.x << "," << p.y;
}

// A PNG of w x h pixels of colour fn(x, y) (solid blue without fn) in the resource folder, which
// the test locator searches for resources by name; its path.
template <class Fn = std::array<int, 4> (*)(int, int)>
std::string Png(
    ResourceFolder& folder, const std::string& name, int w, int h, Fn fn = [](int, int) {
      return std::array{0, 0, 255, 255};
    })
{
  std::vector<unsigned char> rgba;
  for (int i = 0; i < w * h; ++i)
    for (int c : fn(i % w, i / w))
      rgba.push_back(static_cast<unsigned char>(c));
  plugin::images::WritePngFile(folder.PathOf(name).c_str(), w, h, rgba.data());
  return folder.PathOf(name);
}

} // namespace canvastest

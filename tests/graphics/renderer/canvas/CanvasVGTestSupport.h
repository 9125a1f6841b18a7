#pragma once

#include "graphics/renderer/ICanvasVG.h"
#include "graphics/renderer/VG.h"
#include "platform/mac/MVGCanvasBackend.h"
#include "platform/mac/MVGFramebuffer.h"
#include "platform/mac/system/GpuLayer.h"
#include "platform/mac/system/GpuStbImageWrite.h"
#include "support/ui/FontFiles.h"
#include "support/ui/PixelProbe.h"
#include "support/ui/RecordingBackend.h"
#include "support/ui/RecordingVGBackend.h"
#include "support/ui/TestCanvasVG.h"
#include "support/ui/TestEditorDelegate.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace canvastest {

using namespace plugin::ui;
using namespace plugin::ui::test;

inline std::string RobotoPath()
{
  return fonttest::DebianFontPath("Roboto-Regular.ttf");
}

// A graphics context of the drawing backend over the recording render backend, its view open.
struct RecordingView
{
  TestEditorDelegate dlg;
  testsupport::RecordingBackend backend;
  TestCanvasVG g;

  explicit RecordingView(int w = 200, int h = 100, float drawScale = 1.f, float screenScale = 1.f)
      : g(dlg, w, h, RecordingVGBackend(), drawScale)
  {
    g.OpenOn(&backend, screenScale);
  }

  // The draws recorded since the last call, and the log cleared.
  std::vector<testsupport::RecordedDraw> TakeDraws()
  {
    std::vector<testsupport::RecordedDraw> draws;
    draws.swap(backend.draws);
    backend.log.clear();
    return draws;
  }
  int ImageOf(const APIBitmap* bitmap) const { return bitmap ? bitmap->GetImage() : 0; }
};

// A graphics context of the drawing backend over the GPU backend on the headless GPU: a layer with
// a device of its own and drawables of the window's pixel size.
struct GpuView
{
  TestEditorDelegate dlg;
  plugin::sys::GpuLayerRef layer = plugin::sys::GpuLayer::Create();
  TestCanvasVG g;

  explicit GpuView(int w = 120, int h = 80, float drawScale = 1.f, float screenScale = 1.f)
      : g(dlg, w, h, mvgCanvasBackend(), drawScale)
  {
    layer->SetDevice(plugin::sys::GpuDevice::Create());
    layer->SetDrawableSize(static_cast<uint32_t>(screenScale * static_cast<int>(w * drawScale)),
                           static_cast<uint32_t>(screenScale * static_cast<int>(h * drawScale)));
    g.OpenOn(layer.get(), screenScale);
  }
  ~GpuView()
  {
    g.CloseWindow();
    if (layer->Device()) layer->Device()->WaitUntilIdle();
  }

  // The pixels of an image of the context (premultiplied RGBA, rows top first).
  PixelProbe ReadImage(int image, int w, int h) const
  {
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    const int read = mvgReadPixels(g.GetVGContext(), image, 0, 0, w, h, rgba.data());
    return PixelProbe(read ? w : 0, read ? h : 0, std::move(rgba));
  }
  // The main framebuffer after the last frame.
  PixelProbe ReadMain() const
  {
    const MVGframebuffer* fb = g.GetMainFramebuffer();
    const float s = g.GetScreenScale();
    return ReadImage(fb ? fb->image : 0, static_cast<int>(s * g.WindowPixelWidth()),
                     static_cast<int>(s * g.WindowPixelHeight()));
  }
  // What the layer shows: the drawable presented last.
  PixelProbe ReadPresented() const
  {
    if (layer->Device()) layer->Device()->WaitUntilIdle();
    const auto texture = layer->PresentedTexture();
    return texture ? PixelProbe::FromTexture(*texture) : PixelProbe(0, 0, {});
  }
  // One frame drawn by fn between BeginFrame and EndFrame, clipped to the whole editor as the frame
  // loop would clip a control covering it.
  template <class Fn> void Frame(Fn&& fn)
  {
    g.BeginFrame();
    g.PrepareRegion(IRECT(0.f, 0.f, static_cast<float>(g.Width()), static_cast<float>(g.Height())));
    fn(g);
    g.EndFrame();
  }
};

// A temporary folder for image files written by tests.
class ImageFolder
{
public:
  ImageFolder()
  {
    mPath = std::filesystem::temp_directory_path() /
            ("kelmo-canvasvg-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
             std::to_string(sCounter++));
    std::filesystem::create_directories(mPath);
  }
  ~ImageFolder()
  {
    std::error_code ec;
    std::filesystem::remove_all(mPath, ec);
  }
  // A PNG of w x h pixels, each (r, g, b, a) from fn(x, y); returns its path.
  template <class Fn> std::string Png(const std::string& name, int w, int h, Fn&& fn)
  {
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const auto px = fn(x, y);
        for (int c = 0; c < 4; ++c)
          rgba[(static_cast<size_t>(y) * w + x) * 4 + c] = static_cast<unsigned char>(px[c]);
      }
    const std::string path = Path(name);
    plugin::sys::GpuStbWritePng(path.c_str(), w, h, rgba.data());
    return path;
  }
  std::string Write(const std::string& name, const std::string& bytes)
  {
    fonttest::WriteFile(Path(name), fonttest::Ascii(bytes));
    return Path(name);
  }
  std::string Path(const std::string& name) const { return (mPath / name).string(); }

private:
  std::filesystem::path mPath;
  static inline int sCounter = 0;
};

} // namespace canvastest

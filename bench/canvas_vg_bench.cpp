// Frames of an editor-sized graphics context drawn through the drawing backend, the vector core and
// the GPU backend's recording of its calls, without rasterising: every flush is dropped. First a
// synthetic editor, then the compressor's own with the bundle's pictures and fonts.
#include "editor/KelmoEditorInstall.h"
#include "engine/IMeterRecord.h"
#include "engine/Kelmo.h"
#include "engine/KelmoEditorFunctions.h"
#include "engine/presets/UserPresetLocation.h"
#include "framework/imagefiles/ImageFiles.h"
#include "graphics/attached/IBitmapControl.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/renderer/VG.h"
#include "graphics/resources/LocateResource.h"
#include "platform/mac/MVGCanvasBackend.h"
#include "platform/mac/system/GpuLayer.h"
#include "support/TempFolder.h"
#include "support/ui/FontFiles.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestCanvasVG.h"
#include "support/ui/TestEditorDelegate.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace plugin::ui;

constexpr int kWidth = 899;
constexpr int kHeight = 500;

// Draw calls that reached the backend (fills, strokes, text), counted around its own callbacks.
struct CallCounter
{
  static inline int calls = 0;
  static inline decltype(VGparams::renderFill) fill = nullptr;
  static inline decltype(VGparams::renderStroke) stroke = nullptr;
  static inline decltype(VGparams::renderTriangles) triangles = nullptr;

  static void Wrap(VGparams& p)
  {
    fill = p.renderFill;
    stroke = p.renderStroke;
    triangles = p.renderTriangles;
    p.renderFill = [](void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* sc, float fr,
                      const float* b, const VGpath* paths, int n) {
      ++calls;
      fill(u, paint, op, sc, fr, b, paths, n);
    };
    p.renderStroke = [](void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* sc, float fr,
                        float w, const VGpath* paths, int n) {
      ++calls;
      stroke(u, paint, op, sc, fr, w, paths, n);
    };
    p.renderTriangles = [](void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* sc,
                           const VGvertex* v, int n, float fr) {
      ++calls;
      triangles(u, paint, op, sc, v, n, fr);
    };
  }
};

// The GPU backend whose calls are recorded, counted and then dropped instead of executed.
ICanvasVGBackend RecordOnlyBackend()
{
  ICanvasVGBackend backend = mvgCanvasBackend();
  backend.createContext = [](void* platformLayer, int flags) {
    VGcontext* ctx = mvgCanvasBackend().createContext(platformLayer, flags);
    if (ctx) {
      ctx->params.renderFlush = ctx->params.renderCancel;
      CallCounter::Wrap(ctx->params);
    }
    return ctx;
  };
  return backend;
}

// A knob as the vector controls draw one: body, value arc, pointer, label and value text.
class BenchKnob : public IControl
{
public:
  BenchKnob(const IRECT& bounds, float value) : IControl(bounds) { SetValue(value, 0); }
  void Draw(ICanvas& g) override
  {
    const IRECT r = GetBounds();
    const float cx = r.MW(), cy = r.T + 35.f, radius = 22.f;
    const float angle = -135.f + 270.f * static_cast<float>(GetValue(0));
    g.FillRoundRect(IColor(255, 40, 44, 52), r, 4.f);
    g.FillCircle(IColor(255, 200, 200, 200), cx, cy, radius);
    g.DrawCircle(COLOR_BLACK, cx, cy, radius, nullptr, 1.5f);
    g.DrawArc(IColor(255, 0, 150, 255), cx, cy, radius + 5.f, -135.f, angle, nullptr, 3.f);
    g.DrawRadialLine(COLOR_BLACK, cx, cy, angle, 6.f, radius - 3.f, nullptr, 2.5f);
    g.DrawText(kLabel, "Threshold", IRECT(r.L, r.T, r.R, r.T + 12.f));
    g.DrawText(kValue, "-18.0 dB", IRECT(r.L, r.B - 16.f, r.R, r.B));
  }

private:
  static inline const IText kLabel{11.f, COLOR_WHITE, "Roboto-Regular", EAlign::Center, EVAlign::Top};
  static inline const IText kValue{12.f, COLOR_WHITE, "Roboto-Regular", EAlign::Center, EVAlign::Bottom};
};

// A meter: a filled bar with a gradient and tick marks.
class BenchMeter : public IControl
{
public:
  using IControl::IControl;
  void Draw(ICanvas& g) override
  {
    const IRECT r = GetBounds();
    g.FillRect(COLOR_BLACK, r);
    IPattern bar(EPatternType::Linear);
    bar.AddStop(COLOR_GREEN, 0.f);
    bar.AddStop(COLOR_RED, 1.f);
    bar.mTransform = IMatrix(0, 1.0 / r.H(), 1.0 / r.W(), 0, 0, -r.T / r.H());
    g.PathRect(IRECT(r.L + 2, r.T + r.H() * 0.3f, r.R - 2, r.B - 2));
    g.PathFill(bar);
    for (int i = 1; i < 10; ++i)
      g.DrawHorizontalLine(COLOR_GRAY, r, static_cast<float>(i) / 10.f);
  }
};

// An editor: a background picture, 12 knobs, 6 switches from a bitmap strip, 2 meters, 12 text
// labels and a title.
struct BenchEditor
{
  plugin::ui::test::TestEditorDelegate dlg;
  plugin::ui::test::ResourceFolder resources; // found by name through the test locator
  plugin::sys::GpuLayerRef layer = plugin::sys::GpuLayer::Create();
  std::unique_ptr<plugin::ui::test::TestCanvasVG> g;
  IRECTList rects;

  explicit BenchEditor(float screenScale)
  {
    layer->SetDevice(plugin::sys::GpuDevice::Create());
    layer->SetDrawableSize(static_cast<uint32_t>(kWidth * screenScale),
                           static_cast<uint32_t>(kHeight * screenScale));
    g = std::make_unique<plugin::ui::test::TestCanvasVG>(dlg, kWidth, kHeight, RecordOnlyBackend());
    g->OpenOn(layer.get(), screenScale);
    g->LoadFont("Roboto-Regular", fonttest::DebianFontPath("Roboto-Regular.ttf").c_str());

    WritePng(resources.PathOf("background.png"), kWidth, kHeight);
    WritePng(resources.PathOf("switch.png"), 40, 80);
    g->AttachBackground("background.png");
    const IBitmap switchStrip = g->LoadBitmap("switch.png", 2, false, 1);
    for (int i = 0; i < 12; ++i) {
      const float x = 20.f + static_cast<float>(i % 6) * 110.f, y = 60.f + static_cast<float>(i / 6) * 140.f;
      g->AttachControl(new BenchKnob(IRECT(x, y, x + 90.f, y + 100.f), i / 12.f));
      g->AttachControl(new ITextControl(IRECT(x, y + 104.f, x + 90.f, y + 120.f), "Channel A",
                                        IText(12.f, COLOR_WHITE, "Roboto-Regular")));
    }
    for (int i = 0; i < 6; ++i)
      g->AttachControl(new IBitmapControl(20.f + static_cast<float>(i) * 110.f, 360.f, switchStrip));
    g->AttachControl(new BenchMeter(IRECT(700, 60, 740, 440)));
    g->AttachControl(new BenchMeter(IRECT(760, 60, 800, 440)));
    g->AttachControl(new ITextControl(IRECT(20, 10, 400, 40), "Kelmo Compressor",
                                      IText(24.f, COLOR_WHITE, "Roboto-Regular", EAlign::Near)));
    Frame(); // images and glyphs are made once, before measuring
  }

  ~BenchEditor() { g->CloseWindow(); }

  static void WritePng(const std::string& path, int w, int h)
  {
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4, 128);
    plugin::images::WritePngFile(path.c_str(), w, h, rgba.data());
  }

  // One tick of the view's timer; true when it drew.
  bool Frame()
  {
    rects.Clear();
    if (!g->IsDirty(rects)) return false;
    g->SetAllControlsClean();
    g->Draw(rects);
    return true;
  }
};

void BM_FullRedraw(benchmark::State& state)
{
  BenchEditor editor(static_cast<float>(state.range(0)));
  CallCounter::calls = 0;
  for (auto _ : state) {
    editor.g->SetAllControlsDirty();
    benchmark::DoNotOptimize(editor.Frame());
  }
  state.counters["controls"] = editor.g->NControls();
  state.counters["bitmaps"] = editor.g->NCachedBitmaps();
  state.counters["calls/frame"] =
      static_cast<double>(CallCounter::calls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FullRedraw)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_IdleFrame(benchmark::State& state)
{
  BenchEditor editor(2.f);
  for (auto _ : state)
    benchmark::DoNotOptimize(editor.Frame());
}
BENCHMARK(BM_IdleFrame)->Unit(benchmark::kMicrosecond);

// --- The compressor's editor ---

// The plug-in's editor opened by the plug-in itself on a recording-only backend, with the
// bundle's resources and an empty user preset folder; one frame drawn to make images and glyphs.
struct KelmoEditorBench
{
  testsupport::TempFolder presets;
  plugin::ui::test::ResourceFolder resources;
  plugin::sys::GpuLayerRef layer = plugin::sys::GpuLayer::Create();
  std::unique_ptr<Kelmo> plugin;
  ICanvas* ui = nullptr;
  IRECTList rects;

  explicit KelmoEditorBench(float screenScale)
  {
    SetUserPresetFolder(presets.Path());
    for (const auto& entry : std::filesystem::directory_iterator(KELMO_RESOURCES_DIR))
      std::filesystem::create_symlink(entry.path(), resources.PathOf(entry.path().filename().string()));
    layer->SetDevice(plugin::sys::GpuDevice::Create());
    layer->SetDrawableSize(static_cast<uint32_t>(kWidth * screenScale),
                           static_cast<uint32_t>(kHeight * screenScale));
    plugin::ui::InstallKelmoEditor();
    plugin = std::make_unique<Kelmo>(plugin::InstanceInfo{});
    InstallKelmoEditorFunctions({});
    // Fonts are the bundle's font files, found as the platform finds them.
    plugin->SetMakeGraphicsFunc([this] {
      return new plugin::ui::test::LocatedFontsCanvasVG(*plugin, kWidth, kHeight, RecordOnlyBackend(), 1.f);
    });
    plugin->OpenWindow(layer.get());
    plugin->SetScreenScale(screenScale);
    plugin->OnUIOpen();
    ui = plugin->GetUI();
    ui->SetAllControlsDirty();
    Frame();
  }
  ~KelmoEditorBench() { plugin->CloseWindow(); }

  bool Frame()
  {
    rects.Clear();
    if (!ui->IsDirty(rects)) return false;
    ui->SetAllControlsClean();
    ui->Draw(rects);
    return true;
  }
  // The meter records the idle tick sends, with new values.
  void MoveMeters(float position)
  {
    for (int tag = 0; tag < 4; ++tag) {
      const IMeterRecord record{tag, 1, 0, tag < 2 ? position : -12.f * position};
      plugin->SendControlMsgFromDelegate(tag, 0, sizeof record, &record);
    }
  }
  // Area of the rectangles the last frame drew (editor units), as a fraction of the editor's.
  double DrawnFraction() const
  {
    double area = 0.0;
    for (int i = 0; i < rects.Size(); ++i)
      area += static_cast<double>(rects.Get(i).W()) * rects.Get(i).H();
    return area / (static_cast<double>(kWidth) * kHeight);
  }
};

// Every control of the compressor's editor redrawn.
void BM_KelmoEditorFullRedraw(benchmark::State& state)
{
  KelmoEditorBench editor(static_cast<float>(state.range(0)));
  CallCounter::calls = 0;
  for (auto _ : state) {
    editor.ui->SetAllControlsDirty();
    benchmark::DoNotOptimize(editor.Frame());
  }
  state.counters["controls"] = editor.ui->NControls();
  state.counters["calls/frame"] =
      static_cast<double>(CallCounter::calls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_KelmoEditorFullRedraw)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// An idle tick with the meters moving: the two needles and two readouts redraw, nothing else.
void BM_KelmoEditorMetersFrame(benchmark::State& state)
{
  KelmoEditorBench editor(static_cast<float>(state.range(0)));
  CallCounter::calls = 0;
  float position = 0.f;
  for (auto _ : state) {
    position = position > 0.9f ? 0.f : position + 0.05f;
    editor.MoveMeters(position);
    benchmark::DoNotOptimize(editor.Frame());
  }
  state.counters["drawn area"] = editor.DrawnFraction();
  state.counters["drawn rects"] = editor.rects.Size();
  state.counters["calls/frame"] =
      static_cast<double>(CallCounter::calls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_KelmoEditorMetersFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

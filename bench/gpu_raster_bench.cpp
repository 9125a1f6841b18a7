// The whole editor frame (1798 x 1000 pixels) drawn through the vector core and the GPU backend
// and rasterised by the headless GPU on its worker thread, then read back: the artwork
// generator's background picture (gradients, strokes, stencilled fills, text) and its editor
// preview (every picture pasted as an image, the meters' needles, the controls' stand-ins).
#include "tools/artwork/ArtworkFonts.h"
#include "tools/artwork/ArtworkRenderer.h"
#include "tools/artwork/ArtworkTable.h"
#include "tools/artwork/ArtworkWriter.h"
#include "tools/artwork/Preview.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace {

using namespace kelmo::artwork;

// One lane with the fonts loaded and every picture of the table uploaded as an image, made once.
struct Scene
{
  ArtworkRenderer renderer{1};
  std::map<std::string, int> images;
  bool ready = false;

  Scene()
  {
    std::string missing;
    if (!renderer.SetUpEveryContext(
            [&](VGcontext* vg) { return LoadArtworkFonts(vg, DefaultFontDirs(), missing); }))
      return;
    for (const ArtworkSpec& spec : ArtworkTable()) {
      const Picture picture = RenderArtwork(renderer, spec);
      if (const int id = renderer.ImageOf(picture, 0)) images[spec.name] = id;
    }
    ready = images.size() == ArtworkTable().size();
  }

  static Scene& Get()
  {
    static Scene scene;
    return scene;
  }
};

void Check(benchmark::State& state, const Picture& picture)
{
  if (picture.width != kEditorWidth * kArtworkScale || picture.height != kEditorHeight * kArtworkScale)
    state.SkipWithError("the frame was not drawn");
}

void BM_RasterEditorPreview(benchmark::State& state)
{
  Scene& scene = Scene::Get();
  if (!scene.ready) return state.SkipWithError("no GPU context or fonts");
  for (auto _ : state) {
    Picture frame = scene.renderer.Render(kEditorWidth, kEditorHeight, kArtworkScale,
                                          [&](VGcontext* vg) { DrawPreview(vg, scene.images); });
    Check(state, frame);
    benchmark::DoNotOptimize(frame.rgba.data());
  }
}
BENCHMARK(BM_RasterEditorPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RasterEditorBackground(benchmark::State& state)
{
  Scene& scene = Scene::Get();
  const ArtworkSpec* background = FindArtwork("background.jpg");
  if (!scene.ready || !background) return state.SkipWithError("no GPU context, fonts or background");
  for (auto _ : state) {
    Picture frame = RenderArtwork(scene.renderer, *background);
    Check(state, frame);
    benchmark::DoNotOptimize(frame.rgba.data());
  }
}
BENCHMARK(BM_RasterEditorBackground)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

#include "tools/artwork/ArtworkCommand.h"

#include "tools/artwork/ArtworkFonts.h"
#include "tools/artwork/ArtworkRenderer.h"
#include "tools/artwork/ArtworkTable.h"
#include "tools/artwork/ArtworkWriter.h"
#include "tools/artwork/Preview.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <thread>

namespace kelmo::artwork {

namespace {

constexpr const char* kUsage = "usage: kelmo-artwork <output folder> [--preview <file.png>]\n";

struct Options
{
  std::string outputDir;
  std::string previewPath;
};

bool Parse(const std::vector<std::string>& args, Options& options)
{
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--preview") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return false;
      options.previewPath = args[++i];
    } else if (!args[i].empty() && args[i][0] != '-' && options.outputDir.empty()) {
      options.outputDir = args[i];
    } else {
      return false;
    }
  }
  return !options.outputDir.empty();
}

} // namespace

int RunArtworkCommand(const std::vector<std::string>& args, std::ostream& err)
{
  Options options;
  if (!Parse(args, options)) {
    err << kUsage;
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(options.outputDir, ec);
  if (!std::filesystem::is_directory(options.outputDir)) {
    err << "kelmo-artwork: cannot make the folder " << options.outputDir << "\n";
    return 1;
  }
  // Up to four lanes draw the background's bands at the same time.
  ArtworkRenderer renderer(static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u)));
  if (!renderer.Ready()) {
    err << "kelmo-artwork: no GPU context\n";
    return 1;
  }
  std::string missing;
  if (!renderer.SetUpEveryContext(
          [&](VGcontext* vg) { return LoadArtworkFonts(vg, DefaultFontDirs(), missing); })) {
    err << "kelmo-artwork: font file not found: " << missing << "\n";
    return 1;
  }
  int failures = 0;
  std::map<std::string, Picture> pictures;
  for (const ArtworkSpec& spec : ArtworkTable()) {
    Picture picture = RenderArtwork(renderer, spec);
    const std::string path =
        (std::filesystem::path(options.outputDir) / ScaledFileName(spec.name, kArtworkScale)).string();
    if (!WritePicture(picture, spec.format, path)) {
      err << "kelmo-artwork: cannot write " << path << "\n";
      ++failures;
    }
    pictures.emplace(spec.name, std::move(picture));
  }
  if (!options.previewPath.empty() &&
      !WritePicture(ComposePreview(renderer, pictures), ImageFormat::Png, options.previewPath)) {
    err << "kelmo-artwork: cannot write " << options.previewPath << "\n";
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}

} // namespace kelmo::artwork

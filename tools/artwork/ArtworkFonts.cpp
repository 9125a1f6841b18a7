#include "tools/artwork/ArtworkFonts.h"

#include "graphics/renderer/VG.h"

#include <filesystem>
#include <sstream>

namespace kelmo::artwork {

namespace {

struct FaceFile
{
  Face face;
  const char* name;
  const char* file;
};

constexpr FaceFile kFaces[] = {
    {Face::Label, "artwork-label", "RobotoCondensed-Bold.ttf"},
    {Face::Scale, "artwork-scale", "RobotoCondensed-Regular.ttf"},
    {Face::Logo, "artwork-logo", "Lato-Black.ttf"},
    {Face::Legend, "artwork-legend", "Lato-Bold.ttf"},
    {Face::Version, "artwork-version", "Roboto-Regular.ttf"},
};

const char* NameOf(Face face)
{
  for (const FaceFile& f : kFaces)
    if (f.face == face) return f.name;
  return kFaces[0].name;
}

} // namespace

bool LoadArtworkFonts(VGcontext* vg, const std::vector<std::string>& dirs, std::string& missing)
{
  for (const FaceFile& f : kFaces) {
    int id = -1;
    for (const std::string& dir : dirs) {
      const std::string path = (std::filesystem::path(dir) / f.file).string();
      if (std::filesystem::is_regular_file(path) && (id = vgCreateFont(vg, f.name, path.c_str())) >= 0) break;
    }
    if (id < 0) {
      missing = f.file;
      return false;
    }
  }
  return true;
}

std::vector<std::string> DefaultFontDirs()
{
  std::vector<std::string> dirs;
#ifdef KELMO_ARTWORK_FONT_DIRS
  std::istringstream list(KELMO_ARTWORK_FONT_DIRS);
  for (std::string dir; std::getline(list, dir, '|');)
    if (!dir.empty()) dirs.push_back(dir);
#endif
  return dirs;
}

void UseFace(VGcontext* vg, Face face, float size, float spacing)
{
  vgFontFace(vg, NameOf(face));
  vgFontSize(vg, size);
  vgTextLetterSpacing(vg, spacing);
}

} // namespace kelmo::artwork

#pragma once

#include <string>
#include <vector>

struct VGcontext;

// The typefaces printed on the pictures. They come from the system's font packages and are read
// at build time only. The editor's own fonts are copied into the bundle by
// cmake/KelmoResources.cmake: Roboto-Regular.ttf, Lato-Bold.ttf and, for RobotoMono-Bold.ttf (no
// Debian package), DejaVu Sans Mono Bold from fonts-dejavu-core under that name.
namespace kelmo::artwork {

enum class Face {
  Label,   // silkscreen legends: condensed bold
  Scale,   // scale numbers: condensed regular
  Logo,    // the product name: heavy
  Legend,  // the maker's name and small print: bold; also the editor's "Lato" in the preview
  Version, // the editor's "Roboto-Regular", for the preview
};

// Loads every face from the first of dirs that holds its file. False when one is missing; its
// file name is then in missing.
bool LoadArtworkFonts(VGcontext* vg, const std::vector<std::string>& dirs, std::string& missing);

// The folders compiled in for the font packages.
std::vector<std::string> DefaultFontDirs();

// Selects face at size (points) with letter spacing (points) for the following text.
void UseFace(VGcontext* vg, Face face, float size, float spacing = 0.0f);

} // namespace kelmo::artwork

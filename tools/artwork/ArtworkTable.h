#pragma once

#include <string>
#include <vector>

struct VGcontext;

namespace kelmo::artwork {

// Pixels per point of every picture: the layout loads its bitmaps at target scale 2.
constexpr int kArtworkScale = 2;

// Size of the editor in points.
constexpr int kEditorWidth = 899;
constexpr int kEditorHeight = 500;

// One frame being drawn: its size in points, its index in the strip and the strip's frame count.
struct Frame
{
  float width, height;
  int index, count;
};

using DrawFrameFunction = void (*)(VGcontext* vg, const Frame& frame);

enum class ImageFormat { Png, Jpeg };

// One picture the editor loads: the name it asks for, its frame strip and the size of one frame
// in points. The file on disk carries the scale suffix (see ScaledFileName).
struct ArtworkSpec
{
  const char* name;
  int frames;
  bool horizontal;
  int frameWidth, frameHeight;
  ImageFormat format;
  DrawFrameFunction draw;

  int Width() const noexcept { return horizontal ? frameWidth * frames : frameWidth; }
  int Height() const noexcept { return horizontal ? frameHeight : frameHeight * frames; }
};

// Every picture, in the order they are written.
const std::vector<ArtworkSpec>& ArtworkTable();

// The table entry of a resource name, or null.
const ArtworkSpec* FindArtwork(const std::string& name);

// "name@<scale>x.ext": the file the resource lookup finds first for a target scale (the suffix
// goes between the base name and the extension; scale 1 leaves the name as it is).
std::string ScaledFileName(const std::string& name, int scale);

} // namespace kelmo::artwork

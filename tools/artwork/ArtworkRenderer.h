#pragma once

#include <functional>
#include <memory>
#include <vector>

struct VGcontext;

namespace kelmo::artwork {

// Pixels of one rendered picture: RGBA rows, top row first, straight (not premultiplied) colour.
struct Picture
{
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;

  bool Empty() const noexcept { return width <= 0 || height <= 0; }
};

// Draws pictures with the vector core through the GPU backend on the headless device and reads
// them back. It keeps one or more lanes (a device with its worker thread and a context on it), so
// that a large picture can be drawn in horizontal bands at the same time. Used from one thread
// (the caller's); the devices' workers rasterise.
class ArtworkRenderer
{
public:
  using DrawFunction = std::function<void(VGcontext*)>;

  explicit ArtworkRenderer(int lanes = 1);
  ~ArtworkRenderer();
  ArtworkRenderer(const ArtworkRenderer&) = delete;
  ArtworkRenderer& operator=(const ArtworkRenderer&) = delete;

  // False when a GPU context could not be made; every render then gives an empty picture.
  bool Ready() const noexcept { return !mLanes.empty(); }
  int Lanes() const noexcept { return static_cast<int>(mLanes.size()); }

  // The first lane's context: single-band renders use it, and images made for them live there.
  VGcontext* Context() const noexcept;
  // Calls setup on every lane's context (fonts); false as soon as one call fails.
  bool SetUpEveryContext(const std::function<bool(VGcontext*)>& setup);

  // Renders one frame of width x height points at scale pixels per point onto a transparent
  // target, cut into up to `bands` horizontal bands drawn on separate lanes (draw runs once per
  // band, in that band's context, with the picture's coordinates). Empty when the sizes are not
  // positive or the GPU refuses a target.
  Picture Render(float width, float height, float scale, const DrawFunction& draw, int bands = 1);

  // A vector core image of a picture in the first lane's context (for compositing); 0 on failure.
  int ImageOf(const Picture& picture, int imageFlags);

private:
  struct Lane;
  std::vector<std::unique_ptr<Lane>> mLanes;
};

// Divides premultiplied RGBA by its alpha in place (alpha 0 leaves black).
void Unpremultiply(std::vector<unsigned char>& rgba);

} // namespace kelmo::artwork

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
// them back. One renderer per program run; single-threaded (the caller's thread owns it).
class ArtworkRenderer
{
public:
  using DrawFunction = std::function<void(VGcontext*)>;

  ArtworkRenderer();
  ~ArtworkRenderer();
  ArtworkRenderer(const ArtworkRenderer&) = delete;
  ArtworkRenderer& operator=(const ArtworkRenderer&) = delete;

  // False when the GPU context could not be made; every render then gives an empty picture.
  bool Ready() const noexcept { return mCtx != nullptr; }

  // The vector context, for images that draw functions use (textures, pasted pictures).
  VGcontext* Context() const noexcept { return mCtx; }

  // Renders one frame of width x height points at scale pixels per point onto a transparent
  // target; empty when the sizes are not positive or the GPU refuses the target.
  Picture Render(float width, float height, float scale, const DrawFunction& draw);

  // A vector core image of a picture (for compositing); 0 on failure. Deleted with the renderer.
  int ImageOf(const Picture& picture, int imageFlags);

private:
  struct Gpu;
  std::unique_ptr<Gpu> mGpu;
  VGcontext* mCtx = nullptr;
};

// Divides premultiplied RGBA by its alpha in place (alpha 0 leaves black).
void Unpremultiply(std::vector<unsigned char>& rgba);

} // namespace kelmo::artwork

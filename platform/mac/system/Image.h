#pragma once

#include "platform/mac/system/BitmapImage.h"
#include "platform/mac/system/BitmapImageRep.h"
#include "platform/mac/system/Geometry.h"
#include "platform/mac/system/VectorArtwork.h"

#include <memory>
#include <string>
#include <vector>

// An image as cursors, file icons and dragging items carry it: a size in points, the picture it
// refers to, and the bitmap representations added to it. The only pictures this system can draw
// are the vector artworks it holds itself (SystemFiles); any other referenced file gives an image
// of size 0 x 0 with nothing to draw. Main thread.
namespace plugin::sys {

class Image
{
public:
  explicit Image(Size size = {}) : mSize(size) {}

  // An empty image of size. Allocates.
  static std::shared_ptr<Image> WithSize(Size size);

  // An image that refers to the picture file at path: the system's artwork at its own size when
  // it holds that path, else nothing (no file is read here). Allocates.
  static std::shared_ptr<Image> ReferencingFile(std::string path);

  Size GetSize() const noexcept { return mSize; }
  // Sizes that are not finite and non-negative are ignored.
  void SetSize(Size size) noexcept;

  // The picture drawn for a destination whose transform scales by ctmScale: a bitmap of the
  // picture's own size times ctmScale, rounded up. Null when the image refers to no picture or the
  // scale gives no bitmap (see VectorArtwork::Render). Allocates.
  BitmapImageRef BitmapForCtmScale(double ctmScale) const;

  // Adds a representation (null is ignored); they are kept in the order added.
  void AddRepresentation(BitmapImageRepRef rep);
  const std::vector<BitmapImageRepRef>& Representations() const noexcept { return mReps; }

private:
  Size mSize;
  std::shared_ptr<const VectorArtwork> mArtwork;
  std::vector<BitmapImageRepRef> mReps;
};

using ImageRef = std::shared_ptr<Image>;

} // namespace plugin::sys

#pragma once

#include "platform/mac/system/Geometry.h"

#include <memory>
#include <string>

// An image as cursors, file icons and dragging items carry it: a size in points. Nothing decodes
// or draws images here: the cursor artwork and file icons of the platform are vector data this
// system has no renderer for, so a referenced file gives an image of size 0 x 0 until a size is
// set. Main thread.
namespace plugin::sys {

class Image
{
public:
  explicit Image(Size size = {}) : mSize(size) {}

  // An empty image of size. Allocates.
  static std::shared_ptr<Image> WithSize(Size size);

  // An image that refers to the file at path (read lazily by a real system; never read here).
  static std::shared_ptr<Image> ReferencingFile(std::string path);

  Size GetSize() const noexcept { return mSize; }
  // Sizes that are not finite and non-negative are ignored.
  void SetSize(Size size) noexcept;

private:
  Size mSize;
};

using ImageRef = std::shared_ptr<Image>;

} // namespace plugin::sys

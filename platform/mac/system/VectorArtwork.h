#pragma once

#include "platform/mac/system/BitmapImage.h"
#include "platform/mac/system/Color.h"
#include "platform/mac/system/Geometry.h"

#include <vector>

// Resolution-independent artwork, as the system keeps its cursor pictures: filled polygons in
// points (origin top left, y down) on a canvas of a point size, painted in order. Value type; any
// thread.
namespace plugin::sys {

struct ArtworkShape
{
  std::vector<Point> polygon; // closed implicitly; filled by the non-zero winding rule
  Color fill;
};

struct VectorArtwork
{
  Size size;
  std::vector<ArtworkShape> shapes;

  // The artwork drawn at scale pixels per point into a bitmap of ceil(size x scale) pixels,
  // anti-aliased (16 samples a pixel), premultiplied. Null for a scale that is not finite and
  // positive, or when a side would be 0 or exceed kMaxBitmapSide. Allocates.
  BitmapImageRef Render(double scale) const;
};

} // namespace plugin::sys

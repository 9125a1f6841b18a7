#include "platform/mac/system/VectorArtwork.h"

#include <cmath>
#include <cstdint>

namespace plugin::sys {

namespace {

constexpr int kSamplesPerSide = 4;

// The non-zero winding number of polygon around p.
int Winding(const std::vector<Point>& polygon, Point p) noexcept
{
  int winding = 0;
  const std::size_t n = polygon.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point a = polygon[i];
    const Point b = polygon[(i + 1) % n];
    const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
    if (a.y <= p.y) {
      if (b.y > p.y && side > 0.0) ++winding;
    } else if (b.y <= p.y && side < 0.0) {
      --winding;
    }
  }
  return winding;
}

// The side in pixels for a length in points, or 0 when out of range.
int PixelSide(double points, double scale) noexcept
{
  const double pixels = std::ceil(points * scale - 1e-9);
  if (!(pixels >= 1.0) || pixels > kMaxBitmapSide) return 0;
  return static_cast<int>(pixels);
}

} // namespace

BitmapImageRef VectorArtwork::Render(double scale) const
{
  if (!std::isfinite(scale) || scale <= 0.0) return nullptr;
  const int width = PixelSide(size.width, scale);
  const int height = PixelSide(size.height, scale);
  if (width == 0 || height == 0) return nullptr;
  std::vector<float> rgba(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0.f);
  constexpr float kSampleWeight = 1.f / (kSamplesPerSide * kSamplesPerSide);
  for (const ArtworkShape& shape : shapes) {
    if (shape.polygon.size() < 3) continue;
    const auto a = static_cast<float>(shape.fill.alpha);
    const float r = static_cast<float>(shape.fill.red) * a;
    const float g = static_cast<float>(shape.fill.green) * a;
    const float b = static_cast<float>(shape.fill.blue) * a;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        float coverage = 0.f;
        for (int sy = 0; sy < kSamplesPerSide; ++sy)
          for (int sx = 0; sx < kSamplesPerSide; ++sx) {
            const Point p{(x + (sx + 0.5) / kSamplesPerSide) / scale, (y + (sy + 0.5) / kSamplesPerSide) / scale};
            if (Winding(shape.polygon, p) != 0) coverage += kSampleWeight;
          }
        if (coverage == 0.f) continue;
        float* px = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
        const float keep = 1.f - a * coverage;
        px[0] = r * coverage + keep * px[0];
        px[1] = g * coverage + keep * px[1];
        px[2] = b * coverage + keep * px[2];
        px[3] = a * coverage + keep * px[3];
      }
  }
  std::vector<std::uint8_t> bytes(rgba.size());
  for (std::size_t i = 0; i < rgba.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(std::lround(std::fmin(1.0, std::fmax(0.0, rgba[i])) * 255.0));
  return BitmapImage::Create(width, height, BitmapColorSpace::GenericRgb, std::move(bytes));
}

} // namespace plugin::sys

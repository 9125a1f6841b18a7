#pragma once

// Points, sizes and rectangles in points, as windows, views and the screen use them. Whether y
// grows up or down depends on the coordinate system a value belongs to. Pure values; any thread.
namespace plugin::sys {

struct Point
{
  double x = 0.0, y = 0.0;
  bool operator==(const Point&) const = default;
};

struct Size
{
  double width = 0.0, height = 0.0;
  bool operator==(const Size&) const = default;
};

struct Rect
{
  Point origin;
  Size size;

  double MinX() const noexcept { return origin.x; }
  double MinY() const noexcept { return origin.y; }
  double MaxX() const noexcept { return origin.x + size.width; }
  double MaxY() const noexcept { return origin.y + size.height; }

  // Half-open containment: the minimum edges are inside, the maximum edges outside.
  bool Contains(Point p) const noexcept
  {
    return p.x >= MinX() && p.x < MaxX() && p.y >= MinY() && p.y < MaxY();
  }

  bool operator==(const Rect&) const = default;
};

constexpr Rect MakeRect(double x, double y, double width, double height) noexcept
{
  return Rect{Point{x, y}, Size{width, height}};
}

} // namespace plugin::sys

#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace plugin::ui::svg {

struct Point
{
  double x = 0, y = 0;
};

// One sub-path in the coordinates of the element that made it: a start point, then three
// points per cubic segment.
struct LocalPath
{
  std::vector<Point> points;
  bool closed = false;
};

// Collects the sub-paths of one element as cubic segments. Lines and quadratic curves become
// exact cubics and elliptical arcs are approximated by up to four cubics. Sub-paths without a
// segment are dropped. Stops taking points beyond the limit and reports it.
class PathBuilder
{
public:
  explicit PathBuilder(size_t pointLimit) : mLimit(pointLimit) {}

  void MoveTo(Point p);
  void LineTo(Point p);
  void CubicTo(Point c1, Point c2, Point p);
  void QuadTo(Point c, Point p);
  // Elliptical arc from the current point to p, as in path data (angle in degrees).
  void ArcTo(double rx, double ry, double angle, bool largeArc, bool sweep, Point p);
  void Close();

  Point Current() const { return mCurrent; }
  bool OverLimit() const { return mOverLimit; }

  // The finished sub-paths; the builder is empty afterwards.
  std::vector<LocalPath> Take();

private:
  void FinishPath();

  std::vector<LocalPath> mPaths;
  LocalPath mPath; // the open sub-path; empty when none
  Point mCurrent, mStart;
  size_t mCount = 0;
  size_t mLimit;
  bool mOverLimit = false;
};

// Adds the path data of a "d" attribute; on an error, what came before it is kept.
void AppendPathData(std::string_view data, PathBuilder& builder);

// The outline of a rectangle with corner radii already clamped to half its sides.
void AppendRect(PathBuilder& builder, double x, double y, double w, double h, double rx, double ry);

// The outline of an ellipse, starting at its rightmost point and turning clockwise on screen.
void AppendEllipse(PathBuilder& builder, double cx, double cy, double rx, double ry);

// The points list of a polyline or polygon (closed when close is set); an odd last number is
// ignored, as is everything from the first malformed number on.
void AppendPoints(std::string_view list, bool close, PathBuilder& builder);

// Tight bounds (min x, min y, max x, max y) of a start point and its cubic segments.
void CurveBounds(const std::vector<Point>& points, double bounds[4]);

} // namespace plugin::ui::svg

#include "graphics/svg/SvgPathBuilder.h"

#include "graphics/svg/SvgValues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plugin::ui::svg {
namespace {

Point Lerp(Point a, Point b, double t)
{
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

Point Reflect(Point about, Point p)
{
  return {2 * about.x - p.x, 2 * about.y - p.y};
}

// Extremes of one axis of a cubic a, b, c, d over 0 < t < 1, widened into lo and hi.
void CubicExtremes(double a, double b, double c, double d, double& lo, double& hi)
{
  // The derivative divided by 3 is qa t^2 + qb t + qc.
  const double qa = -a + 3 * b - 3 * c + d, qb = 2 * (a - 2 * b + c), qc = b - a;
  double roots[2];
  int n = 0;
  if (std::abs(qa) < 1e-12) {
    if (std::abs(qb) > 1e-12) roots[n++] = -qc / qb;
  } else {
    const double disc = qb * qb - 4 * qa * qc;
    if (disc >= 0) {
      const double s = std::sqrt(disc);
      roots[n++] = (-qb + s) / (2 * qa);
      roots[n++] = (-qb - s) / (2 * qa);
    }
  }
  for (int i = 0; i < n; ++i) {
    const double t = roots[i];
    if (!(t > 0 && t < 1)) continue;
    const double u = 1 - t;
    const double v = u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
}

// Reads count numbers separated as in path data; the arc flags (indices 3 and 4 of an arc) are
// single digits that need no separator.
bool ReadArguments(std::string_view& s, double* v, int count, bool arc)
{
  for (int i = 0; i < count; ++i) {
    if (i) SkipSeparators(s);
    if (arc && (i == 3 || i == 4)) {
      s = Trim(s);
      if (s.empty() || (s[0] != '0' && s[0] != '1')) return false;
      v[i] = s[0] - '0';
      s.remove_prefix(1);
    } else if (!ScanNumber(s, v[i])) {
      return false;
    }
  }
  return true;
}

int ArgumentCount(char command)
{
  switch (command | 32) {
  case 'm':
  case 'l':
  case 't':
    return 2;
  case 'h':
  case 'v':
    return 1;
  case 'c':
    return 6;
  case 's':
  case 'q':
    return 4;
  case 'a':
    return 7;
  default:
    return -1;
  }
}

} // namespace

void PathBuilder::MoveTo(Point p)
{
  FinishPath();
  mCurrent = mStart = p;
}

void PathBuilder::LineTo(Point p)
{
  CubicTo(Lerp(mCurrent, p, 1.0 / 3), Lerp(mCurrent, p, 2.0 / 3), p);
}

void PathBuilder::CubicTo(Point c1, Point c2, Point p)
{
  if (mCount + (mPath.points.empty() ? 4 : 3) > mLimit) {
    mOverLimit = true;
    return;
  }
  if (mPath.points.empty()) { // a segment after a close or with no move starts a sub-path
    mPath.points.push_back(mCurrent);
    mStart = mCurrent;
    ++mCount;
  }
  mPath.points.insert(mPath.points.end(), {c1, c2, p});
  mCount += 3;
  mCurrent = p;
}

void PathBuilder::QuadTo(Point c, Point p)
{
  CubicTo(Lerp(mCurrent, c, 2.0 / 3), Lerp(p, c, 2.0 / 3), p);
}

void PathBuilder::ArcTo(double rx, double ry, double angle, bool largeArc, bool sweep, Point p)
{
  const Point p0 = mCurrent;
  if (p0.x == p.x && p0.y == p.y) return; // an arc to its own start draws nothing
  rx = std::abs(rx);
  ry = std::abs(ry);
  if (rx == 0 || ry == 0) {
    LineTo(p);
    return;
  }
  const double phi = angle * std::numbers::pi / 180, cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  // The start point in the ellipse's axes, seen from the chord's midpoint.
  const double dx = (p0.x - p.x) / 2, dy = (p0.y - p.y) / 2;
  const double x1 = cosPhi * dx + sinPhi * dy, y1 = -sinPhi * dx + cosPhi * dy;
  const double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
  if (lambda > 1) { // radii too small to reach: grow them until the chord is a diameter
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  double coef = std::sqrt(std::max(0.0, num / den));
  if (!std::isfinite(coef)) coef = 0;
  if (largeArc == sweep) coef = -coef;
  const double cx1 = coef * rx * y1 / ry, cy1 = -coef * ry * x1 / rx;
  const double cx = cosPhi * cx1 - sinPhi * cy1 + (p0.x + p.x) / 2;
  const double cy = sinPhi * cx1 + cosPhi * cy1 + (p0.y + p.y) / 2;
  const double theta = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
  double delta = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx) - theta;
  if (sweep && delta < 0) delta += 2 * std::numbers::pi;
  if (!sweep && delta > 0) delta -= 2 * std::numbers::pi;
  const int segments = std::clamp(int(std::ceil(std::abs(delta) / (std::numbers::pi / 2) - 1e-6)), 1, 4);
  const double step = delta / segments, k = 4.0 / 3.0 * std::tan(step / 4);
  const auto map = [&](double u, double v) {
    return Point{cx + rx * cosPhi * u - ry * sinPhi * v, cy + rx * sinPhi * u + ry * cosPhi * v};
  };
  for (int i = 0; i < segments; ++i) {
    const double a = theta + step * i, b = a + step;
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    const Point end = i + 1 == segments ? p : map(cb, sb);
    CubicTo(map(ca - k * sa, sa + k * ca), map(cb + k * sb, sb - k * cb), end);
  }
}

void PathBuilder::Close()
{
  if (mPath.points.empty()) return;
  const Point last = mPath.points.back();
  if (last.x != mStart.x || last.y != mStart.y) LineTo(mStart);
  mPath.closed = true;
  FinishPath();
  mCurrent = mStart;
}

void PathBuilder::FinishPath()
{
  if (mPath.points.size() >= 4) mPaths.push_back(std::move(mPath));
  mPath = LocalPath{};
}

std::vector<LocalPath> PathBuilder::Take()
{
  FinishPath();
  return std::move(mPaths);
}

void AppendPathData(std::string_view s, PathBuilder& b)
{
  char command = 0, previous = 0;
  Point control; // last control point, for the smooth curve commands
  for (;;) {
    SkipSeparators(s);
    if (s.empty()) return;
    if ((s[0] | 32) >= 'a' && (s[0] | 32) <= 'z') {
      command = s[0];
      s.remove_prefix(1);
      if ((command | 32) == 'z') {
        b.Close();
        previous = command;
        continue;
      }
      if (ArgumentCount(command) < 0) return;
    } else if (!command || (command | 32) == 'z') {
      return; // numbers without a command
    }
    if (!previous && (command | 32) != 'm') return; // path data starts with a move
    double v[7];
    if (!ReadArguments(s, v, ArgumentCount(command), (command | 32) == 'a')) return;
    const bool rel = command >= 'a';
    const Point cur = b.Current();
    const auto at = [&](int i) {
      return rel ? Point{cur.x + v[i], cur.y + v[i + 1]} : Point{v[i], v[i + 1]};
    };
    const bool afterCubic = (previous | 32) == 'c' || (previous | 32) == 's';
    const bool afterQuad = (previous | 32) == 'q' || (previous | 32) == 't';
    switch (command | 32) {
    case 'm':
      b.MoveTo(at(0));
      command = rel ? 'l' : 'L'; // further pairs are lines
      break;
    case 'l':
      b.LineTo(at(0));
      break;
    case 'h':
      b.LineTo({rel ? cur.x + v[0] : v[0], cur.y});
      break;
    case 'v':
      b.LineTo({cur.x, rel ? cur.y + v[0] : v[0]});
      break;
    case 'c':
      control = at(2);
      b.CubicTo(at(0), control, at(4));
      break;
    case 's': {
      const Point c1 = afterCubic ? Reflect(cur, control) : cur;
      control = at(0);
      b.CubicTo(c1, control, at(2));
      break;
    }
    case 'q':
      control = at(0);
      b.QuadTo(control, at(2));
      break;
    case 't':
      control = afterQuad ? Reflect(cur, control) : cur;
      b.QuadTo(control, at(0));
      break;
    case 'a':
      b.ArcTo(v[0], v[1], v[2], v[3] != 0, v[4] != 0, at(5));
      break;
    }
    previous = command;
    if (b.OverLimit()) return;
  }
}

void AppendRect(PathBuilder& b, double x, double y, double w, double h, double rx, double ry)
{
  const double r = x + w, bottom = y + h;
  if (rx <= 0 || ry <= 0) {
    b.MoveTo({x, y});
    b.LineTo({r, y});
    b.LineTo({r, bottom});
    b.LineTo({x, bottom});
    b.Close();
    return;
  }
  b.MoveTo({x + rx, y});
  b.LineTo({r - rx, y});
  b.ArcTo(rx, ry, 0, false, true, {r, y + ry});
  b.LineTo({r, bottom - ry});
  b.ArcTo(rx, ry, 0, false, true, {r - rx, bottom});
  b.LineTo({x + rx, bottom});
  b.ArcTo(rx, ry, 0, false, true, {x, bottom - ry});
  b.LineTo({x, y + ry});
  b.ArcTo(rx, ry, 0, false, true, {x + rx, y});
  b.Close();
}

void AppendEllipse(PathBuilder& b, double cx, double cy, double rx, double ry)
{
  b.MoveTo({cx + rx, cy});
  b.ArcTo(rx, ry, 0, false, true, {cx, cy + ry});
  b.ArcTo(rx, ry, 0, false, true, {cx - rx, cy});
  b.ArcTo(rx, ry, 0, false, true, {cx, cy - ry});
  b.ArcTo(rx, ry, 0, false, true, {cx + rx, cy});
  b.Close();
}

void AppendPoints(std::string_view list, bool close, PathBuilder& b)
{
  double v[2];
  for (int n = 0; ReadArguments(list, v, 2, false); ++n) {
    if (n == 0)
      b.MoveTo({v[0], v[1]});
    else
      b.LineTo({v[0], v[1]});
    SkipSeparators(list);
  }
  if (close) b.Close();
}

void CurveBounds(const std::vector<Point>& p, double bounds[4])
{
  if (p.empty()) return;
  double x0 = p[0].x, y0 = p[0].y, x1 = x0, y1 = y0;
  for (size_t i = 1; i + 2 < p.size(); i += 3) {
    const Point &a = p[i - 1], &b = p[i], &c = p[i + 1], &d = p[i + 2];
    x0 = std::min(x0, d.x), x1 = std::max(x1, d.x);
    y0 = std::min(y0, d.y), y1 = std::max(y1, d.y);
    CubicExtremes(a.x, b.x, c.x, d.x, x0, x1);
    CubicExtremes(a.y, b.y, c.y, d.y, y0, y1);
  }
  bounds[0] = x0, bounds[1] = y0, bounds[2] = x1, bounds[3] = y1;
}

} // namespace plugin::ui::svg

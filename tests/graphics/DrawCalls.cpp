#include "DrawCalls.h"

#include <cmath>
#include <set>
#include <sstream>
#include <string>

namespace drawcalls {

namespace {

double Weight(const IBlend* b)
{
  return b ? b->mWeight : 1.0;
}

double Method(const IBlend* b)
{
  return b ? static_cast<double>(b->mMethod) : 0.0;
}

} // namespace

CanvasCall Clear()
{
  return {"PathClear", {}, ""};
}

CanvasCall Close()
{
  return {"PathClose", {}, ""};
}

CanvasCall Move(double x, double y)
{
  return {"PathMoveTo", {x, y}, ""};
}

CanvasCall Line(double x, double y)
{
  return {"PathLineTo", {x, y}, ""};
}

CanvasCall Arc(double cx, double cy, double r, double a1, double a2)
{
  return {"PathArc", {cx, cy, r, a1, a2, 0}, ""};
}

CanvasCall Cubic(double c1x, double c1y, double c2x, double c2y, double x, double y)
{
  return {"PathCubicBezierTo", {c1x, c1y, c2x, c2y, x, y}, ""};
}

CanvasCall Winding(bool hole)
{
  return {"PathSetWinding", {hole ? 1.0 : 0.0}, ""};
}

CanvasCall Matrix(const IMatrix& m)
{
  return {"PathTransformSetMatrix", {m.xx, m.yx, m.xy, m.yy, m.tx, m.ty}, ""};
}

CanvasCall Clip(const IRECT& r)
{
  return {"SetClipRegion", {r.L, r.T, r.R, r.B}, ""};
}

CanvasCall Stroke(const IColor& c, double thickness, const IStrokeOptions& o, const IBlend* blend)
{
  return {"PathStroke",
          {0, double(c.A), double(c.R), double(c.G), double(c.B), thickness, o.mMiterLimit,
           o.mPreserve ? 1.0 : 0.0, double(o.mCapOption), double(o.mJoinOption), double(o.mDash.mCount),
           Method(blend), Weight(blend)},
          ""};
}

CanvasCall Fill(const IColor& c, const IFillOptions& o, const IBlend* blend)
{
  return {"PathFill",
          {0, double(c.A), double(c.R), double(c.G), double(c.B), double(o.mFillRule),
           o.mPreserve ? 1.0 : 0.0, Method(blend), Weight(blend)},
          ""};
}

Calls RectPath(const IRECT& r)
{
  return {Move(r.L, r.T), Line(r.R, r.T), Line(r.R, r.B), Line(r.L, r.B), Close()};
}

Calls Join(std::initializer_list<Calls> parts)
{
  Calls out;
  for (const Calls& p : parts)
    out.insert(out.end(), p.begin(), p.end());
  return out;
}

Calls DrawOnly(const Calls& calls)
{
  static const std::set<std::string> kDrawing = {"PathClear",
                                                 "PathClose",
                                                 "PathArc",
                                                 "PathMoveTo",
                                                 "PathLineTo",
                                                 "PathSetWinding",
                                                 "PathCubicBezierTo",
                                                 "PathQuadraticBezierTo",
                                                 "PathStroke",
                                                 "PathFill",
                                                 "PathTransformSetMatrix",
                                                 "SetClipRegion",
                                                 "DrawBitmap",
                                                 "DoDrawText"};
  Calls out;
  for (const CanvasCall& c : calls)
    if (kDrawing.count(c.op)) out.push_back(c);
  return out;
}

::testing::AssertionResult SameCalls(const Calls& actual, const Calls& expected, double tol)
{
  const size_t n = std::min(actual.size(), expected.size());
  for (size_t i = 0; i < n; ++i) {
    const CanvasCall& a = actual[i];
    const CanvasCall& e = expected[i];
    bool same = a.op == e.op && a.text == e.text && a.args.size() == e.args.size();
    for (size_t k = 0; same && k < a.args.size(); ++k)
      same = std::fabs(a.args[k] - e.args[k]) <= tol || (std::isnan(a.args[k]) && std::isnan(e.args[k]));
    if (!same) return ::testing::AssertionFailure() << "call " << i << ": got " << a << ", expected " << e;
  }
  if (actual.size() != expected.size()) {
    std::ostringstream os;
    os << actual.size() << " calls, expected " << expected.size();
    if (actual.size() > n) os << "; first extra: " << actual[n];
    if (expected.size() > n) os << "; first missing: " << expected[n];
    return ::testing::AssertionFailure() << os.str();
  }
  return ::testing::AssertionSuccess();
}

} // namespace drawcalls

#pragma once

#include "support/ui/CallTrace.h"
#include "support/ui/ShapeCanvas.h"

#include <string>
#include <vector>

namespace plugin::ui::test {

// A shape canvas that also records arcs, single-radius rounded rectangles, outlines and text with
// its colour, each as one call: colour A,R,G,B, geometry, then the blend weight (-1: none). Text:
// "text" colour, rectangle, then the string. Radial lines stay paths (clear M L stroke).
class ControlCanvas : public ShapeCanvas
{
public:
  using ShapeCanvas::ShapeCanvas;
  void DrawArc(C c, float cx, float cy, float r, float a1, float a2, B b, float t) override
  {
    Add("arc", c, b, {cx, cy, r, a1, a2, t});
  }
  void FillRoundRect(C c, const IRECT& r, float radius, B b) override
  {
    Add("fillRR1", c, b, {r.L, r.T, r.R, r.B, radius});
  }
  void DrawRoundRect(C c, const IRECT& r, float radius, B b, float t) override
  {
    Add("drawRR1", c, b, {r.L, r.T, r.R, r.B, radius, t});
  }
  void DrawRect(C c, const IRECT& r, B b, float t) override { Add("drawR", c, b, {r.L, r.T, r.R, r.B, t}); }
  void DoDrawText(const IText& t, const char* s, const IRECT& r, const IBlend* b) override
  {
    Add("text", t.mFGColor, b, {r.L, r.T, r.R, r.B});
    calls.back().text = s ? s : "";
  }

  // Trace of the calls named op, in order.
  std::string Only(const std::string& op) const { return Trace(CallsNamed(op)); }

private:
  void Add(const char* op, C c, B b, std::vector<double> geometry)
  {
    geometry.insert(geometry.begin(), {double(c.A), double(c.R), double(c.G), double(c.B)});
    geometry.push_back(b ? b->mWeight : -1.0);
    calls.push_back({op, geometry, ""});
  }
};

} // namespace plugin::ui::test

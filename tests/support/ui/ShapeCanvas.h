#pragma once

#include "support/ui/RecordingCanvas.h"

namespace plugin::ui::test {

// A recording canvas whose shape operations record themselves instead of building paths: a short
// name, the colour A,R,G,B, the geometry in argument order, then the blend weight (-1: no blend).
class ShapeCanvas : public RecordingCanvas
{
public:
  using RecordingCanvas::RecordingCanvas;
  using C = const IColor&;
  using B = const IBlend*;
  void FillRect(C c, const IRECT& r, B b) override { Rec("fillR", c, b, {r.L, r.T, r.R, r.B}); }
  void FillRoundRectCorners(C c, const IRECT& r, float tl, float tr, float bl, float br, B b) override
  {
    Rec("fillRR", c, b, {r.L, r.T, r.R, r.B, tl, tr, bl, br});
  }
  void DrawRoundRectCorners(C c, const IRECT& r, float tl, float tr, float bl, float br, B b,
                            float t) override
  {
    Rec("drawRR", c, b, {r.L, r.T, r.R, r.B, tl, tr, bl, br, t});
  }
  void FillEllipse(C c, const IRECT& r, B b) override { Rec("fillE", c, b, {r.L, r.T, r.R, r.B}); }
  void DrawEllipse(C c, const IRECT& r, B b, float t) override
  {
    Rec("drawE", c, b, {r.L, r.T, r.R, r.B, t});
  }
  void FillTriangle(C c, float x1, float y1, float x2, float y2, float x3, float y3, B b) override
  {
    Rec("fillT", c, b, {x1, y1, x2, y2, x3, y3});
  }
  void DrawTriangle(C c, float x1, float y1, float x2, float y2, float x3, float y3, B b, float t) override
  {
    Rec("drawT", c, b, {x1, y1, x2, y2, x3, y3, t});
  }
  void FillCircle(C c, float x, float y, float r, B b) override { Rec("circle", c, b, {x, y, r}); }
  void DrawLine(C c, float x1, float y1, float x2, float y2, B b, float t) override
  {
    Rec("line", c, b, {x1, y1, x2, y2, t});
  }

  // State the frame loop and event dispatch would set.
  void SetMouseDownPoint(float x, float y) { mMouseX = x, mMouseY = y; }
  void SetClip(const IRECT& r) { mClipRect = r; }

private:
  void Rec(const char* op, C c, B b, std::vector<double> geometry)
  {
    geometry.insert(geometry.begin(), {double(c.A), double(c.R), double(c.G), double(c.B)});
    geometry.push_back(b ? b->mWeight : -1.0);
    calls.push_back({op, geometry, ""});
  }
};

} // namespace plugin::ui::test

#pragma once

#include "support/ui/RecordingCanvas.h"

#include <initializer_list>

namespace plugin::ui::test {

// A recording canvas whose shape operations record themselves by name instead of building paths:
// colour (A, R, G, B), the geometry in argument order, then the blend weight (-1 for no blend).
// For tests of code that draws with shapes (vector base, text controls).
class ShapeCanvas : public RecordingCanvas
{
public:
  using RecordingCanvas::RecordingCanvas;

  // The expected record of a shape operation.
  static CanvasCall Shape(const char* op, const IColor& c, std::initializer_list<double> geometry,
                          double weight)
  {
    CanvasCall call{op, {double(c.A), double(c.R), double(c.G), double(c.B)}, ""};
    call.args.insert(call.args.end(), geometry.begin(), geometry.end());
    call.args.push_back(weight);
    return call;
  }
  static double WeightOf(const IBlend* b) { return b ? b->mWeight : -1.0; }

  void FillRect(const IColor& c, const IRECT& r, const IBlend* b) override
  {
    calls.push_back(Shape("FillRect", c, {r.L, r.T, r.R, r.B}, WeightOf(b)));
  }
  void DrawRect(const IColor& c, const IRECT& r, const IBlend* b, float t) override
  {
    calls.push_back(Shape("DrawRect", c, {r.L, r.T, r.R, r.B, t}, WeightOf(b)));
  }
  void FillRoundRectCorners(const IColor& c, const IRECT& r, float tl, float tr, float bl, float br,
                            const IBlend* b) override
  {
    calls.push_back(Shape("FillRoundRectCorners", c, {r.L, r.T, r.R, r.B, tl, tr, bl, br}, WeightOf(b)));
  }
  void DrawRoundRectCorners(const IColor& c, const IRECT& r, float tl, float tr, float bl, float br,
                            const IBlend* b, float t) override
  {
    calls.push_back(Shape("DrawRoundRectCorners", c, {r.L, r.T, r.R, r.B, tl, tr, bl, br, t}, WeightOf(b)));
  }
  void FillEllipse(const IColor& c, const IRECT& r, const IBlend* b) override
  {
    calls.push_back(Shape("FillEllipse", c, {r.L, r.T, r.R, r.B}, WeightOf(b)));
  }
  void DrawEllipse(const IColor& c, const IRECT& r, const IBlend* b, float t) override
  {
    calls.push_back(Shape("DrawEllipse", c, {r.L, r.T, r.R, r.B, t}, WeightOf(b)));
  }
  void FillTriangle(const IColor& c, float x1, float y1, float x2, float y2, float x3, float y3,
                    const IBlend* b) override
  {
    calls.push_back(Shape("FillTriangle", c, {x1, y1, x2, y2, x3, y3}, WeightOf(b)));
  }
  void DrawTriangle(const IColor& c, float x1, float y1, float x2, float y2, float x3, float y3,
                    const IBlend* b, float t) override
  {
    calls.push_back(Shape("DrawTriangle", c, {x1, y1, x2, y2, x3, y3, t}, WeightOf(b)));
  }
  void FillCircle(const IColor& c, float cx, float cy, float r, const IBlend* b) override
  {
    calls.push_back(Shape("FillCircle", c, {cx, cy, r}, WeightOf(b)));
  }
  void DrawLine(const IColor& c, float x1, float y1, float x2, float y2, const IBlend* b, float t) override
  {
    calls.push_back(Shape("DrawLine", c, {x1, y1, x2, y2, t}, WeightOf(b)));
  }

  // Dispatch state the frame loop and event handling would set.
  void SetMouseDownPoint(float x, float y)
  {
    mMouseX = x;
    mMouseY = y;
  }
  void SetClip(const IRECT& r) { mClipRect = r; }
};

} // namespace plugin::ui::test

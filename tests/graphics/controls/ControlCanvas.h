#pragma once

#include "../ShapeCanvas.h"
#include "../Trace.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <string>

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

// Names of the calls in order, as one line: path building, clips and measurements left out,
// path strokes and fills as stroke and fill, texts quoted.
inline std::string Ops(const std::vector<CanvasCall>& calls)
{
  std::string out;
  for (const CanvasCall& c : calls) {
    const bool path = c.op.rfind("Path", 0) == 0;
    if ((path && c.op != "PathStroke" && c.op != "PathFill") || c.op == "DoMeasureText" ||
        c.op == "SetClipRegion")
      continue;
    const std::string op = path ? (c.op == "PathStroke" ? "stroke" : "fill") : c.op;
    out += (out.empty() ? "" : " ") + op + (c.text.empty() ? "" : "'" + c.text + "'");
  }
  return out;
}

// Red channel of every call named op: face fills are 200 unpressed, 240 pressed.
inline std::string Faces(const RecordingCanvas& g, const char* op = "fillRR")
{
  std::string out;
  for (const CanvasCall& c : g.CallsNamed(op))
    out += std::to_string(int(c.args[1])) + " ";
  return out;
}

// The rectangle as Trace writes numbers.
inline std::string Box(const IRECT& r)
{
  return Nums({r.L, r.T, r.R, r.B});
}

// A style without label, value, frame or shadow unless the flags ask: l label, v value, f frame,
// s shadows.
inline IVStyle Plain(const std::string& flags = "")
{
  auto has = [&](char f) { return flags.find(f) != std::string::npos; };
  IVStyle s;
  s.showLabel = has('l'), s.showValue = has('v'), s.drawFrame = has('f'), s.drawShadows = has('s');
  return s;
}

// A 300 x 200 recording editor with the scripted parameters (Gain -12..12 dB, Steps 0..10, Mode
// Off/Soft/Hard, Bypass).
class ControlTest : public ::testing::Test
{
protected:
  // Attaches c and forgets what attaching recorded.
  template <class T> T* Attach(T* c)
  {
    g.AttachControl(c);
    g.ClearCalls();
    dlg.calls.clear();
    return c;
  }
  // A press and release at (x, y).
  void Click(float x, float y, const IMouseMod& mod = LeftButton())
  {
    g.OnMouseDown(Press(x, y, mod));
    g.OnMouseUp(Press(x, y, mod));
  }

  TestEditorDelegate dlg;
  ControlCanvas g{dlg};
};

} // namespace plugin::ui::test

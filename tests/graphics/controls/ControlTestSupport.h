#pragma once

#include "support/ui/ControlCanvas.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <string>

namespace plugin::ui::test {

// Red channel of every call named op: face fills are 200 unpressed, 240 pressed.
inline std::string Faces(const RecordingCanvas& g, const char* op = "fillRR")
{
  std::string out;
  for (const CanvasCall& c : g.CallsNamed(op))
    out += std::to_string(int(c.args[1])) + " ";
  return out;
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

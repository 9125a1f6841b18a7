#pragma once

#include "ControlTestSupport.h"

#include <set>
#include <string>
#include <vector>

namespace plugin::ui::test {

// Rectangles as Trace writes numbers, space-separated.
inline std::string Rects(const std::vector<IRECT>& rects)
{
  std::string out;
  for (const IRECT& r : rects)
    out += (out.empty() ? "" : " ") + Box(r);
  return out;
}

// Controls attached to a recording canvas of type C (clipped to 300 x 200) over a delegate with
// eight parameters.
template <class C = ShapeCanvas> class DrawnControls : public ::testing::Test
{
protected:
  void SetUp() override { g.SetClip(IRECT(0, 0, 300, 200)); }
  template <class T> T* Attach(T* c, const char* group = "") { return g.AttachControl(c, -1, group), c; }
  // The calls of one draw of c, traced without those in skip.
  std::string Drawn(IControl* c, const std::set<std::string>& skip = {"DoMeasureText"})
  {
    g.ClearCalls();
    c->Draw(g);
    return Trace(g.calls, skip);
  }
  TestEditorDelegate dlg{8};
  C g{dlg};
};

} // namespace plugin::ui::test

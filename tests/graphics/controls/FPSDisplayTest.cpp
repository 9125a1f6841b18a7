#include "graphics/ShapeCanvas.h"
#include "graphics/Trace.h"
#include "graphics/controls/IFPSDisplayControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

class FPSDisplay : public ::testing::Test
{
protected:
  // Bounds (0, 0, 104, 54): the graph area r is (2, 2, 102, 52), 100 x 50.
  IFPSDisplayControl* Make(int kind)
  {
    auto* d = new IFPSDisplayControl(IRECT(0, 0, 104, 54), kind, "Frame Time");
    g.AttachControl(d);
    return d;
  }
  // One draw: the texts in order, and the graph's line-to points.
  std::string Texts(IFPSDisplayControl* d)
  {
    g.ClearCalls();
    d->Draw(g);
    return Trace(g.CallsNamed("DoDrawText"));
  }
  // The graph's path: the line-tos after its move-to, which follows the outline's.
  std::vector<CanvasCall> Graph()
  {
    std::vector<CanvasCall> lines;
    int moves = 0;
    for (const CanvasCall& c : g.calls) {
      moves += c.op == "PathMoveTo";
      if (moves == 2 && c.op == "PathLineTo") lines.push_back(c);
    }
    return lines;
  }
  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
};

} // namespace

// Frames per second is 100 / sum of the 100 samples (0, not infinity, for an empty ring) over
// sum x 10 ms; milliseconds sum x 10; percent sum x 0.01. Back end name (size 14) and label
// (size 14) come first, the figure (18) and the milliseconds below it (15) last.
TEST_F(FPSDisplay, FiguresOfEachKindFromTheRing)
{
  auto* d = Make(IFPSDisplayControl::kFrequency);
  const char* names = "DoDrawText2,2,102,52,14,1'Recording' DoDrawText2,2,102,52,14,1'Frame Time' ";
  std::string shown;
  for (int kind = 0; kind < 3; ++kind, d->OnMouseDown(0, 0, RightButton()))
    shown += Texts(d).substr(std::string(names).size()) + " | ";
  for (int i = 0; i < 100; ++i)
    d->AddSample(0.02f);
  for (int kind = 0; kind < 3; ++kind, d->OnMouseDown(0, 0, LeftButton()))
    shown += Texts(d).substr(std::string(names).size()) + " | ";
  EXPECT_EQ(shown, "DoDrawText2,2,102,52,18,1'0.00 FPS' DoDrawText2,2,102,52,15,1'0.00 ms' | "
                   "DoDrawText2,2,102,52,18,1'0.00 ms' | DoDrawText2,2,102,52,18,1'0.0 %' | "
                   "DoDrawText2,2,102,52,18,1'50.00 FPS' DoDrawText2,2,102,52,15,1'20.00 ms' | "
                   "DoDrawText2,2,102,52,18,1'20.00 ms' | DoDrawText2,2,102,52,18,1'0.0 %' | ");
  EXPECT_EQ(Texts(d).substr(0, std::string(names).size()), names);
  EXPECT_EQ(d->GetType(), IFPSDisplayControl::kFrequency); // three clicks went round
  EXPECT_EQ(Make(7)->GetType(), IFPSDisplayControl::kFrequency);
}

// A white face outlined in black; the graph runs from r's bottom left through 100 points at
// x = 2 + i x 1.0101 to the bounds' bottom right. Point i shows slot (i + last written) mod 100,
// so the newest sample comes first and the oldest last; samples beyond the ceiling (80 FPS,
// 20 ms, 100) reach the top, an empty ring lies flat at the bottom in milliseconds.
TEST_F(FPSDisplay, GraphOfTheRing)
{
  auto* ms = Make(IFPSDisplayControl::kMilliseconds);
  Texts(ms);
  EXPECT_EQ(Trace({g.calls[0], g.CallsNamed("PathMoveTo")[1], Graph()[0], Graph()[99], Graph()[100]}),
            "fillR255,255,255,255,0,0,104,54,-1 M2,52 L2,52 L102,52 L104,54");
  for (float s : {0.05f, 0.01f, 0.02f}) // 50 ms (beyond 20), 10 ms, 20 ms
    ms->AddSample(s);
  Texts(ms);
  EXPECT_EQ(Trace({Graph()[0], Graph()[1], Graph()[98], Graph()[99]}), "L2,2 L3.01,52 L100.99,2 L102,27");
  auto* fps = Make(IFPSDisplayControl::kFrequency);
  for (float s : {0.02f, 0.001f, std::numeric_limits<float>::quiet_NaN()})
    fps->AddSample(s);
  Texts(fps); // 1 / 0.02001 s: 49.975 FPS at 0.0125 of the height per FPS; 1000 FPS: the top
  EXPECT_EQ(Trace({Graph()[0], Graph()[98], Graph()[99]}), "L2,52 L100.99,20.766 L102,2");
  auto* pct = Make(IFPSDisplayControl::kPercentage);
  pct->AddSample(150.f);
  pct->AddSample(30.f);
  Texts(pct);
  EXPECT_EQ(Trace({Graph()[0], Graph()[99]}), "L2,37 L102,2");
  // It redraws every frame.
  pct->SetClean();
  EXPECT_TRUE(pct->IsDirty());
}

#include "graphics/attached/IFPSDisplayControl.h"
#include "support/ui/CallTrace.h"
#include "support/ui/ShapeCanvas.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <limits>

using namespace plugin::ui;
using namespace plugin::ui::test;

// Frames per second 100 / sum of the 100 samples (0, not infinity, for an empty ring) with
// sum x 10 ms below; milliseconds sum x 10; percent sum x 0.01. The texts follow the back end's
// name and the label; three clicks go round.
TEST(FPSDisplay, FiguresOfEachKind)
{
  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
  auto* d = new IFPSDisplayControl(IRECT(0, 0, 104, 54), 7); // an unknown kind: frequency
  g.AttachControl(d);
  std::string shown;
  for (int round = 0; round < 2; ++round) {
    for (int kind = 0; kind < 3; ++kind, d->OnMouseDown(0, 0, RightButton())) {
      g.ClearCalls();
      d->Draw(g);
      const auto texts = g.CallsNamed("DoDrawText");
      shown += Trace({texts.begin() + 2, texts.end()}) + " | ";
    }
    for (int i = 0; i < 100; ++i)
      d->AddSample(0.02f);
  }
  EXPECT_EQ(shown, "DoDrawText2,2,102,52,18,1'0.00 FPS' DoDrawText2,2,102,52,15,1'0.00 ms' | "
                   "DoDrawText2,2,102,52,18,1'0.00 ms' | DoDrawText2,2,102,52,18,1'0.0 %' | "
                   "DoDrawText2,2,102,52,18,1'50.00 FPS' DoDrawText2,2,102,52,15,1'20.00 ms' | "
                   "DoDrawText2,2,102,52,18,1'20.00 ms' | DoDrawText2,2,102,52,18,1'0.0 %' | ");
  EXPECT_EQ(Trace({g.CallsNamed("DoDrawText")[0], g.CallsNamed("DoDrawText")[1]}),
            "DoDrawText2,2,102,52,14,1'Recording' DoDrawText2,2,102,52,14,1'Frame Time'");
  d->SetClean();
  EXPECT_TRUE(d->GetType() == IFPSDisplayControl::kFrequency && d->IsDirty()); // redrawn every frame
}

// Bar heights as fractions of the graph: 0.0125 per frame per second up to 80, 0.05 per ms up to
// 20, 0.01 per unit up to 100; an empty ring lies flat in milliseconds; NaN is no bar.
TEST(FPSDisplay, BarHeightsAndTheirOrder)
{
  const std::tuple<int, float, double> bars[] = {{0, 0.02f, 0.0125 / (0.02 + 1e-5)},
                                                 {0, 0.001f, 1.0},
                                                 {0, 0.f, 1.0},
                                                 {1, 0.f, 0.0},
                                                 {1, 0.01f, 0.5},
                                                 {1, 0.05f, 1.0},
                                                 {2, 30.f, 0.3},
                                                 {2, 150.f, 1.0},
                                                 {0, std::nanf(""), 0.0}};
  for (const auto& [kind, sample, height] : bars)
    EXPECT_NEAR(IFPSDisplayControl::BarFraction(kind, sample), height, 1e-6) << kind << " " << sample;
  // The graph runs from r's bottom left (r = (2, 2, 102, 52)) through x = 2 + i x 1.0101 to the
  // bounds' bottom right; point i shows slot (i + last written) mod 100: the newest first.
  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
  IFPSDisplayControl ms(IRECT(0, 0, 104, 54), IFPSDisplayControl::kMilliseconds);
  for (float s : {0.05f, 0.01f, 0.02f})
    ms.AddSample(s);
  ms.Draw(g);
  std::vector<CanvasCall> graph; // after the outline's path
  for (size_t i = 0, moves = 0; i < g.calls.size(); ++i)
    if ((moves += g.calls[i].op == "PathMoveTo") == 2 && g.calls[i].op != "PathClear")
      graph.push_back(g.calls[i]);
  EXPECT_EQ(Trace({graph[0], graph[1], graph[2], graph[99], graph[100], graph[101], graph[102]}),
            "M2,52 L2,2 L3.01,52 L100.99,2 L102,27 L104,54 fill0,255,200,200,200,0,0,0,1");
}

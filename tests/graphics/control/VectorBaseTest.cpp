#include "framework/runloop/RunLoop.h"
#include "framework/runloop/RunLoopClock.h"
#include "graphics/control/IVectorBase.h"
#include "support/ui/CallTrace.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/ShapeCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

class VectorControl : public IControl, public IVectorBase
{
public:
  VectorControl(const char* label, const IVStyle& style, bool inWidget = false)
      : IControl(IRECT(0, 0, 100, 50), -1), IVectorBase(style, inWidget, inWidget)
  {
    AttachIControl(this, label);
  }
  void Draw(ICanvas&) override {}
  void OnStyleChanged() override { ++styleChanges; }
  int styleChanges = 0;
};

// A style from flags: 0-3 and 7 label position, T/M value alignment, h value hidden, f widget
// fraction 0.5, e embossed, r roundness 1 without shadow and frame, a angle 180, L label hidden,
// z label text of size 0.
IVStyle Style(const std::string& flags)
{
  IVStyle s;
  for (char c : flags) {
    if (c >= '0' && c <= '9') s.labelPosition = c - '0';
    s.valueText.mVAlign = c == 'T' ? EVAlign::Top : c == 'M' ? EVAlign::Middle : s.valueText.mVAlign;
    s.showValue = s.showValue && c != 'h';
    s.widgetFraction = c == 'f' ? 0.5f : s.widgetFraction;
    s.embossed = s.embossed || c == 'e';
    s.angle = c == 'a' ? 180.f : s.angle;
    if (c == 'r') s.roundness = 1, s.drawShadows = s.drawFrame = false;
    s.showLabel = s.showLabel && c != 'L';
    s.labelText.mSize = c == 'z' ? 0.f : s.labelText.mSize;
  }
  return s;
}

class VectorBase : public ::testing::Test
{
protected:
  VectorBase() { g.SetClip(IRECT(0, 0, 300, 200)); }
  VectorControl* Make(const char* label, const std::string& flags = "", bool inWidget = false)
  {
    auto* v = new VectorControl(label, Style(flags), inWidget);
    g.AttachControl(v);
    return v;
  }

  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
};

} // namespace

// Text measures 0.5 x size per character by size: "Gain" at 19 is 38 x 19, "0.50" at 14 is 28 x 14
// (the value's half width 28 x 0.66 = 18.48).
TEST_F(VectorBase, MakeRectsLaysOutLabelValueAndWidget)
{
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      // label value flags: area label value widget
      {"", "", "", "0,0,100,100 0,0,0,0 50,100,50,100 0,0,100,100"},
      {"Gain", "", "", "0,19,100,100 31,0,69,19 50,100,50,100 0,19,100,100"},
      {"Gain", "", "1", "0,0,62,100 62,40.5,100,59.5 31,100,31,100 0,0,62,100"},
      {"Gain", "", "2", "0,0,100,81 31,81,69,100 50,81,50,81 0,0,100,81"},
      {"Gain", "", "3", "38,0,100,100 0,40.5,38,59.5 69,100,69,100 38,0,100,100"},
      {"", "0.50", "", "0,0,100,100 0,0,0,0 31.52,86,68.48,100 0,0,100,86"},
      {"", "0.50", "T", "0,0,100,100 0,0,0,0 31.52,0,68.48,14 0,14,100,100"},
      {"", "0.50", "M", "0,0,100,100 0,0,0,0 31.52,43,68.48,57 0,0,100,100"},
      {"", "0.50", "hf", "0,0,100,100 0,0,0,0 0,0,0,0 25,25,75,75"},
      // A handle: the area less half the frame and the shadow room, the value strip included.
      {"Gain", "0.50", "H", "0,19,100,100 31,0,69,19 31.52,86,68.48,100 3.5,19.5,96.5,96.5"},
      {"Gain", "1", "IL",
       "0,0,100,100 0,0,100,100 0,0,100,100 0,0,100,100"}, // inside the widget: no room taken, even hidden
      {"Gain", "", "L", "0,0,100,100 0,0,0,0 50,100,50,100 0,0,100,100"},
      {"", "", "T", "0,0,100,100 0,0,0,0 50,0,50,0 0,0,100,100"},
      {"", "", "M", "0,0,100,100 0,0,0,0 50,50,50,50 0,0,100,100"},
      {"Gain", "0.50", "f", "0,19,100,100 31,0,69,19 31.52,86,68.48,100 25,35.75,75,69.25"}, // widget only
      {"Gain", "", "z", "0,1,100,100 49.5,-0.5,50.5,0.5 50,100,50,100 0,1,100,100"}}; // a 1 x 1 label box
  for (const auto& [label, value, flags, rects] : cases) {
    VectorControl* v = Make(label, flags, std::string(flags).find('I') != std::string::npos);
    v->SetValueStr(value);
    const IRECT area = v->MakeRects(IRECT(0, 0, 100, 100), std::string(flags) == "H");
    EXPECT_EQ(Box(area) + " " + Box(v->GetLabelBounds()) + " " + Box(v->GetValueBounds()) + " " +
                  Box(v->GetWidgetBounds()),
              rects);
  }
  // A parent without area, or not finite, lays out to nothing.
  for (const IRECT& bad : {IRECT(), IRECT(10, 10, 0, 0), IRECT(0, 0, NAN, 10), IRECT(-INFINITY, 0, 10, 10)}) {
    VectorControl* v = Make("Gain");
    v->SetValueStr("0.50");
    EXPECT_EQ(Box(v->MakeRects(bad)) + Box(v->GetLabelBounds()) + Box(v->GetValueBounds()) +
                  Box(v->GetWidgetBounds()),
              "0,0,0,00,0,0,00,0,0,00,0,0,0");
  }
  VectorControl* odd = Make("Gain"); // an unknown position keeps the last label rectangle, takes no room
  odd->MakeRects(IRECT(0, 0, 100, 100));
  odd->SetStyle(Style("7"));
  EXPECT_EQ(Box(odd->MakeRects(IRECT(0, 0, 200, 100))) + " " + Box(odd->GetLabelBounds()),
            "0,0,200,100 31,0,69,19");

  g.ClearCalls();
  VectorControl* v = Make("Gain");
  v->SetValueStr("0.50");
  v->MakeRects(IRECT(0, 0, 100, 100));
  v->DrawBackground(g, IRECT(1, 2, 3, 4)), v->DrawLabel(g), v->DrawValue(g, true);
  VectorControl* flat = Make("Gain", "h"); // never laid out: no label height; value hidden
  flat->DrawLabel(g), flat->DrawValue(g, false);
  EXPECT_EQ(Trace(g.calls),
            "fillR0,0,0,0,1,2,3,4,1 DoDrawText31,0,69,19,19,1'Gain' fillR10,0,0,0,31.52,86,68.48,100,-1 "
            "DoDrawText31.52,86,68.48,100,14,1'0.50'");
}

// Default colours: shadow 60,0,0,0; face 255,200,200,200; pressed 255,240,240,240; frame 255,70,70,70;
// highlight 10,0,0,0. Weight 1 is the control's blend, -1 none. H = (3.5, 0.5, 96.5, 46.5).
TEST_F(VectorBase, PressableShapesInEveryLook)
{
  const std::string h = "3.5,0.5,96.5,46.5,0,0,0,0,";
  const std::string shadow = "fillRR60,0,0,0,6.5,3.5,99.5,49.5,0,0,0,0,1 ";
  const std::string frame = " drawRR255,70,70,70," + h + "1,1";
  const std::string eFrame = " drawE255,70,70,70,0,0,100,50,1,1";
  const std::string splash = " circle10,0,0,0,12,34,20,-1 clip0,0,300,200";
  // {shape, style flags, pressed/over/disabled/animating, drawn}
  const std::tuple<EVShape, const char*, const char*, std::string> cases[] = {
      {EVShape::Rectangle, "", "o",
       shadow + "fillRR255,200,200,200," + h + "-1 fillRR10,0,0,0," + h + "1" + frame},
      {EVShape::AllRounded, "", "d",
       shadow + "fillRR255,137,137,137," + h + "-1" + frame}, // tinted, still shadowed
      {EVShape::Rectangle, "", "pa",
       "fillRR255,240,240,240," + h + "-1 clip3.5,0.5,96.5,46.5" + splash + frame},
      {EVShape::Rectangle, "e", "o",
       shadow + "fillRR255,240,240,240," + h +
           "-1 fillRR60,0,0,0,6.5,3.5,99.5,49.5,0,0,0,0,-1 "
           "fillRR255,200,200,200,6.5,3.5,93.5,43.5,0,0,0,0,-1 fillRR10,0,0,0,6.5,3.5,93.5,43.5,0,0,0,0,1" +
           frame},
      {EVShape::Rectangle, "e", "pd",
       "fillRR255,240,240,240," + h + "1 fillRR60,0,0,0," + h +
           "1 fillRR255,137,137,137,6.5,3.5,96.5,"
           "46.5,0,0,0,0,-1 fillRR255,240,240,240,6.5,3.5,93.5,43.5,0,0,0,0,1" +
           frame},
      {EVShape::TopRounded, "r", "",
       "fillRR255,200,200,200,0,0,100,50,25,25,0,0,-1"}, // radius min(100, 50) x 0.5
      {EVShape::Ellipse, "", "", "fillE60,0,0,0,3,3,103,53,-1 fillE255,200,200,200,0,0,100,50,-1" + eFrame},
      {EVShape::Ellipse, "", "od",
       "fillE255,137,137,137,0,0,100,50,-1 fillE10,0,0,0,0,0,100,50,1" + eFrame}, // no shadow
      {EVShape::Ellipse, "", "pa", "fillE255,240,240,240,0,0,100,50,-1 clip0,0,100,50" + splash + eFrame},
      {EVShape::Ellipse, "e", "p",
       "fillE255,240,240,240,0,0,100,50,1 fillE60,0,0,0,0,0,100,50,1 fillE255,200,200,200,3,3,100,50,"
       "-1 fillE255,240,240,240,3,3,97,47,-1" +
           eFrame},
      {EVShape::Triangle, "", "",
       "fillT60,0,0,0,6.5,49.5,53,3.5,99.5,49.5,1 fillT255,200,200,200,3.5,46.5,50,0.5,96.5,46.5,-1 "
       "drawT255,70,70,70,3.5,46.5,50,0.5,96.5,46.5,1,1"}, // points up
      {EVShape::Triangle, "a", "poa",
       "fillT255,240,240,240,96.5,0.5,50,46.5,3.5,0.5,-1 fillT10,0,0,0,96.5,0.5,50,46.5,3.5,0.5,1 "
       "clip0,0,300,200" +
           splash + " drawT255,70,70,70,96.5,0.5,50,46.5,3.5,0.5,1,1"}, // down; its splash unclipped
      {static_cast<EVShape>(9), "", "o", ""}};
  for (const auto& [shape, flags, state, drawn] : cases) {
    VectorControl* v = Make("", flags);
    v->SetSplashPoint(12, 34);
    v->SetSplashRadius(20);
    const std::string s = state;
    if (s.find('a') != std::string::npos) v->SetAnimationFunction([](IControl*) {});
    g.ClearCalls();
    v->DrawPressableShape(g, shape, v->GetBounds(), s.find('p') != s.npos, s.find('o') != s.npos,
                          s.find('d') != s.npos);
    EXPECT_EQ(Trace(g.calls, {"PathTransformSetMatrix"}), drawn) << int(shape) << flags << state;
  }
  EXPECT_EQ(IVectorBase::Tinted(IColor(255, 100, 10, 250), true), IColor(255, 37, 0, 187));
}

TEST_F(VectorBase, SplashStyleAndHighlightDot)
{
  plugin::ManualRunLoopClock clock(1000.0);
  plugin::RunLoop::Main().SetClock(&clock);
  VectorControl* v = Make("");
  auto* plain = new RecordingControl(IRECT(0, 0, 50, 40)); // without the vector part: only timed
  g.AttachControl(plain);
  g.SetMouseDownPoint(12, 34);
  SplashClickAction(v), SplashClickAction(plain), SplashClickAction(nullptr);
  float x = 0, y = 0;
  v->GetSplashPoint(x, y);
  std::string steps = Nums({x, y, double(v->styleChanges), v->GetAnimationDurationMs()});
  for (double ms : {25.0, 25.0, 50.0, 0.5}) {
    clock.AdvanceMs(ms);
    v->SetClean();
    v->StepAnimation(), plain->StepAnimation();
    steps += " " + Nums({v->GetSplashRadius(), double(bool(v->GetAnimationFunction())),
                         double(v->GetNeedsRedraw()), double(bool(plain->GetAnimationFunction()))});
  }
  EXPECT_EQ(steps, "12,34,1,100 12.5,1,1,1 25,1,1,1 50,1,1,1 50,0,1,0");
  plugin::RunLoop::Main().SetClock(nullptr);

  VectorControl* b = Make("b");
  const IVStyle style = Style("2e");
  g.StyleAllVectorControls(style);
  EXPECT_TRUE(v->GetStyle() == style && b->GetStyle() == style && b->styleChanges == 1);

  plain->SetHitRect(IRECT(10, 10, 50, 40));
  plain->SetClean();
  plain->SetHighlightDot(true, 1);
  plain->SetHighlightDot(true, 9); // unknown choice: the colour stays
  EXPECT_TRUE(plain->GetNeedsRedraw());
  g.ClearCalls();
  plain->DrawHighlightDot(g);
  plain->SetHighlightDot(false, 3);
  plain->DrawHighlightDot(g);
  EXPECT_EQ(Trace(g.calls) + (plain->GetHighlightDotColor() == COLOR_YELLOW ? " yellow" : ""),
            "circle255,0,0,255,45,15,2,-1 yellow");
}

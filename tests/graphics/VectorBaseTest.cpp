#include "DrawCalls.h"
#include "ShapeCanvas.h"
#include "framework/runloop/RunLoop.h"
#include "framework/runloop/RunLoopClock.h"
#include "graphics/IVectorBase.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using drawcalls::Calls;
using drawcalls::SameCalls;

namespace {

class VectorControl : public IControl, public IVectorBase
{
public:
  VectorControl(const IRECT& bounds, const char* label, const IVStyle& style = DEFAULT_STYLE,
                bool labelInWidget = false, bool valueInWidget = false)
      : IControl(bounds, -1), IVectorBase(style, labelInWidget, valueInWidget)
  {
    AttachIControl(this, label);
  }
  void Draw(ICanvas&) override {}
  void OnStyleChanged() override { ++styleChanges; }
  int styleChanges = 0;
};

const IRECT kArea(0, 0, 300, 200);
const IVColorSpec& kSpec = DEFAULT_COLOR_SPEC;
const IColor kShadow = kSpec.GetColor(EVColor::Shadow);
const IColor kFg = kSpec.GetColor(EVColor::Foreground);
const IColor kPressed = kSpec.GetColor(EVColor::Pressed);
const IColor kFrame = kSpec.GetColor(EVColor::Frame);
const IColor kHigh = kSpec.GetColor(EVColor::Highlight);
constexpr double kNone = -1.0; // no blend
constexpr double kB = 1.0;     // the control's blend

IColor Dim(const IColor& c)
{
  return IVectorBase::Tinted(c, true);
}

CanvasCall RR(const char* op, const IColor& c, const IRECT& r, double radius, double weight)
{
  return ShapeCanvas::Shape(op, c, {r.L, r.T, r.R, r.B, radius, radius, radius, radius}, weight);
}
CanvasCall FillRR(const IColor& c, const IRECT& r, double w, double radius = 0)
{
  return RR("FillRoundRectCorners", c, r, radius, w);
}
CanvasCall FrameRR(const IRECT& r, double radius = 0)
{
  CanvasCall call = RR("DrawRoundRectCorners", kFrame, r, radius, kB);
  call.args.insert(call.args.end() - 1, 1.0); // thickness
  return call;
}
CanvasCall Ellipse(const IColor& c, const IRECT& r, double w)
{
  return ShapeCanvas::Shape("FillEllipse", c, {r.L, r.T, r.R, r.B}, w);
}
CanvasCall Clip(const IRECT& r)
{
  return drawcalls::Clip(r);
}

class VectorBaseTest : public ::testing::Test
{
protected:
  VectorBaseTest() { g.SetClip(kArea); }

  VectorControl* Attach(VectorControl* c)
  {
    g.AttachControl(c);
    return c;
  }
  // Shape operations and clips only.
  Calls Shapes() const
  {
    Calls out;
    for (const auto& c : g.calls)
      if (c.op != "PathTransformSetMatrix") out.push_back(c);
    return out;
  }

  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
};

} // namespace

TEST_F(VectorBaseTest, MakeRectsLaysOutLabelValueAndWidget)
{
  // Text measures 0.5 x size per character wide and size high: "Gain" at 19 is 38 x 19, "0.50"
  // at 14 is 28 x 14 (half width 28 x 0.66).
  const IRECT parent(0, 0, 100, 100);
  auto style = [](int labelPos, EVAlign valueAlign, bool showValue = true) {
    IVStyle s;
    s.labelPosition = labelPos;
    s.valueText.mVAlign = valueAlign;
    s.showValue = showValue;
    return s;
  };
  const float hw = 28 * 0.66f;
  const struct
  {
    const char* name;
    const char* label;
    const char* value;
    IVStyle style;
    bool hasHandle;
    IRECT area, labelR, valueR, widget;
  } cases[] = {
      {"nothing to show", "", "", style(0, EVAlign::Bottom), false, parent, IRECT(), IRECT(50, 100, 50, 100),
       parent},
      {"label above", "Gain", "", style(0, EVAlign::Bottom), false, IRECT(0, 19, 100, 100),
       IRECT(31, 0, 69, 19), IRECT(50, 100, 50, 100), IRECT(0, 19, 100, 100)},
      {"label right", "Gain", "", style(1, EVAlign::Bottom), false, IRECT(0, 0, 62, 100),
       IRECT(62, 40.5f, 100, 59.5f), IRECT(31, 100, 31, 100), IRECT(0, 0, 62, 100)},
      {"label below", "Gain", "", style(2, EVAlign::Bottom), false, IRECT(0, 0, 100, 81),
       IRECT(31, 81, 69, 100), IRECT(50, 81, 50, 81), IRECT(0, 0, 100, 81)},
      {"label left", "Gain", "", style(3, EVAlign::Bottom), false, IRECT(38, 0, 100, 100),
       IRECT(0, 40.5f, 38, 59.5f), IRECT(69, 100, 69, 100), IRECT(38, 0, 100, 100)},
      {"value below", "", "0.50", style(0, EVAlign::Bottom), false, parent, IRECT(),
       IRECT(50 - hw, 86, 50 + hw, 100), IRECT(0, 0, 100, 86)},
      {"value above", "", "0.50", style(0, EVAlign::Top), false, parent, IRECT(),
       IRECT(50 - hw, 0, 50 + hw, 14), IRECT(0, 14, 100, 100)},
      {"value centred", "", "0.50", style(0, EVAlign::Middle), false, parent, IRECT(),
       IRECT(50 - hw, 43, 50 + hw, 57), parent},
      {"value hidden", "", "0.50", style(0, EVAlign::Top, false), false, parent, IRECT(), IRECT(), parent},
      // With a handle the widget is the frame and shadow inset of the area, value strip included.
      {"handle", "Gain", "0.50", style(0, EVAlign::Bottom), true, IRECT(0, 19, 100, 100),
       IRECT(31, 0, 69, 19), IRECT(50 - hw, 86, 50 + hw, 100), IRECT(3.5f, 19.5f, 96.5f, 96.5f)},
  };
  for (const auto& c : cases) {
    auto* v = Attach(new VectorControl(parent, c.label, c.style));
    v->SetValueStr(c.value);
    EXPECT_EQ(v->MakeRects(parent, c.hasHandle), c.area) << c.name;
    EXPECT_EQ(v->GetLabelBounds(), c.labelR) << c.name;
    EXPECT_NEAR(v->GetValueBounds().L, c.valueR.L, 1e-4) << c.name;
    EXPECT_EQ(v->GetValueBounds().T, c.valueR.T) << c.name;
    EXPECT_NEAR(v->GetValueBounds().R, c.valueR.R, 1e-4) << c.name;
    EXPECT_EQ(v->GetValueBounds().B, c.valueR.B) << c.name;
    EXPECT_EQ(v->GetWidgetBounds(), c.widget) << c.name;
  }
}

TEST_F(VectorBaseTest, MakeRectsInWidgetFractionAndUnknownPositions)
{
  IVStyle half;
  half.widgetFraction = 0.5f;
  half.showValue = false;
  auto* v = Attach(new VectorControl(IRECT(), "", half));
  v->MakeRects(IRECT(0, 0, 100, 100));
  EXPECT_EQ(v->GetWidgetBounds(), IRECT(25, 25, 75, 75));

  // Label and value inside the widget: the label takes no room.
  auto* in = Attach(new VectorControl(IRECT(), "Gain", DEFAULT_STYLE, true, true));
  in->SetValueStr("1");
  EXPECT_EQ(in->MakeRects(IRECT(0, 0, 100, 100)), IRECT(0, 0, 100, 100));
  EXPECT_EQ(in->GetLabelBounds(), in->GetWidgetBounds());
  EXPECT_EQ(in->GetValueBounds(), in->GetWidgetBounds());

  // A label position outside 0..3 keeps the last label rectangle and takes no room.
  IVStyle odd;
  odd.labelPosition = 0;
  auto* o = Attach(new VectorControl(IRECT(), "Gain", odd));
  o->MakeRects(IRECT(0, 0, 100, 100));
  odd.labelPosition = 7;
  o->SetStyle(odd);
  EXPECT_EQ(o->MakeRects(IRECT(0, 0, 200, 100)), IRECT(0, 0, 200, 100));
  EXPECT_EQ(o->GetLabelBounds(), IRECT(31, 0, 69, 19));

  // Not attached: nothing can be measured, so the texts count as empty sizes.
  VectorControl loose(IRECT(), "Gain");
  EXPECT_EQ(loose.MakeRects(IRECT(0, 0, 10, 10)), IRECT(0, 0, 10, 10));
}

TEST_F(VectorBaseTest, PressableRectangleLooks)
{
  const IRECT bounds(0, 0, 100, 50);
  const IRECT h(3.5f, 0.5f, 96.5f, 46.5f);       // frame and shadow inset
  const IRECT s(6.5f, 3.5f, 99.5f, 49.5f);       // shadow
  const IRECT p(6.5f, 3.5f, 93.5f, 43.5f);       // raised face
  const IRECT lowered(6.5f, 3.5f, 96.5f, 46.5f); // pressed face
  const CanvasCall splash = ShapeCanvas::Shape("FillCircle", kHigh, {12, 34, 20}, kNone);
  IVStyle embossed;
  embossed.embossed = true;
  const struct
  {
    const char* name;
    IVStyle style;
    bool pressed, over, disabled, animating;
    Calls expected;
  } cases[] = {
      {"plain",
       DEFAULT_STYLE,
       false,
       false,
       false,
       false,
       {FillRR(kShadow, s, kB), FillRR(kFg, h, kNone), FrameRR(h)}},
      {"hovered",
       DEFAULT_STYLE,
       false,
       true,
       false,
       false,
       {FillRR(kShadow, s, kB), FillRR(kFg, h, kNone), FillRR(kHigh, h, kB), FrameRR(h)}},
      {"disabled keeps its shadow",
       DEFAULT_STYLE,
       false,
       false,
       true,
       false,
       {FillRR(kShadow, s, kB), FillRR(Dim(kFg), h, kNone), FrameRR(h)}},
      {"pressed", DEFAULT_STYLE, true, true, false, false, {FillRR(kPressed, h, kNone), FrameRR(h)}},
      {"pressed, splashing",
       DEFAULT_STYLE,
       true,
       false,
       false,
       true,
       {FillRR(kPressed, h, kNone), Clip(h), splash, Clip(kArea), FrameRR(h)}},
      {"embossed",
       embossed,
       false,
       true,
       false,
       false,
       {FillRR(kShadow, s, kB), FillRR(kPressed, h, kNone), FillRR(kShadow, s, kNone), FillRR(kFg, p, kNone),
        FillRR(kHigh, p, kB), FrameRR(h)}},
      {"embossed, pressed",
       embossed,
       true,
       false,
       true,
       true,
       {FillRR(kPressed, h, kB), FillRR(kShadow, h, kB), FillRR(Dim(kFg), lowered, kNone),
        FillRR(kPressed, p, kB), Clip(h), splash, Clip(kArea), FrameRR(h)}},
  };
  for (const auto& c : cases) {
    auto* v = Attach(new VectorControl(bounds, "", c.style));
    v->SetSplashPoint(12, 34);
    v->SetSplashRadius(20);
    if (c.animating) v->SetAnimationFunction([](IControl*) {});
    g.ClearCalls();
    EXPECT_EQ(v->DrawPressableShape(g, EVShape::Rectangle, bounds, c.pressed, c.over, c.disabled), h)
        << c.name;
    EXPECT_TRUE(SameCalls(Shapes(), c.expected)) << c.name;
  }
}

TEST_F(VectorBaseTest, CornersTintAndShapeVariants)
{
  EXPECT_EQ(IVectorBase::Tinted(IColor(255, 100, 10, 250), true), IColor(255, 37, 0, 187));
  EXPECT_EQ(IVectorBase::Tinted(IColor(9, 100, 10, 250), false), IColor(9, 100, 10, 250));

  IVStyle round;
  round.roundness = 1.f;
  round.drawShadows = false;
  round.drawFrame = false;
  const IRECT bounds(0, 0, 93, 46); // radius min(93, 46) x 1 x 0.5 = 23
  auto* v = Attach(new VectorControl(bounds, "", round));
  auto fills = [&](EVShape shape) {
    g.ClearCalls();
    v->DrawPressableShape(g, shape, bounds, false, false, false);
    return Shapes();
  };
  EXPECT_TRUE(SameCalls(fills(EVShape::Rectangle), {FillRR(kFg, bounds, kNone, 23)}));
  EXPECT_TRUE(SameCalls(fills(EVShape::AllRounded), fills(EVShape::Rectangle)));
  EXPECT_TRUE(
      SameCalls(fills(EVShape::TopRounded),
                {ShapeCanvas::Shape("FillRoundRectCorners", kFg, {0, 0, 93, 46, 23, 23, 0, 0}, kNone)}));
  EXPECT_TRUE(fills(static_cast<EVShape>(9)).empty());
  EXPECT_EQ(v->DrawPressableShape(g, static_cast<EVShape>(9), bounds, false, false, false), bounds);
}

TEST_F(VectorBaseTest, PressableEllipseLooks)
{
  const IRECT e(0, 0, 100, 50);
  const IRECT s(3, 3, 103, 53);
  const IRECT p(3, 3, 97, 47);
  const IRECT lowered(3, 3, 100, 50);
  const CanvasCall frame = ShapeCanvas::Shape("DrawEllipse", kFrame, {0, 0, 100, 50, 1}, kB);
  const CanvasCall splash = ShapeCanvas::Shape("FillCircle", kHigh, {0, 0, 0}, kNone);
  IVStyle embossed;
  embossed.embossed = true;
  const struct
  {
    const char* name;
    IVStyle style;
    bool pressed, over, disabled, animating;
    Calls expected;
  } cases[] = {
      {"plain",
       DEFAULT_STYLE,
       false,
       false,
       false,
       false,
       {Ellipse(kShadow, s, kNone), Ellipse(kFg, e, kNone), frame}},
      {"disabled draws no shadow",
       DEFAULT_STYLE,
       false,
       true,
       true,
       false,
       {Ellipse(Dim(kFg), e, kNone), Ellipse(kHigh, e, kB), frame}},
      {"pressed draws no shadow",
       DEFAULT_STYLE,
       true,
       false,
       false,
       false,
       {Ellipse(kPressed, e, kNone), frame}},
      {"embossed, hovered",
       embossed,
       false,
       true,
       false,
       false,
       {Ellipse(kShadow, s, kNone), Ellipse(kPressed, e, kNone), Ellipse(kShadow, s, kNone),
        Ellipse(kFg, p, kNone), Ellipse(kHigh, p, kB), frame}},
      {"embossed, pressed, splashing",
       embossed,
       true,
       false,
       false,
       true,
       {Ellipse(kPressed, e, kB), Ellipse(kShadow, e, kB), Ellipse(kFg, lowered, kNone),
        Ellipse(kPressed, p, kNone), Clip(e), splash, Clip(kArea), frame}},
  };
  for (const auto& c : cases) {
    auto* v = Attach(new VectorControl(e, "", c.style));
    if (c.animating) v->SetAnimationFunction([](IControl*) {});
    g.ClearCalls();
    EXPECT_EQ(v->DrawPressableShape(g, EVShape::Ellipse, e, c.pressed, c.over, c.disabled), e) << c.name;
    EXPECT_TRUE(SameCalls(Shapes(), c.expected)) << c.name;
  }
}

TEST_F(VectorBaseTest, PressableTrianglePointsByItsAngle)
{
  const IRECT bounds(0, 0, 100, 50);
  auto tri = [](const char* op, const IColor& c, std::initializer_list<double> pts, double w) {
    return ShapeCanvas::Shape(op, c, pts, w);
  };
  auto frame = [](std::initializer_list<double> pts) {
    CanvasCall call = ShapeCanvas::Shape("DrawTriangle", kFrame, pts, kB);
    call.args.insert(call.args.end() - 1, 1.0);
    return call;
  };
  auto* v = Attach(new VectorControl(bounds, ""));
  g.ClearCalls();
  // H = (3.5, 0.5, 96.5, 46.5): angle 0 points up.
  EXPECT_EQ(v->DrawPressableTriangle(g, bounds, false, false, 0.f, false), IRECT(3.5f, 0.5f, 96.5f, 46.5f));
  EXPECT_TRUE(SameCalls(Shapes(), {tri("FillTriangle", kShadow, {6.5, 49.5, 53, 3.5, 99.5, 49.5}, kB),
                                   tri("FillTriangle", kFg, {3.5, 46.5, 50, 0.5, 96.5, 46.5}, kNone),
                                   frame({3.5, 46.5, 50, 0.5, 96.5, 46.5})}));

  // At 180 it points down; pressed and hovered, the splash is drawn unclipped.
  v->SetAnimationFunction([](IControl*) {});
  g.ClearCalls();
  v->DrawPressableTriangle(g, bounds, true, true, 180.f, true);
  const CanvasCall splash = ShapeCanvas::Shape("FillCircle", kHigh, {0, 0, 0}, kNone);
  EXPECT_TRUE(
      SameCalls(Shapes(), {tri("FillTriangle", Dim(kPressed), {96.5, 0.5, 50, 46.5, 3.5, 0.5}, kNone),
                           tri("FillTriangle", kHigh, {96.5, 0.5, 50, 46.5, 3.5, 0.5}, kB), Clip(kArea),
                           splash, Clip(kArea), frame({96.5, 0.5, 50, 46.5, 3.5, 0.5})}));
}

TEST_F(VectorBaseTest, BackgroundLabelAndValue)
{
  auto* v = Attach(new VectorControl(IRECT(0, 0, 100, 100), "Gain"));
  v->SetValueStr("0.50");
  v->MakeRects(v->GetBounds());
  g.ClearCalls();
  v->DrawBackground(g, IRECT(1, 2, 3, 4));
  v->DrawLabel(g);
  v->DrawValue(g, true);
  const IRECT vb = v->GetValueBounds();
  EXPECT_TRUE(
      SameCalls(g.calls, {ShapeCanvas::Shape("FillRect", COLOR_TRANSPARENT, {1, 2, 3, 4}, kB),
                          CanvasCall{"DoDrawText", {31, 0, 69, 19, 19, 1}, "Gain"},
                          ShapeCanvas::Shape("FillRect", COLOR_TRANSLUCENT, {vb.L, vb.T, vb.R, vb.B}, kNone),
                          CanvasCall{"DoDrawText", {vb.L, vb.T, vb.R, vb.B, 14, 1}, "0.50"}}));

  // A label rectangle without height draws nothing, even with a label; hidden texts neither.
  IVStyle hidden;
  hidden.showValue = false;
  auto* flat = Attach(new VectorControl(IRECT(), "Gain", hidden));
  flat->SetValueStr("1");
  g.ClearCalls();
  flat->DrawLabel(g);
  flat->DrawValue(g, false);
  EXPECT_TRUE(g.calls.empty());
}

TEST_F(VectorBaseTest, SplashFollowsThePressAndGrowsOverItsAnimation)
{
  plugin::ManualRunLoopClock clock(1000.0);
  plugin::RunLoop::Main().SetClock(&clock);
  auto* v = Attach(new VectorControl(IRECT(0, 0, 50, 50), ""));
  g.SetMouseDownPoint(12, 34);
  SplashClickAction(v);
  float x = 0;
  float y = 0;
  v->GetSplashPoint(x, y);
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 34);
  EXPECT_EQ(v->styleChanges, 1);
  EXPECT_EQ(v->GetAnimationDurationMs(), 100.0);
  const struct
  {
    double advanceMs;
    float radius;
    bool animating;
  } frames[] = {{25, 12.5f, true}, {25, 25.f, true}, {50, 50.f, true}, {0.5, 50.f, false}};
  for (const auto& f : frames) {
    clock.AdvanceMs(f.advanceMs);
    v->SetClean();
    v->StepAnimation();
    EXPECT_FLOAT_EQ(v->GetSplashRadius(), f.radius);
    EXPECT_EQ(bool(v->GetAnimationFunction()), f.animating);
    EXPECT_TRUE(v->GetNeedsRedraw());
  }

  // A control without the vector part only times the animation, and ends it.
  auto* plain = new RecordingControl(IRECT(0, 0, 5, 5));
  g.AttachControl(plain);
  SplashClickAction(plain);
  ASSERT_TRUE(plain->GetAnimationFunction());
  clock.AdvanceMs(101);
  plain->StepAnimation();
  EXPECT_FALSE(plain->GetAnimationFunction());
  SplashClickAction(nullptr);
  SplashAnimation(nullptr);
  plugin::RunLoop::Main().SetClock(nullptr);
}

TEST_F(VectorBaseTest, StyleAllVectorControlsReachesOnlyVectorControls)
{
  auto* a = Attach(new VectorControl(IRECT(), "a"));
  auto* plain = new RecordingControl(IRECT());
  g.AttachControl(plain);
  auto* b = Attach(new VectorControl(IRECT(), "b"));
  IVStyle style;
  style.roundness = 0.25f;
  style.labelPosition = 2;
  g.StyleAllVectorControls(style);
  EXPECT_EQ(a->GetStyle(), style);
  EXPECT_EQ(b->GetStyle(), style);
  EXPECT_EQ(a->styleChanges, 1);
}

TEST_F(VectorBaseTest, HighlightDot)
{
  auto* c = new RecordingControl(IRECT(0, 0, 50, 40));
  g.AttachControl(c);
  c->SetHitRect(IRECT(10, 10, 50, 40));
  c->SetClean();
  c->SetHighlightDot(true, 1);
  EXPECT_TRUE(c->GetNeedsRedraw());
  EXPECT_EQ(c->GetHighlightDotColor(), COLOR_BLUE);
  c->SetHighlightDot(true, 9); // unknown choice keeps the colour
  EXPECT_EQ(c->GetHighlightDotColor(), COLOR_BLUE);
  g.ClearCalls();
  c->DrawHighlightDot(g);
  EXPECT_TRUE(SameCalls(g.calls, {ShapeCanvas::Shape("FillCircle", COLOR_BLUE, {45, 15, 2}, kNone)}));
  c->SetHighlightDot(false, 3);
  EXPECT_EQ(c->GetHighlightDotColor(), COLOR_YELLOW);
  g.ClearCalls();
  c->DrawHighlightDot(g);
  EXPECT_TRUE(g.calls.empty());
}

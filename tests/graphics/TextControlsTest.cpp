#include "DrawCalls.h"
#include "ShapeCanvas.h"
#include "framework/params/IParam.h"
#include "graphics/ICaptionControl.h"
#include "graphics/IEditableTextControl.h"
#include "graphics/IRTTextControl.h"
#include "graphics/ITextToggleControl.h"
#include "graphics/IURLControl.h"
#include "graphics/PlaceHolder.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using drawcalls::SameCalls;
using TD = TestEditorDelegate;

namespace {

const IText kText(10.f); // "abc" measures 15 x 10
const IColor kBg(255, 1, 2, 3);

CanvasCall Text(const char* s, const IRECT& r, double size = 10, double weight = 1)
{
  return {"DoDrawText", {r.L, r.T, r.R, r.B, size, weight}, s};
}
// The calls without text measuring.
std::vector<CanvasCall> DrawOnlyShapes(const std::vector<CanvasCall>& calls)
{
  std::vector<CanvasCall> out;
  for (const auto& c : calls)
    if (c.op != "DoMeasureText") out.push_back(c);
  return out;
}

CanvasCall Fill(const IColor& c, const IRECT& r, double weight)
{
  return ShapeCanvas::Shape("FillRect", c, {r.L, r.T, r.R, r.B}, weight);
}

class TextControlsTest : public ::testing::Test
{
protected:
  template <class T> T* Attach(T* c)
  {
    g.AttachControl(c);
    return c;
  }

  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
};

} // namespace

TEST_F(TextControlsTest, SetStrMarksDirtyOnlyForANewText)
{
  auto* t = Attach(new ITextControl(IRECT(0, 0, 100, 20), "abc", kText, kBg));
  EXPECT_TRUE(t->GetIgnoreMouse());
  t->SetClean();
  t->SetStr("abc");
  EXPECT_FALSE(t->GetNeedsRedraw());
  t->SetStr("abd");
  EXPECT_TRUE(t->GetNeedsRedraw());
  EXPECT_STREQ(t->GetStr(), "abd");
  t->SetStr(nullptr);
  EXPECT_STREQ(t->GetStr(), "");

  const struct
  {
    int maxLength;
    const char* expected;
  } fmts[] = {{5, "12345"}, {7, "1234567"}, {20, "1234567"}, {0, ""}, {-3, ""}};
  for (const auto& f : fmts) {
    t->SetClean();
    t->SetStrFmt(f.maxLength, "%d", 1234567);
    EXPECT_STREQ(t->GetStr(), f.expected) << f.maxLength;
    EXPECT_TRUE(t->GetNeedsRedraw());
  }
  t->ClearStr();
  EXPECT_STREQ(t->GetStr(), "");
}

TEST_F(TextControlsTest, SizeToTextKeepsTheCentre)
{
  auto* t = Attach(new ITextControl(IRECT(0, 0, 100, 20), "abc", kText, kBg, true));
  EXPECT_EQ(t->GetBounds(), IRECT(42.5f, 5, 57.5f, 15));
  EXPECT_EQ(t->GetHitRect(), t->GetBounds());
  t->SetStr("abcdef");
  EXPECT_EQ(t->GetBounds(), IRECT(35, 5, 65, 15));
  t->SetStrFmt(2, "%s", "xyz"); // formatting does not refit
  EXPECT_EQ(t->GetBounds(), IRECT(35, 5, 65, 15));
  // Not attached: nothing to measure with, the bounds stay.
  ITextControl loose(IRECT(0, 0, 10, 10), "abc", kText, kBg, true);
  loose.FitBoundsToText();
  EXPECT_EQ(loose.GetBounds(), IRECT(0, 0, 10, 10));
}

TEST_F(TextControlsTest, TextIsDrawnOverItsBackgroundUnlessBeingEdited)
{
  const IRECT r(0, 0, 100, 20);
  auto* t = Attach(new ITextControl(r, "abc", kText, kBg));
  g.ClearCalls();
  t->Draw(g);
  EXPECT_TRUE(SameCalls(g.calls, {Fill(kBg, r, 1), Text("abc", r)}));
  g.SetInTextEntry(t);
  g.ClearCalls();
  t->Draw(g);
  EXPECT_TRUE(SameCalls(g.calls, {Fill(kBg, r, 1)}));
  g.SetInTextEntry(nullptr);
  t->SetStr("");
  g.ClearCalls();
  t->Draw(g);
  EXPECT_TRUE(SameCalls(g.calls, {Fill(kBg, r, 1)}));
}

TEST_F(TextControlsTest, ReadoutShowsTheRecordValue)
{
  using Readout = IRTTextControl<1, float>;
  static_assert(sizeof(Readout::Record) == 16, "a meter record is 16 bytes");
  auto* r = Attach(new Readout(IRECT(0, 0, 50, 20), "%0.2f", ", ", "init", kText, kBg));
  EXPECT_STREQ(r->GetStr(), "init");
  const Readout::Record twelve{2, 1, 0, {12.f}};
  const Readout::Record negative{3, 1, 5, {-1.5f}};
  const struct
  {
    const char* name;
    int msgTag;
    int size;
    const void* data;
    bool disabled;
    const char* shown;
  } cases[] = {
      {"a record", 0, 16, &twelve, false, "12.00"},
      {"another tag changes nothing", 1, 16, &negative, false, "12.00"},
      {"disabled ignores records", 0, 16, &negative, true, "12.00"},
      {"tag and offset are not read", 0, 16, &negative, false, "-1.50"},
      {"short message: the default record", 0, 15, &twelve, false, "0.00"},
      {"no data", 0, 16, nullptr, false, "0.00"},
  };
  for (const auto& c : cases) {
    r->SetDisabled(c.disabled);
    r->OnMsgFromDelegate(c.msgTag, c.size, c.data);
    EXPECT_STREQ(r->GetStr(), c.shown) << c.name;
  }

  // Several channels are joined by the separator.
  auto* pair = Attach(new IRTTextControl<2, float>(IRECT(0, 0, 50, 20), "%.1f", " | "));
  const IRTTextControl<2, float>::Record two{1, 2, 0, {1.f, 2.5f}};
  pair->OnMsgFromDelegate(0, sizeof(two), &two);
  EXPECT_STREQ(pair->GetStr(), "1.0 | 2.5");
}

TEST_F(TextControlsTest, LinkOpensItsAddressAndShowsItsState)
{
  const IRECT r(10, 20, 110, 60);
  IText text(10.f, COLOR_BLACK);
  auto* link = Attach(new IURLControl(r, "link", "https://example.org", text, kBg, COLOR_RED, COLOR_GREEN));
  EXPECT_FALSE(link->GetIgnoreMouse());

  g.Capture(1, link);
  g.ClearCalls();
  link->OnMouseDown(15, 25, IMouseMod());
  EXPECT_EQ(g.CallsNamed("OpenURL")[0].text, "https://example.org");
  EXPECT_TRUE(g.CaptureIsEmpty());
  EXPECT_TRUE(link->GetWasClicked());

  link->SetClean();
  link->OnMouseOver(15, 25, IMouseMod());
  EXPECT_EQ(g.GetCursorType(), ICanvas::kCursorHand);
  EXPECT_TRUE(link->GetNeedsRedraw());
  link->SetClean();
  link->OnMouseOver(16, 25, IMouseMod()); // already hovered: no redraw
  EXPECT_FALSE(link->GetNeedsRedraw());
  auto underline = [&](const IColor& c, double x1, double y, double x2) {
    return ShapeCanvas::Shape("DrawLine", c, {x1, y, x2, y, 1}, 1);
  };
  g.ClearCalls();
  link->Draw(g);
  EXPECT_TRUE(SameCalls(DrawOnlyShapes(g.calls),
                        {Fill(kBg, r, 1), underline(COLOR_RED, 60, 50, 80), Text("link", r)}))
      << "hovered";
  link->OnMouseOut();
  EXPECT_EQ(g.GetCursorType(), ICanvas::kCursorArrow);
  EXPECT_FALSE(link->GetMouseIsOver());

  // Clicked, not hovered: the clicked colour; the underline under the text for every alignment.
  const struct
  {
    EAlign align;
    EVAlign valign;
    double x1, x2, y;
  } places[] = {
      {EAlign::Near, EVAlign::Top, 10, 30, 30}, // T + text height: under top-aligned text
      {EAlign::Center, EVAlign::Middle, 60, 80, 50},
      {EAlign::Far, EVAlign::Bottom, 90, 110, 60},
  };
  for (const auto& p : places) {
    link->SetText(IText(10.f, COLOR_BLUE, nullptr, p.align, p.valign));
    g.ClearCalls();
    link->Draw(g);
    EXPECT_TRUE(SameCalls(DrawOnlyShapes(g.calls),
                          {Fill(kBg, r, 1), underline(COLOR_GREEN, p.x1, p.y, p.x2), Text("link", r)}))
        << int(p.align);
  }
  // A new style's colour is the new normal colour.
  auto* fresh = Attach(new IURLControl(r, "x", "u", text, kBg, COLOR_RED, COLOR_GREEN));
  fresh->SetText(IText(10.f, COLOR_BLUE));
  g.ClearCalls();
  fresh->Draw(g);
  EXPECT_EQ(g.CallsNamed("DrawLine")[0].args[3], 255); // blue
}

TEST_F(TextControlsTest, ToggleFlipsAtHalfAndShowsItsStateText)
{
  auto* t = Attach(new ITextToggleControl(IRECT(0, 0, 50, 20), TD::kBypass, "off", "on", kText, kBg));
  EXPECT_STREQ(t->GetStr(), "off");
  EXPECT_TRUE(t->GetDoubleClickIsClick());
  EXPECT_FALSE(t->GetIgnoreMouse());
  EXPECT_EQ(t->GetParamIdx(0), TD::kBypass);
  const struct
  {
    double before;
    double after;
    const char* shown;
  } clicks[] = {{0.5, 0.0, "off"}, {0.0, 1.0, "on"}, {0.49, 1.0, "on"}, {1.0, 0.0, "off"}};
  for (const auto& c : clicks) {
    t->SetValue(c.before);
    dlg.calls.clear();
    t->OnMouseDown(1, 1, IMouseMod());
    EXPECT_EQ(t->GetValue(), c.after) << c.before;
    EXPECT_STREQ(t->GetStr(), c.shown) << c.before;
    ASSERT_EQ(dlg.CallsNamed("Send").size(), 1u) << c.before;
    EXPECT_EQ(dlg.CallsNamed("Send")[0].value, c.after);
  }
  // A value from the plug-in shows the matching text.
  t->SetValueFromDelegate(1.0);
  EXPECT_STREQ(t->GetStr(), "on");

  int actions = 0;
  auto* a = Attach(new ITextToggleControl(
      IRECT(0, 0, 50, 20), [&](IControl*) { ++actions; }, "A", "B", kText, kBg));
  a->OnMouseDown(1, 1, IMouseMod());
  EXPECT_EQ(actions, 1);
  EXPECT_STREQ(a->GetStr(), "B");
}

TEST_F(TextControlsTest, CaptionShowsTheDisplayTextAndAnArrowForEnumerations)
{
  const IRECT r(0, 0, 100, 20);
  auto* mode = Attach(new ICaptionControl(r, TD::kMode, kText, kBg, true));
  auto* gain = Attach(new ICaptionControl(r, TD::kGain, kText, kBg, true));
  auto* bare = Attach(new ICaptionControl(r, TD::kGain, kText, kBg, false));
  EXPECT_EQ(mode->GetArrowRect(), IRECT(86, 7.5f, 94, 12.5f));
  EXPECT_EQ(gain->GetArrowRect(), IRECT());
  EXPECT_FALSE(mode->GetPromptBlocked());
  EXPECT_TRUE(mode->GetDoubleClickIsClick());

  g.ClearCalls();
  mode->Draw(g);
  EXPECT_TRUE(SameCalls(
      g.calls, {Fill(kBg, r, 1), Text("Soft ", r),
                ShapeCanvas::Shape("FillTriangle", COLOR_BLACK, {86, 7.5, 94, 7.5, 90, 12.5}, 0.5)}));
  mode->OnMouseOver(1, 1, IMouseMod());
  g.ClearCalls();
  mode->Draw(g);
  EXPECT_EQ(g.calls.back(),
            ShapeCanvas::Shape("FillTriangle", COLOR_WHITE, {86, 7.5, 94, 7.5, 90, 12.5}, -1));

  dlg.GetParam(TD::kGain)->Set(-3.0);
  g.ClearCalls();
  gain->Draw(g);
  bare->Draw(g);
  const auto texts = g.CallsNamed("DoDrawText");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "-3.0 dB");
  EXPECT_EQ(texts[1].text, "-3.0");
  EXPECT_EQ(g.Count("FillTriangle"), 0);
}

TEST_F(TextControlsTest, CaptionPromptsOnALeftOrRightPress)
{
  auto* mode = Attach(new ICaptionControl(IRECT(0, 0, 100, 20), TD::kMode, kText, kBg, true));
  auto* unbound = Attach(new ICaptionControl(IRECT(0, 0, 100, 20), -1, kText, kBg, true));
  IMouseMod left;
  left.leftButton = true;
  IMouseMod right;
  right.rightButton = true;
  const struct
  {
    const char* name;
    IControl* control;
    IMouseMod mod;
    bool blocked;
    int menus;
  } cases[] = {{"left", mode, left, false, 1},
               {"right", mode, right, false, 1},
               {"no button", mode, IMouseMod(), false, 0},
               {"prompt blocked", mode, left, true, 0},
               {"no parameter", unbound, left, false, 0}};
  for (const auto& c : cases) {
    c.control->SetPromptBlocked(c.blocked);
    g.ClearCalls();
    c.control->OnMouseDown(1, 1, c.mod);
    EXPECT_EQ(g.Count("CreatePlatformPopupMenu"), c.menus) << c.name;
  }
}

TEST_F(TextControlsTest, EditableTextOpensAnEntryAndTakesItsText)
{
  const IRECT r(5, 5, 105, 25);
  auto* e = Attach(new IEditableTextControl(r, "Write a name", kText, COLOR_TRANSPARENT));
  EXPECT_FALSE(e->GetIgnoreMouse());
  EXPECT_TRUE(e->GetDoubleClickIsClick());
  g.ClearCalls();
  e->OnMouseDown(10, 10, IMouseMod());
  EXPECT_EQ(
      g.CallsNamed("CreatePlatformTextEntry"),
      (std::vector<CanvasCall>{{"CreatePlatformTextEntry", {-1, 5, 5, 105, 25, 7, 10}, "Write a name"}}));
  EXPECT_EQ(g.GetControlInTextEntry(), e);
  g.SetControlValueAfterTextEdit("My preset");
  EXPECT_STREQ(e->GetStr(), "My preset");
}

TEST_F(TextControlsTest, PlaceHolderShowsItsGeometryAndEditableLabel)
{
  const IRECT r(10, 20, 110, 60);
  auto* p = Attach(new PlaceHolder(r, "Meter"));
  EXPECT_STREQ(p->GetPositionStr(), "10.0, 20.0");
  EXPECT_STREQ(p->GetWidthStr(), "100.0");
  EXPECT_STREQ(p->GetHeightStr(), "40.0");
  EXPECT_STREQ(p->GetText().mFont, "Roboto-Regular");
  EXPECT_EQ(p->GetText().mSize, 20.f);
  EXPECT_FALSE(p->GetPromptBlocked());

  g.ClearCalls();
  p->Draw(g);
  std::vector<std::string> ops;
  for (const auto& c : g.calls)
    if (c.op != "DoMeasureText") ops.push_back(c.op);
  EXPECT_EQ(
      ops, (std::vector<std::string>{"FillRect", "DrawLine", "DrawLine", "FillRect", "DoDrawText", "FillRect",
                                     "DoDrawText", "FillRect", "DoDrawText", "FillRect", "DoDrawText"}));
  EXPECT_EQ(g.calls[1], ShapeCanvas::Shape("DrawLine", COLOR_RED, {10, 20, 110, 60, 2}, 0.5));
  // The label: measured inside the bounds (from their top left here), backed at 75 %.
  EXPECT_EQ(p->GetLabelRect(), IRECT(10, 20, 60, 40));
  EXPECT_EQ(g.calls.back(), (CanvasCall{"DoDrawText", {10, 20, 60, 40, 20, 1}, "Meter"}));

  p->OnMouseDblClick(1, 1, IMouseMod());
  EXPECT_EQ(g.CallsNamed("CreatePlatformTextEntry").back().text, "Meter");
  g.SetControlValueAfterTextEdit("Scope");
  EXPECT_STREQ(p->GetStr(), "Scope");
}

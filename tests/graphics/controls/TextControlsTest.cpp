#include "framework/params/IParam.h"
#include "graphics/controls/ICaptionControl.h"
#include "graphics/controls/IEditableTextControl.h"
#include "graphics/controls/IRTTextControl.h"
#include "graphics/controls/ITextToggleControl.h"
#include "graphics/controls/IURLControl.h"
#include "graphics/controls/PlaceHolder.h"
#include "support/ui/CallTrace.h"
#include "support/ui/ShapeCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

const IText kText(10.f); // "abc" measures 15 x 10
const IColor kBg(255, 1, 2, 3);

class TextControls : public ::testing::Test
{
protected:
  template <class T> T* Attach(T* c) { return g.AttachControl(c), c; }
  std::string Drawn(IControl* c)
  {
    g.ClearCalls();
    c->Draw(g);
    return Trace(g.calls);
  }
  TestEditorDelegate dlg;
  ShapeCanvas g{dlg};
};

} // namespace

TEST_F(TextControls, TextChangesMarkDirtyAndSizeToTextKeepsTheCentre)
{
  auto* t = Attach(new ITextControl(IRECT(0, 0, 100, 20), "abc", kText, kBg, true));
  EXPECT_TRUE(t->GetIgnoreMouse() && t->GetBounds() == IRECT(42.5f, 5, 57.5f, 15));
  t->SetClean();
  t->SetStr("abc"); // the same text: not even a redraw
  EXPECT_FALSE(t->GetNeedsRedraw());
  t->SetStr("abcdef");
  EXPECT_TRUE(t->GetNeedsRedraw() && t->GetBounds() == IRECT(35, 5, 65, 15) &&
              t->GetHitRect() == t->GetBounds());
  for (const auto& [max, shown] : {std::pair{5, "12345"}, {7, "1234567"}, {0, ""}, {-3, ""}}) {
    t->SetClean();
    t->SetStrFmt(max, "%d", 1234567); // cut to max, no refit
    EXPECT_TRUE(std::string(t->GetStr()) == shown && t->GetNeedsRedraw() && t->GetBounds().W() == 30);
  }
  // Drawn over its background, unless a text entry is open for it or the text is empty.
  auto* plain = Attach(new ITextControl(IRECT(0, 0, 100, 20), "abc", kText, kBg));
  std::string drawn = Drawn(plain);
  g.SetInTextEntry(plain);
  drawn += " | " + Drawn(plain);
  g.SetInTextEntry(nullptr);
  plain->ClearStr();
  drawn += " | " + Drawn(plain);
  EXPECT_EQ(drawn,
            "fillR255,1,2,3,0,0,100,20,1 DoDrawText0,0,100,20,10,1'abc' | fillR255,1,2,3,0,0,100,20,1 | "
            "fillR255,1,2,3,0,0,100,20,1");
}

TEST_F(TextControls, ReadoutShowsTheRecordValue)
{
  using Readout = IRTTextControl<1, float>;
  static_assert(sizeof(Readout::Record) == 16, "a meter record is 16 bytes");
  auto* r = Attach(new Readout(IRECT(0, 0, 50, 20), "%0.2f", ", ", "init", kText, kBg));
  const Readout::Record twelve{2, 1, 0, {12.f}}, negative{3, 1, 5, {-1.5f}};
  // {tag, size, data, disabled}: another tag or a disabled readout changes nothing; the record's
  // tag and offset are not read; shorter than a record, or no data: the default record.
  const std::tuple<int, int, const void*, bool> cases[] = {
      {0, 16, &twelve, false},   {1, 16, &negative, false}, {0, 16, &negative, true},
      {0, 16, &negative, false}, {0, 15, &twelve, false},   {0, 16, nullptr, false}};
  std::string shown = r->GetStr();
  for (const auto& [tag, size, data, disabled] : cases) {
    r->SetDisabled(disabled);
    r->OnMsgFromDelegate(tag, size, data);
    shown += std::string(" ") + r->GetStr();
  }
  EXPECT_EQ(shown, "init 12.00 12.00 12.00 -1.50 0.00 0.00");
}

TEST_F(TextControls, LinkOpensItsAddressAndIsUnderlinedUnderItsText)
{
  auto* link = Attach(new IURLControl(IRECT(10, 20, 110, 60), "link", "https://example.org", kText, kBg,
                                      COLOR_RED, COLOR_GREEN));
  const std::string fill = "fillR255,1,2,3,10,20,110,60,1 line";
  const std::string text = ",1,1 DoDrawText10,20,110,60,10,1'link'";
  EXPECT_EQ(Drawn(link), fill + "255,0,0,0,60,50,80,50" + text); // centred, middle: under the text
  g.Capture(1, link);
  link->OnMouseDown(15, 25, IMouseMod());
  EXPECT_TRUE(link->GetWasClicked() && g.CaptureIsEmpty() &&
              g.CallsNamed("OpenURL")[0].text == "https://example.org");
  link->SetClean();
  link->OnMouseOver(15, 25, IMouseMod());
  EXPECT_TRUE(g.GetCursorType() == ICanvas::kCursorHand && link->GetNeedsRedraw());
  link->SetClean();
  link->OnMouseOver(16, 25, IMouseMod()); // already hovered: no redraw
  EXPECT_FALSE(link->GetNeedsRedraw());
  EXPECT_EQ(Drawn(link), fill + "255,255,0,0,60,50,80,50" + text); // the hover colour
  link->OnMouseOut();
  EXPECT_TRUE(g.GetCursorType() == ICanvas::kCursorArrow && !link->GetMouseIsOver());
  // Clicked: the clicked colour; top-aligned text is underlined at T + its height.
  link->SetText(IText(10.f, COLOR_BLUE, nullptr, EAlign::Near, EVAlign::Top));
  EXPECT_EQ(Drawn(link), fill + "255,0,255,0,10,30,30,30" + text);
  link->SetText(IText(10.f, COLOR_BLUE, nullptr, EAlign::Far, EVAlign::Bottom));
  EXPECT_EQ(Drawn(link), fill + "255,0,255,0,90,60,110,60" + text);
}

TEST_F(TextControls, ToggleAndCaption)
{
  auto* t = Attach(new ITextToggleControl(IRECT(0, 0, 50, 20), TD::kBypass, "off", "on", kText, kBg));
  EXPECT_TRUE(!t->GetIgnoreMouse() && t->GetDoubleClickIsClick() && t->GetParamIdx(0) == TD::kBypass);
  std::string shown = t->GetStr();
  for (double before : {0.5, 0.0, 0.49, 1.0}) { // at exactly 0.5 it shows off and a click gives 0
    t->SetValue(before);
    t->OnMouseDown(1, 1, IMouseMod());
    shown += std::string(" ") + t->GetStr() + "=" + std::to_string(int(t->GetValue()));
  }
  EXPECT_EQ(shown + std::to_string(dlg.CallsNamed("Send").size()),
            "off off=0 on=1 on=1 off=04"); // each click sends
  int actions = 0;
  auto* a = Attach(new ITextToggleControl(
      IRECT(0, 0, 50, 20), [&](IControl*) { ++actions; }, "A", "B", kText, kBg));
  a->OnMouseDown(1, 1, IMouseMod());
  EXPECT_TRUE(actions == 1 && std::string(a->GetStr()) == "B");

  // A caption shows the display text (and unit); an enumeration gets an 8 x 5 arrow at 90 % of
  // the width, white without blend while hovered.
  const IRECT r(0, 0, 100, 20);
  auto* mode = Attach(new ICaptionControl(r, TD::kMode, kText, kBg, true));
  auto* gain = Attach(new ICaptionControl(r, TD::kGain, kText, kBg, true));
  auto* bare = Attach(new ICaptionControl(r, TD::kGain, kText, kBg, false));
  EXPECT_TRUE(!mode->GetPromptBlocked() && mode->GetDoubleClickIsClick() && gain->GetArrowRect() == IRECT());
  dlg.GetParam(TD::kGain)->Set(-3.0);
  std::string drawn = Drawn(mode) + " " + Drawn(gain) + " " + Drawn(bare);
  mode->OnMouseOver(1, 1, IMouseMod());
  const std::string hovered = Drawn(mode);
  drawn += hovered.substr(hovered.rfind(" fillT"));
  EXPECT_EQ(
      drawn,
      "fillR255,1,2,3,0,0,100,20,1 DoDrawText0,0,100,20,10,1'Soft ' fillT255,0,0,0,86,7.5,94,7.5,90,12.5,0.5 "
      "fillR255,1,2,3,0,0,100,20,1 DoDrawText0,0,100,20,10,1'-3.0 dB' fillR255,1,2,3,0,0,100,20,1 "
      "DoDrawText0,0,100,20,10,1'-3.0' fillT255,255,255,255,86,7.5,94,7.5,90,12.5,-1");
  auto* unbound = Attach(new ICaptionControl(r, -1, kText, kBg, true));
  IMouseMod left, right;
  left.leftButton = right.rightButton = true;
  // {control, press, prompt blocked}: a menu for a left or right press on a bound, unblocked caption.
  const std::tuple<IControl*, IMouseMod, bool> presses[] = {{mode, left, false},
                                                            {mode, right, false},
                                                            {mode, IMouseMod(), false},
                                                            {mode, left, true},
                                                            {unbound, left, false}};
  g.ClearCalls();
  std::string menus;
  for (const auto& [c, mod, blocked] : presses) {
    c->SetPromptBlocked(blocked);
    c->OnMouseDown(1, 1, mod);
    menus += std::to_string(g.Count("CreatePlatformPopupMenu"));
  }
  EXPECT_EQ(menus, "12222");
}

TEST_F(TextControls, EditableTextAndPlaceHolderTakeTheEnteredText)
{
  auto* e = Attach(new IEditableTextControl(IRECT(5, 5, 105, 25), "Write a name", kText, COLOR_TRANSPARENT));
  EXPECT_TRUE(!e->GetIgnoreMouse() && e->GetDoubleClickIsClick());
  g.ClearCalls();
  e->OnMouseDown(10, 10, IMouseMod());
  EXPECT_EQ(Trace(g.calls), "CreatePlatformTextEntry-1,5,5,105,25,7,10'Write a name'");
  g.SetControlValueAfterTextEdit("My preset");
  EXPECT_STREQ(e->GetStr(), "My preset");

  auto* p = Attach(new PlaceHolder(IRECT(10, 20, 110, 60), "Meter"));
  EXPECT_EQ(std::string(p->GetPositionStr()) + "|" + p->GetWidthStr() + "|" + p->GetHeightStr(),
            "10.0, 20.0|100.0|40.0");
  EXPECT_TRUE(p->GetText().mSize == 20.f && !p->GetPromptBlocked());
  // White box, both diagonals, the three figures on backings at their anchors, then the label.
  EXPECT_EQ(Drawn(p), "fillR255,255,255,255,10,20,110,60,-1 line255,255,0,0,10,20,110,60,2,0.5 "
                      "line255,255,0,0,10,60,110,20,2,0.5 "
                      "fillR255,255,255,255,20,40,48,54,0.5 DoDrawText20,40,20,40,14,1'40.0' "
                      "fillR255,255,255,255,60,30,95,44,0.75 DoDrawText60,30,60,30,14,1'100.0' "
                      "fillR255,255,255,255,20,30,90,44,0.5 DoDrawText20,30,20,30,14,1'10.0, 20.0' "
                      "fillR255,255,255,255,10,20,60,40,0.75 DoDrawText10,20,60,40,20,1'Meter'");
  p->OnMouseDblClick(1, 1, IMouseMod());
  g.SetControlValueAfterTextEdit("Scope");
  EXPECT_STREQ(p->GetStr(), "Scope");
}

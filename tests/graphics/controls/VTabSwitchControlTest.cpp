#include "ControlTestSupport.h"
#include "graphics/controls/IVRadioButtonControl.h"

#include <cmath>

using namespace plugin::ui;
using namespace plugin::ui::test;

using Tab = IVTabSwitchControl;

// Three tabs in a 300 x 50 widget are 100 wide; a shared edge belongs to the right or lower tab.
TEST_F(ControlTest, TabSwitchButtonsAndClicks)
{
  auto* h = Attach(new Tab({0, 0, 300, 50}, nullptr, {"A", "B", "C"}, "", Plain()));
  auto* v = Attach(new Tab({0, 60, 50, 360}, nullptr, {"A", "B", "C"}, "", Plain(), EVShape::Rectangle,
                           EDirection::Vertical));
  EXPECT_EQ(Box(h->GetButton(1)) + " " + Box(v->GetButton(2)), "100,0,200,50 0,260,50,360");
  const std::tuple<Tab*, float, float, double> clicks[] = {
      {h, 150, 25, 0.5}, {h, 299, 25, 1},      {h, 100, 25, 0.5},
      {h, 99.9f, 25, 0}, {h, 300, 25, 0}, // outside
      {v, 25, 160, 0.5}, {v, 25, 259.9f, 0.5}, {v, 25, 260, 1}};
  for (const auto& [tab, x, y, value] : clicks) {
    Click(x, y);
    EXPECT_EQ(tab->GetValue(), value) << x << "," << y;
  }
  // Selection: trunc(v x 2 + 0.5); the pressed tab draws in the pressed colour, text centred.
  const std::pair<double, std::string> selected[] = {{0.74, "200 240 200 "}, {0.75, "200 200 240 "}};
  for (const auto& [value, faces] : selected) {
    h->SetValue(value);
    g.ClearCalls();
    h->Draw(g);
    EXPECT_EQ(Faces(g), faces);
  }
  EXPECT_EQ(Ops(g.calls) + " " + Trace({g.CallsNamed("text")[1]}),
            "fillR fillRR text'A' fillRR text'B' fillRR text'C' text255,0,0,0,100,0,200,50,1'B'");

  // One state: a click selects 0, never 0 / 0.
  auto* one = Attach(new Tab({0, 100, 100, 150}, nullptr, {"Only"}, "", Plain()));
  one->SetValue(0.7);
  one->OnMouseDown(50, 125, LeftButton());
  EXPECT_EQ(one->GetValue(), 0.0);
}

TEST_F(ControlTest, TabSwitchTextsFromOptionsOrParameter)
{
  // No options: the parameter's display texts and name; given options win and keep the empty label.
  auto* named = Attach(new Tab({0, 0, 300, 50}, TestEditorDelegate::kMode));
  auto* given = Attach(new Tab({0, 0, 300, 50}, TestEditorDelegate::kMode, {"A", nullptr, "C"}));
  EXPECT_EQ(std::string(named->GetTabLabel(0)) + named->GetTabLabel(2) + named->GetLabelStr() + "|" +
                given->GetTabLabel(1) + given->GetLabelStr() + "|" + std::to_string(named->NButtons()),
            "OffHardMode||3");
}

// Rows of 20 in a 100 x 60 widget; button size 5: a 5 x 5 circle 7.5 from the row's left edge, the
// text from 15; selected text in the pressed colour (240), the others in extra colour 1 (black).
TEST_F(ControlTest, RadioButtonsRowsAndColours)
{
  auto* r = Attach(new IVRadioButtonControl({0, 0, 100, 60}, nullptr, {"a", "b", "c"}, "", Plain(),
                                            EVShape::Ellipse, EDirection::Vertical, 5));
  r->SetValue(0.5);
  r->DrawWidget(g);
  EXPECT_EQ(g.Only("fillE") + " " + g.Only("text"),
            "fillE255,200,200,200,5,7.5,10,12.5,-1 fillE255,240,240,240,5,27.5,10,32.5,-1 "
            "fillE255,200,200,200,5,47.5,10,52.5,-1 text255,0,0,0,15,0,100,20,1'a' "
            "text255,240,240,240,15,20,100,40,1'b' text255,0,0,0,15,40,100,60,1'c'");
  Click(80, 50); // on the text of the last row
  EXPECT_EQ(r->GetValue(), 1.0);
  r->SetOnlyButtonsRespondToMouse(true);
  EXPECT_TRUE(!r->IsHit(80, 30) && r->GetButtonForPoint(14.9f, 30) == 1);

  // A size that is no size: a 1 x 1 button and no button column.
  Attach(new IVRadioButtonControl({0, 0, 100, 20}, nullptr, {"x"}, "", Plain(), EVShape::Ellipse,
                                  EDirection::Vertical, NAN))
      ->DrawWidget(g);
  EXPECT_EQ(g.Only("fillE"), "fillE255,240,240,240,-0.5,9.5,0.5,10.5,-1");
}

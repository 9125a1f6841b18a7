#include "ControlCanvas.h"
#include "graphics/controls/IVButtonControl.h"

#include <cmath>

using namespace plugin::ui;
using namespace plugin::ui::test;

// Text measures 0.5 x size per character by size: the label "Gain" at 19 is 38 x 19, the value
// "0.50" at 14 is 28 x 14 (half width 28 x 0.66 = 18.48). Flags: l label shown, v value shown, T/M
// value on top/middle, h half widget, w label in widget, 0 label size 0, 3 label left.
TEST_F(ControlTest, MakeRectsCases)
{
  const IRECT p(0, 0, 100, 100);
  const std::string none = "0,0,0,0 | 0,0,0,0 | 0,0,0,0 | 0,0,0,0";
  const std::tuple<const char*, const char*, std::string, IRECT, std::string> cases[] = {
      // label, value, flags, parent: area | label | value | widget
      {"Gain", "", "v", p, "0,0,100,100 | 0,0,0,0 | 50,100,50,100 | 0,0,100,100"}, // label off
      {"", "", "lvT", p, "0,0,100,100 | 0,0,0,0 | 50,0,50,0 | 0,0,100,100"},       // empty label and value
      {"", "", "lvM", p, "0,0,100,100 | 0,0,0,0 | 50,50,50,50 | 0,0,100,100"},
      {"Gain", "", "w", p, "0,0,100,100 | 0,0,100,100 | 0,0,0,0 | 0,0,100,100"}, // in the widget, though off
      {"Gain", "", "l3", p, "38,0,100,100 | 0,40.5,38,59.5 | 0,0,0,0 | 38,0,100,100"},
      {"Gain", "0.50", "lvh", p, "0,19,100,100 | 31,0,69,19 | 31.52,86,68.48,100 | 25,35.75,75,69.25"},
      {"Gain", "", "l0", p, "0,1,100,100 | 49.5,-0.5,50.5,0.5 | 0,0,0,0 | 0,1,100,100"}, // a 1 x 1 box
      {"Gain", "0.50", "lv", IRECT(), none},
      {"Gain", "0.50", "lv", IRECT(10, 10, 0, 0), none},
      {"Gain", "0.50", "lv", IRECT(0, 0, NAN, 10), none},
      {"Gain", "0.50", "lv", IRECT(-INFINITY, 0, 10, 10), none}};
  for (const auto& [label, value, flags, parent, rects] : cases) {
    auto has = [&](char f) { return flags.find(f) != std::string::npos; };
    IVStyle style = Plain(flags);
    style.valueText.mVAlign = has('T') ? EVAlign::Top : has('M') ? EVAlign::Middle : EVAlign::Bottom;
    style.widgetFraction = has('h') ? 0.5f : 1.f;
    style.labelText.mSize = has('0') ? 0.f : 19.f;
    style.labelPosition = has('3') ? 3 : 0;
    auto* k = Attach(new IVButtonControl(p, nullptr, label, style, has('w'), false));
    k->SetValueStr(value);
    const IRECT area = k->MakeRects(parent, false);
    EXPECT_EQ(Box(area) + " | " + Box(k->GetLabelBounds()) + " | " + Box(k->GetValueBounds()) + " | " +
                  Box(k->GetWidgetBounds()),
              rects)
        << label << " " << flags;
    g.RemoveControl(k);
  }
}

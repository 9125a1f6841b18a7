#include "ControlTestSupport.h"
#include "graphics/controls/IVButtonControl.h"
#include "graphics/controls/IVKnobControl.h"
#include "graphics/controls/IVLabelControl.h"
#include "graphics/controls/IVMenuButtonControl.h"
#include "graphics/controls/IVRadioButtonControl.h"
#include "graphics/controls/IVSlideSwitchControl.h"
#include "graphics/controls/IVSliderControl.h"
#include "graphics/controls/IVToggleControl.h"

#include <cmath>
#include <functional>
#include <limits>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

using Make = std::function<IControl*(const IRECT&, const IVStyle&)>;

// One vector control of each kind, unbound and with a null label wherever one is taken.
const std::pair<const char*, Make> kControls[] = {
    {"knob", [](const IRECT& r, const IVStyle& s) { return new IVKnobControl(r, -1, nullptr, s, true); }},
    {"button", [](const IRECT& r, const IVStyle& s) { return new IVButtonControl(r, nullptr, nullptr, s); }},
    {"switch",
     [](const IRECT& r, const IVStyle& s) { return new IVSwitchControl(r, nullptr, nullptr, s, 3); }},
    {"toggle",
     [](const IRECT& r, const IVStyle& s) {
       return new IVToggleControl(r, nullptr, nullptr, s, nullptr, nullptr, true);
     }},
    {"tabs",
     [](const IRECT& r, const IVStyle& s) { return new IVTabSwitchControl(r, nullptr, {}, nullptr, s); }},
    {"radio",
     [](const IRECT& r, const IVStyle& s) {
       return new IVRadioButtonControl(r, nullptr, {"a", nullptr}, nullptr, s);
     }},
    {"label", [](const IRECT& r, const IVStyle& s) { return new IVLabelControl(r, nullptr, s); }},
    {"slide",
     [](const IRECT& r, const IVStyle& s) {
       return new IVSlideSwitchControl(r, nullptr, nullptr, s, true, EDirection::Horizontal, 2, 0);
     }},
    {"menu", [](const IRECT& r, const IVStyle& s) { return new IVMenuButtonControl(r, -1, nullptr, s); }},
    {"slider",
     [](const IRECT& r, const IVStyle& s) { return new IVSliderControl(r, -1, nullptr, s, true); }}};

// Every number of every recorded call is finite.
bool AllFinite(const std::vector<CanvasCall>& calls)
{
  for (const CanvasCall& c : calls)
    for (double a : c.args)
      if (!std::isfinite(a)) return false;
  return true;
}

// Draws c and, for a menu button, the button it holds (its value goes there).
void DrawWithButton(IControl* c)
{
  ICanvas& g = *c->GetUI();
  c->Draw(g);
  if (auto* menu = dynamic_cast<IVMenuButtonControl*>(c); menu && menu->GetButton()) {
    menu->GetButton()->SetValue(c->GetValue());
    menu->GetButton()->Draw(g);
  }
}

} // namespace

// Empty, inverted and unbounded rectangles lay out to nothing: nothing is drawn (a menu button's
// own button included), and presses, drags, wheels and double clicks leave a value in 0..1.
TEST_F(ControlTest, VectorControlsOnBoundsWithoutArea)
{
  const IRECT bounds[] = {{0, 0, 0, 0}, {50, 50, 10, 10}, {0, 0, 100, kNaN}, {0, 0, kInf, 20}};
  for (const auto& [name, make] : kControls) {
    for (const IRECT& r : bounds) {
      IControl* c = Attach(make(r, Plain("lvfs")));
      c->SetValue(0.5);
      c->OnMouseDown(5, 5, LeftButton());
      c->OnMouseDrag(5, 0, 0, -5, LeftButton());
      c->OnMouseUp(5, 0, LeftButton());
      c->OnMouseWheel(5, 5, NoButton(), 3);
      c->OnMouseDblClick(5, 5, LeftButton());
      g.ClearCalls();
      DrawWithButton(c);
      EXPECT_EQ(Ops(g.calls), "") << name << " " << Box(r);
      const double v = c->GetValue();
      EXPECT_TRUE(v >= 0.0 && v <= 1.0) << name << " " << Box(r) << " " << v;
    }
  }
}

// Values the plug-in or a caller stored outside 0..1, or NaN, draw as the nearest end (NaN as 0):
// never a NaN or infinite coordinate.
TEST_F(ControlTest, VectorControlsDrawValuesOutsideTheirRange)
{
  for (const auto& [name, make] : kControls) {
    IControl* c = Attach(make(IRECT(0, 0, 120, 80), Plain("lvfs")));
    for (double v : {-1.0, 2.0, double(kNaN), 1e300, -double(kInf)}) {
      c->SetValue(v);
      g.ClearCalls();
      DrawWithButton(c);
      EXPECT_FALSE(g.calls.empty()) << name;
      EXPECT_TRUE(AllFinite(g.calls)) << name << " " << v << ": " << Trace(g.calls);
    }
  }
  // A knob at 2 points where it points at 1; at NaN where it points at 0.
  auto* k = Attach(new IVKnobControl({0, 0, 100, 100}, -1, nullptr, Plain()));
  std::string arcs;
  for (double v : {2.0, 1.0, double(kNaN), 0.0}) {
    k->SetValue(v);
    g.ClearCalls();
    k->DrawWidget(g);
    arcs += g.Only("arc") + " ";
  }
  EXPECT_EQ(arcs, "arc255,0,0,0,50,50,49,-135,135,2,1 arc255,0,0,0,50,50,49,-135,135,2,1 "
                  "arc255,0,0,0,50,50,49,-135,-135,2,1 arc255,0,0,0,50,50,49,-135,-135,2,1 ");
}

// A huge gearing barely moves a knob; a drag over no distance or with no gearing moves nothing.
TEST_F(ControlTest, KnobGearingExtremes)
{
  const std::tuple<double, float, double> cases[] = {
      // gearing, dY: value from 0.5
      {1e300, -1000, 0.5},
      {0.0, -10, 0.5},
      {kNaN, -10, 0.5},
      {-4.0, -10, 0.5 - 10.0 / (4 * 50)}, // reversed, over the 50-high drag box
      {1e-300, -1, 1.0}};
  for (const auto& [gearing, dY, value] : cases) {
    auto* k = Attach(new IVKnobControl({0, 0, 100, 100}, -1, nullptr, Plain(), false, false, -135, 135, -135,
                                       EDirection::Vertical, gearing));
    k->SetValue(0.5);
    g.OnMouseDown(Press(50, 50));
    g.OnMouseDrag(Drag(50, 50 + dY, 0, dY));
    g.OnMouseUp(Press(50, 50 + dY));
    EXPECT_NEAR(k->GetValue(), value, 1e-9) << gearing;
    g.RemoveControl(k);
  }
}

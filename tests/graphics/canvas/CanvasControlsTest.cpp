#include "graphics/attached/IBubbleControl.h"
#include "graphics/attached/ICornerResizerControl.h"
#include "graphics/attached/IFPSDisplayControl.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/attached/ITextEntryControl.h"
#include "graphics/control/IChildList.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

const IRECT kBox(10, 10, 30, 20);

// Records what each attach hook sees of the context.
class ProbeControl : public IControl
{
public:
  ProbeControl(ICanvas& ui, int tag) : IControl(kBox, -1), mUI(ui), mTag(tag) {}
  void OnInit() override { Snap("OnInit"); }
  void OnResize() override { Snap("OnResize"); }
  void OnRescale() override { Snap("OnRescale"); }
  void OnAttached() override { Snap("OnAttached"); }
  void Draw(ICanvas&) override {}
  std::vector<std::string> seen;

private:
  void Snap(const char* hook)
  {
    seen.push_back(std::string(hook) + (mUI.GetControlWithTag(mTag) == this ? " tag" : "") +
                   (GetUI() == &mUI && GetDelegate() ? " ptrs" : "") + " group=" + GetGroup() +
                   (mUI.GetControlIdx(this) >= 0 ? " listed" : ""));
  }
  ICanvas& mUI;
  int mTag;
};

// A container that lists children it does not own.
class TestContainer : public RecordingControl, public IChildList
{
public:
  TestContainer() : RecordingControl(kBox, -1) {}
  void Add(IControl* child)
  {
    child->SetParent(this);
    children.push_back(child);
  }
  void ForgetChild(IControl* child) noexcept override { std::erase(children, child); }
  std::vector<IControl*> children;
};

class CanvasControlsTest : public ::testing::Test
{
protected:
  RecordingControl* Add(const char* name, int param = -1, int tag = -1, const char* group = "")
  {
    return static_cast<RecordingControl*>(
        ui.AttachControl(new RecordingControl(kBox, param, &log, name), tag, group));
  }

  HookLog log; // outlives the context, whose controls log their destruction
  TD dlg;
  RecordingCanvas ui{dlg};
};

} // namespace

TEST_F(CanvasControlsTest, AttachRegistersTagThenPointersThenHooksGroupListAttached)
{
  auto* probe = new ProbeControl(ui, 7);
  ASSERT_EQ(ui.AttachControl(probe, 7, "knobs"), probe);
  EXPECT_EQ(probe->seen, (std::vector<std::string>{
                             "OnInit tag ptrs group=", "OnResize tag ptrs group=",
                             "OnRescale tag ptrs group=", "OnAttached tag ptrs group=knobs listed"}));
  // A taken tag: null, nothing else changes; the caller keeps the control.
  RecordingControl second(kBox, -1, &log, "second");
  EXPECT_EQ(ui.AttachControl(&second, 7), nullptr);
  EXPECT_EQ(ui.GetControlWithTag(7), probe);
  EXPECT_EQ(ui.NControls(), 1);
  EXPECT_EQ(second.GetUI(), nullptr);
  EXPECT_TRUE(second.hooks.empty());
  EXPECT_EQ(ui.AttachControl(nullptr, 8), nullptr);
  EXPECT_EQ(ui.AttachControl(probe, 9), nullptr); // already listed
  EXPECT_EQ(ui.GetControlWithTag(9), nullptr);
}

TEST_F(CanvasControlsTest, WalkOrderIncludesSpecialControlsAndControlsAppendedDuringTheWalk)
{
  Add("a");
  Add("b");
  ui.AttachBubbleControl();
  ui.AttachPopupMenuControl();
  ui.AttachTextEntryControl();
  ui.AttachCornerResizer();
  ui.ShowFPSDisplay(true);
  std::vector<IControl*> order;
  bool appended = false;
  ui.ForAllControlsFunc([&](IControl* c) {
    order.push_back(c);
    if (!appended) appended = Add("late") != nullptr;
  });
  const std::vector<IControl*> expected = {
      ui.GetControl(0),      ui.GetControl(1),         ui.GetControl(2),         ui.GetFPSDisplay(),
      ui.GetCornerResizer(), ui.GetTextEntryControl(), ui.GetPopupMenuControl(), ui.GetBubble(0)};
  EXPECT_EQ(order, expected);
  std::vector<IControl*> standard;
  ui.ForStandardControlsFunc([&](IControl* c) { standard.push_back(c); });
  EXPECT_EQ(standard.size(), 3u);
}

TEST_F(CanvasControlsTest, EveryWalkRefusesAnEmptyFunctionWithAnError)
{
  const std::function<void(ICanvas&)> walks[] = {[](ICanvas& c) { c.ForAllControlsFunc(nullptr); },
                                                 [](ICanvas& c) { c.ForStandardControlsFunc(nullptr); },
                                                 [](ICanvas& c) { c.ForMatchingControls(1, nullptr); },
                                                 [](ICanvas& c) {
                                                   c.ForMatchingControls({1, 2}, nullptr);
                                                 },
                                                 [](ICanvas& c) { c.ForControlInGroup("", nullptr); }};
  for (int controls = 0; controls < 2; ++controls) {
    for (const auto& walk : walks)
      EXPECT_THROW(walk(ui), std::bad_function_call) << controls; // with controls to call or none
    Add("a", 1);
  }
}

TEST_F(CanvasControlsTest, FindingByParameterAndGroup)
{
  Add("plain");
  auto* twoParams =
      static_cast<RecordingControl*>(ui.AttachControl(new RecordingControl(kBox, {3, 4}, &log, "34")));
  auto* g1 = Add("g1", 4, -1, "Knobs");
  Add("g2", -1, -1, "knobs");
  EXPECT_EQ(ui.GetControlWithParamIdx(4), twoParams);
  EXPECT_EQ(ui.GetControlWithParamIdx(5), nullptr);
  int calls = 0;
  ui.ForMatchingControls({3, 4}, [&](IControl* c) { calls += c == twoParams ? 1 : 10; });
  EXPECT_EQ(calls, 12); // twice for the control linked to both, once for g1
  std::vector<IControl*> group;
  ui.ForControlInGroup("Knobs", [&](IControl* c) { group.push_back(c); });
  EXPECT_EQ(group, std::vector<IControl*>{g1});
  ui.HideControl(4, true);
  ui.DisableControl(3, true);
  EXPECT_TRUE(twoParams->IsHidden() && g1->IsHidden() && twoParams->IsDisabled() && !g1->IsDisabled());
}

TEST_F(CanvasControlsTest, TooltipsAndPeersFollowEntryParameters)
{
  auto* gain = Add("gain", TD::kGain);
  auto* unknown = Add("unknown", 99);
  auto* none = static_cast<RecordingControl*>(
      ui.AttachControl(new RecordingControl(kBox, std::initializer_list<int>{})));
  auto* peer = static_cast<RecordingControl*>(ui.AttachControl(new RecordingControl(kBox, {-1, TD::kGain})));
  auto* unbound = Add("unbound");
  ui.AssignParamNameToolTips();
  EXPECT_STREQ(gain->GetTooltip(), "Gain");
  EXPECT_STREQ(unknown->GetTooltip(), "");
  EXPECT_STREQ(none->GetTooltip(), "");
  gain->SetValue(0.8, 0);
  unbound->SetValue(0.3, 0);
  ui.UpdatePeers(gain, 0);
  ui.UpdatePeers(unbound, 0); // unbound entries have no peers
  ui.UpdatePeers(gain, 5);
  EXPECT_EQ(peer->GetValue(1), 0.8);
  EXPECT_EQ(peer->GetValue(0), 0.0);
}

TEST_F(CanvasControlsTest, RemovingAControlLeavesNoPointerToIt)
{
  Add("a");
  auto* b = Add("b", -1, 5);
  auto* c = Add("c");
  ui.SetMouseOver(c, 2);
  ui.Capture(0, b);
  ui.Capture(1, c);
  ui.SetInTextEntry(b);
  ui.SetInPopupMenu(b);
  ui.HideMouseCursor(true, true);
  ui.AttachBubbleControl();
  ui.ShowBubbleControl(b, 0, 0, "x");
  log.clear();
  ui.RemoveControl(b);
  EXPECT_EQ(log, HookLog{"b.~"});
  EXPECT_TRUE(ui.CaptureIsEmpty()); // the whole capture goes
  EXPECT_FALSE(ui.CursorIsHidden());
  EXPECT_TRUE(!ui.GetControlInTextEntry() && !ui.GetControlInPopupMenu() && !ui.GetControlWithTag(5));
  EXPECT_EQ(ui.GetBubble(0)->GetCaller(), nullptr);
  EXPECT_EQ(ui.GetMouseOverControl(), c);
  EXPECT_EQ(ui.GetMouseOverIdx(), 1); // c moved down one place
  EXPECT_TRUE(c->GetNeedsRedraw());
  ui.RemoveControl(c);
  EXPECT_EQ(ui.GetMouseOverControl(), nullptr);
  EXPECT_EQ(ui.GetMouseOverIdx(), -1);
}

TEST_F(CanvasControlsTest, OnlyListedControlsAreDeleted)
{
  auto* a = Add("a");
  bool destroyed = false;
  auto* outside = new RecordingControl(kBox, -1, &log, "outside");
  outside->destroyed = &destroyed;
  a->SetClean();
  ui.RemoveControl(outside);
  ui.RemoveControl(7);
  ui.RemoveControlWithTag(3);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(ui.NControls(), 1);
  EXPECT_TRUE(a->GetNeedsRedraw()); // removals still mark everything dirty
  delete outside;
  Add("b");
  Add("c", -1, 4);
  log.clear();
  ui.RemoveControls(1);
  EXPECT_EQ(log, (HookLog{"c.~", "b.~"}));
  EXPECT_EQ(ui.GetControlWithTag(4), nullptr);
}

TEST_F(CanvasControlsTest, ContainersAndChildrenUnlinkOnRemoval)
{
  auto* box = static_cast<TestContainer*>(ui.AttachControl(new TestContainer()));
  auto* first = Add("first");
  auto* second = Add("second");
  box->Add(first);
  box->Add(second);
  ui.RemoveControl(first);
  EXPECT_EQ(box->children, std::vector<IControl*>{second});
  ui.RemoveControl(box);
  EXPECT_EQ(second->GetParent(), nullptr);
}

TEST_F(CanvasControlsTest, RemoveAllControlsDeletesSpecialsAndClearsPromptPointers)
{
  auto* a = Add("a", -1, 1);
  ui.AttachPopupMenuControl();
  ui.AttachTextEntryControl();
  ui.AttachCornerResizer();
  ui.ShowFPSDisplay(true);
  ui.AttachBubbleControl();
  ui.AttachBubbleControl();
  ui.SetInTextEntry(a);
  ui.SetInPopupMenu(a);
  ui.Capture(0, a);
  ui.RemoveAllControls();
  EXPECT_EQ(log, HookLog({"a.OnInit", "a.OnResize", "a.OnRescale", "a.OnAttached", "a.~"}));
  EXPECT_TRUE(!ui.GetPopupMenuControl() && !ui.GetTextEntryControl() && !ui.GetCornerResizer() &&
              !ui.GetFPSDisplay() && ui.NBubbles() == 0 && ui.NControls() == 0);
  EXPECT_TRUE(!ui.GetControlInTextEntry() && !ui.GetControlInPopupMenu() && !ui.GetControlWithTag(1));
  EXPECT_TRUE(ui.CaptureIsEmpty());
}

TEST_F(CanvasControlsTest, SpecialControlsAreMadeOnce)
{
  ui.AttachPopupMenuControl(DEFAULT_LABEL_TEXT, IRECT(0, 0, 50, 50));
  ui.AttachTextEntryControl();
  IPopupMenuControl* popup = ui.GetPopupMenuControl();
  ITextEntryControl* entry = ui.GetTextEntryControl();
  ui.AttachPopupMenuControl();
  ui.AttachTextEntryControl();
  EXPECT_TRUE(ui.GetPopupMenuControl() == popup && ui.GetTextEntryControl() == entry);
  EXPECT_EQ(popup->GetText(), DEFAULT_LABEL_TEXT);
  EXPECT_TRUE(popup->IsHidden() && popup->GetUI() == &ui);
  ui.RemovePopupMenuControl();
  ui.RemoveTextEntryControl();
  EXPECT_TRUE(!ui.GetPopupMenuControl() && !ui.GetTextEntryControl());

  ui.ShowFPSDisplay(true);
  IFPSDisplayControl* fps = ui.GetFPSDisplay();
  EXPECT_EQ(fps->GetBounds(), IRECT(10, 10, 210, 60));
  EXPECT_STREQ(fps->GetLabel(), "Frame Time");
  ui.SetMouseOver(fps, -1);
  ui.ShowFPSDisplay(false);
  EXPECT_TRUE(!ui.GetFPSDisplay() && !ui.GetMouseOverControl());

  ui.AttachBubbleControl(DEFAULT_VALUE_TEXT);
  EXPECT_TRUE(ui.GetBubble(0)->IsHidden() && ui.GetBubble(0)->GetIgnoreMouse());
  EXPECT_EQ(ui.GetBubble(0)->GetText(), DEFAULT_VALUE_TEXT);
}

TEST_F(CanvasControlsTest, MovingControlsDirtiesUnlessHidden)
{
  auto* a = Add("a");
  auto* hidden = Add("hidden");
  hidden->Hide(true);
  ui.SetAllControlsClean();
  ui.SetControlPosition(hidden, 5, 5);
  EXPECT_FALSE(a->IsDirty());
  ui.SetControlBounds(a, IRECT(1, 2, 3, 4));
  EXPECT_EQ(a->GetHitRect(), IRECT(1, 2, 3, 4));
  EXPECT_TRUE(hidden->IsDirty());
  EXPECT_EQ(a->hooks.back(), "OnResize");
}

#include "framework/queues/IMidiMsg.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace plugin;
using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;
using Strings = std::vector<std::string>;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Makes recording contexts of 899 x 500 and logs the plug-in hooks the graphics delegate calls.
struct Editor : TD
{
  Editor()
  {
    SetMakeGraphicsFunc(
        [this]() -> ICanvas* { return failMake ? nullptr : new RecordingCanvas(*this, 899, 500); });
  }
  void OnUIClose() override
  {
    log.push_back("OnUIClose");
    if (closeFromClose) CloseWindow(); // re-entered: returns at once
  }
  void OnMidiMsgUI(const IMidiMsg& msg) override
  {
    log.push_back("OnMidiMsgUI " + std::to_string(msg.mData1));
  }
  bool OnMessage(int, int, int, const void*) override { return log.push_back("OnMessage"), true; }
  RecordingCanvas* UI() { return static_cast<RecordingCanvas*>(GetUI()); }
  Strings log;
  bool failMake = false, closeFromClose = false;
};

IByteChunk Record(int32_t w, int32_t h, float scale, int bytes = 12)
{
  IByteChunk chunk;
  chunk.Put(&w), chunk.Put(&h), chunk.Put(&scale);
  return chunk.Resize(bytes), chunk;
}

// What the API base and the binding are to the graphics delegate: classes below it that answer the
// edits from the editor and show the host's context menu.
struct ApiLike : IEditorDelegate
{
  ApiLike() : IEditorDelegate(2) {}
  void BeginInformHostOfParamChangeFromUI(int i) override { log.push_back("Begin " + std::to_string(i)); }
  void EndInformHostOfParamChangeFromUI(int i) override { log.push_back("End " + std::to_string(i)); }
  bool EditorResizeFromUI(int w, int, bool) override
  {
    return log.push_back("Resize " + std::to_string(w)), true;
  }
  void DeferMidiMsg(const IMidiMsg&) override { log.push_back("Defer"); }
  bool PopupHostContextMenu(ICanvasEditorDelegateBase::ControlLookup target, int i, IPopupMenu&, int x, int y)
  {
    lookup = std::move(target);
    return log.push_back("HostMenu " + std::to_string(i) + " at " + std::to_string(x) + "," +
                         std::to_string(y)),
           true;
  }
  Strings log;
  ICanvasEditorDelegateBase::ControlLookup lookup; // what the last host menu keeps
};
// A class below the graphics delegate that answers one of its operations would be overridden.
struct ClaimsTheWindow : IEditorDelegate
{
  void* OpenWindow(void*) override { return nullptr; }
};
static_assert(kLeavesEditorSideToGraphics<ApiLike> && !kLeavesEditorSideToGraphics<ClaimsTheWindow>);
static_assert(HostContextMenuSource<ApiLike> && !HostContextMenuSource<IEditorDelegate>);

} // namespace

TEST(CanvasEditorDelegate, OpensOnceClosesGuardedAndReopensWithTheSizeItClosedWith)
{
  Editor dlg;
  dlg.CloseWindow(); // not open: only the plug-in hook
  EXPECT_NE(dlg.OpenWindow(&dlg), nullptr);
  RecordingCanvas* first = dlg.UI();
  dlg.OpenWindow(&dlg); // the same context opens its window again
  EXPECT_EQ(dlg.UI(), first);
  dlg.UI()->Resize(1200, 700, 1.5f, true);
  dlg.closeFromClose = true;
  dlg.CloseWindow();
  EXPECT_EQ(dlg.log, (Strings{"OnUIClose", "OnUIClose"}));
  dlg.OpenWindow(&dlg);
  EXPECT_EQ(
      (std::vector<double>{double(dlg.UI()->Width()), double(dlg.UI()->Height()), dlg.UI()->GetDrawScale()}),
      (std::vector<double>{1200, 700, 1.5}));
  dlg.CloseWindow();
  dlg.failMake = true;
  EXPECT_EQ(dlg.OpenWindow(&dlg), nullptr);
  EXPECT_EQ(dlg.GetUI(), nullptr);
}

TEST(CanvasEditorDelegate, EditorStateRecordRoundTripsAndSurvivesBadRecords)
{
  Editor dlg, other;
  IByteChunk saved;
  ASSERT_TRUE(dlg.SerializeEditorState(saved));
  EXPECT_TRUE(saved.IsEqual(Record(0, 0, 0.f))); // closed, nothing kept: twelve zero bytes
  dlg.OpenWindow(nullptr);
  dlg.UI()->Resize(1000, 600, 2.f, false);
  dlg.SerializeEditorState(saved);
  EXPECT_EQ(other.UnserializeEditorState(saved, 12), 24);
  other.OpenWindow(nullptr);
  EXPECT_EQ(other.UI()->GetDrawScale(), 2.f);
  EXPECT_EQ(other.UnserializeEditorState(Record(900, 650, kNaN), 0), 12); // open: this scale is unusable
  EXPECT_EQ(other.UnserializeEditorState(Record(900, 650, -2.f), 0), 12); // and this one
  EXPECT_EQ(other.UI()->Height(), 600); // neither record resized the open editor
  EXPECT_EQ(other.UnserializeEditorState(Record(900, 650, 1.25f), 0), 12);
  EXPECT_EQ((std::vector<double>{double(other.UI()->Height()), other.UI()->GetDrawScale()}),
            (std::vector<double>{650, 1.25}));

  const struct
  {
    IByteChunk chunk;
    int start, result, width, height;
  } cases[] = {{Record(800, 600, 1.5f, 8), 0, -1, 800, 600},
               {Record(800, 600, 1.5f, 5), 0, -1, 800, 0},
               {Record(800, 600, 1.5f), -1, -1, 0, 0},
               {Record(800, 600, 1.5f), 12, -1, 0, 0},
               {Record(800, 600, std::numeric_limits<float>::infinity()), 0, 12, 800, 600},
               {Record(800, 600, -1.5f), 0, 12, 800, 600},
               {Record(800, 600, 0.f), 0, 12, 800, 600}};
  for (const auto& c : cases) {
    Editor closed;
    EXPECT_EQ(closed.UnserializeEditorState(c.chunk, c.start), c.result);
    EXPECT_EQ((std::vector<double>{double(closed.GetSavedWidth()), double(closed.GetSavedHeight()),
                                   closed.GetSavedDrawScale()}),
              (std::vector<double>{double(c.width), double(c.height), 0}));
    closed.OpenWindow(nullptr);
    EXPECT_EQ(closed.UI()->Width(), 899); // nothing usable kept: the factory's size
  }
}

TEST(CanvasEditorDelegate, DeliveriesReachTheMatchingControlsOfTheOpenEditor)
{
  Editor dlg;
  IMidiMsg note{0, 0x90, 60, 100};
  dlg.SendMidiMsgFromDelegate(note);                          // closed: the plug-in hook only
  dlg.SendParameterValueFromDelegate(TD::kSteps, 7.3, false); // closed: the hook only
  EXPECT_FALSE(dlg.OnKeyDown(Key(65)));
  dlg.OpenWindow(nullptr);
  auto* one =
      static_cast<RecordingControl*>(dlg.UI()->AttachControl(new RecordingControl(IRECT(), TD::kSteps), 0));
  auto* two = static_cast<RecordingControl*>(
      dlg.UI()->AttachControl(new RecordingControl(IRECT(0, 0, 9, 9), {TD::kGain, TD::kSteps}), 1));
  two->SetReceivesMidi(true), two->keyResult = true, two->hooks.clear();
  dlg.calls.clear();
  dlg.SendParameterValueFromDelegate(TD::kSteps, 7.3, false); // snapped to 7 of 0..10
  EXPECT_EQ((std::vector<double>{one->GetValue(0), two->GetValue(0), two->GetValue(1)}),
            (std::vector<double>{0.7, 0.0, 0.7}));
  dlg.SendParameterValueFromDelegate(TD::kSteps, kNaN, true);
  dlg.SendParameterValueFromDelegate(40, 3.0, false); // no such parameter
  dlg.SendControlValueFromDelegate(0, 0.4);
  dlg.SendControlValueFromDelegate(0, kNaN);
  EXPECT_EQ(one->GetValue(0), 0.4);
  EXPECT_EQ(dlg.CallsNamed("ParamChangeUI").size(), 3u);
  dlg.SendControlMsgFromDelegate(1, 5, 0, nullptr);
  EXPECT_EQ(two->lastInt, 5);
  dlg.SendControlMsgFromDelegate(9, 5, 0, nullptr); // no such tag
  dlg.SendMidiMsgFromDelegate(note);
  dlg.UI()->mouseX = dlg.UI()->mouseY = 3;
  EXPECT_TRUE(dlg.OnKeyDown(Key(65)));
  dlg.SetScreenScale(2.f);
  EXPECT_EQ(two->hooks, (HookLog{"OnMsgFromDelegate", "OnMidi", "OnKeyDown", "OnRescale"}));
  EXPECT_EQ(dlg.log, (Strings{"OnMidiMsgUI 60", "OnMidiMsgUI 60"})); // never OnMessage
  EXPECT_EQ(dlg.UI()->GetScreenScale(), 2.f);
  bool destroyed = false;
  {
    Editor open;
    open.OpenWindow(nullptr);
    static_cast<RecordingControl*>(open.UI()->AttachControl(new RecordingControl(IRECT())))->destroyed =
        &destroyed;
  }
  EXPECT_TRUE(destroyed); // the delegate deletes an editor still open
}

TEST(CanvasEditorDelegate, EditsResizesMidiAndHostMenusReachTheClassesBelow)
{
  ICanvasEditorDelegate<ApiLike> plug;
  plug.GetParam(1)->InitInt("Steps", 0, 0, 10);
  RecordingCanvas ui(plug);
  ui.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), 1));
  ui.OnMouseDown(Press(5, 5));
  ui.OnMouseUp(Press(5, 5));
  ui.SetQwertyMidiKeyHandlerFunc();
  ui.OnKeyDown(0, 0, Key('A'));
  ui.OnKeyUp(0, 0, Key('A'));
  ui.Resize(640, 480, 2.f, false);
  ui.OnMouseDown(Press(2.6f, 3.f, RightButton()));
  EXPECT_EQ(plug.log, (Strings{"Begin 1", "End 1", "Defer", "Defer", "Resize 1280", "HostMenu 1 at 5,6"}));
}

TEST(CanvasEditorDelegate, AHostMenuFindsItsControlOnlyWhileTheOpenEditorHoldsIt)
{
  // What happens after the menu was built, and whether its lookup still answers the control.
  using Plug = ICanvasEditorDelegate<ApiLike>;
  struct Case
  {
    const char* name;
    void (*after)(std::unique_ptr<Plug>& plug, IControl* control);
    bool found;
  };
  const Case cases[] = {
      {"nothing", [](std::unique_ptr<Plug>&, IControl*) {}, true},
      {"editor resized",
       [](std::unique_ptr<Plug>& p, IControl*) { p->GetUI()->Resize(640, 480, 2.f, false); }, true},
      {"control removed", [](std::unique_ptr<Plug>& p, IControl* c) { p->GetUI()->RemoveControl(c); }, false},
      {"editor closed", [](std::unique_ptr<Plug>& p, IControl*) { p->CloseWindow(); }, false},
      {"editor reopened with a new control",
       [](std::unique_ptr<Plug>& p, IControl*) {
         int parent = 0;
         p->CloseWindow();
         p->OpenWindow(&parent);
         p->GetUI()->AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), 1));
       },
       false},
      {"plug-in gone", [](std::unique_ptr<Plug>& p, IControl*) { p.reset(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto plug = std::make_unique<Plug>();
    plug->GetParam(1)->InitInt("Steps", 0, 0, 10);
    Plug* raw = plug.get();
    plug->SetMakeGraphicsFunc([raw]() -> ICanvas* { return new RecordingCanvas(*raw, 100, 100); });
    int parent = 0;
    plug->OpenWindow(&parent);
    IControl* control = plug->GetUI()->AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), 1));
    plug->GetUI()->OnMouseDown(Press(5, 5, RightButton()));
    ASSERT_TRUE(plug->lookup);
    const ICanvasEditorDelegateBase::ControlLookup kept = plug->lookup;
    ASSERT_EQ(kept(), control);
    c.after(plug, control);
    EXPECT_EQ(kept(), c.found ? control : nullptr);
  }
}

TEST(CanvasEditorDelegate, AHostMenuForNoControlFindsNone)
{
  ICanvasEditorDelegate<ApiLike> plug;
  IPopupMenu items;
  EXPECT_TRUE(plug.PopupHostContextMenu(nullptr, 1, items, 0, 0));
  ASSERT_TRUE(plug.lookup);
  EXPECT_EQ(plug.lookup(), nullptr);
}

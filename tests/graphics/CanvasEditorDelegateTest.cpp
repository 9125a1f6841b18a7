#include "framework/queues/IMidiMsg.h"
#include "graphics/ICanvasEditorDelegate.h"
#include "graphics/IPopupMenu.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

using namespace plugin;
using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

// A delegate whose factory makes recording contexts of 899 x 500 and that records the plug-in
// side hooks the graphics delegate calls.
class EditorDelegate : public TD
{
public:
  EditorDelegate()
  {
    SetMakeGraphicsFunc([this]() -> ICanvas* {
      ++made;
      return failMake ? nullptr : new RecordingCanvas(*this, 899, 500, 60, 1.f);
    });
  }
  void OnUIClose() override
  {
    log.push_back("OnUIClose");
    if (closeFromClose) CloseWindow(); // re-entered: returns at once
  }
  void OnMidiMsgUI(const IMidiMsg& msg) override { log.push_back("OnMidiMsgUI " + std::to_string(msg.mData1)); }
  bool OnMessage(int, int, int, const void*) override { return log.push_back("OnMessage"), true; }
  RecordingCanvas* UI() { return static_cast<RecordingCanvas*>(GetUI()); }

  std::vector<std::string> log;
  int made = 0;
  bool failMake = false;
  bool closeFromClose = false;
};

IByteChunk Record(int32_t w, int32_t h, float scale, int bytes = 12)
{
  IByteChunk chunk;
  chunk.Put(&w);
  chunk.Put(&h);
  chunk.Put(&scale);
  chunk.Resize(bytes);
  return chunk;
}

// The plug-in classes below the graphics delegate in a plug-in object: they answer the
// operations of edits from the editor and show the host's context menu.
class ApiLike : public IEditorDelegate
{
public:
  ApiLike() : IEditorDelegate(2) {}
  void BeginInformHostOfParamChangeFromUI(int idx) override { log.push_back("api Begin " + std::to_string(idx)); }
  void EndInformHostOfParamChangeFromUI(int idx) override { log.push_back("api End " + std::to_string(idx)); }
  void SendParameterValueFromUI(int idx, double) override { log.push_back("api Send " + std::to_string(idx)); }
  bool EditorResizeFromUI(int w, int, bool) override { return log.push_back("api Resize " + std::to_string(w)), true; }
  void DeferMidiMsg(const IMidiMsg&) override { log.push_back("api Defer"); }
  bool PopupHostContextMenu(IControl*, int idx, IPopupMenu&, int x, int y)
  {
    log.push_back("api HostMenu " + std::to_string(idx) + " at " + std::to_string(x) + "," + std::to_string(y));
    return true;
  }
  std::vector<std::string> log;
};

// A class below the graphics delegate that answers one of its operations: the two would clash.
class ClaimsTheWindow : public IEditorDelegate
{
public:
  void* OpenWindow(void*) override { return nullptr; }
};

static_assert(kLeavesEditorSideToGraphics<IEditorDelegate>);
static_assert(kLeavesEditorSideToGraphics<ApiLike>);
static_assert(!kLeavesEditorSideToGraphics<ClaimsTheWindow>);
static_assert(HostContextMenuSource<ApiLike> && !HostContextMenuSource<IEditorDelegate>);

} // namespace

TEST(CanvasEditorDelegate, ReopenRestoresTheSizeAndScaleItClosedWith)
{
  EditorDelegate dlg;
  int parent = 0;
  void* view = dlg.OpenWindow(&parent);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(dlg.UI()->Count("OpenWindow"), 1);
  EXPECT_EQ(dlg.CallsNamed("Layout").size(), 1u);
  dlg.OpenWindow(&parent); // open again: same context, its window opens again
  EXPECT_EQ(dlg.made, 1);
  dlg.UI()->Resize(1200, 700, 1.5f, true);
  dlg.CloseWindow();
  EXPECT_EQ(dlg.GetUI(), nullptr);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"OnUIClose"}));
  dlg.OpenWindow(&parent);
  ASSERT_NE(dlg.UI(), nullptr);
  EXPECT_EQ(dlg.UI()->Width(), 1200);
  EXPECT_EQ(dlg.UI()->Height(), 700);
  EXPECT_EQ(dlg.UI()->GetDrawScale(), 1.5f);
}

TEST(CanvasEditorDelegate, ClosingIsGuardedAndAFailedFactoryLeavesTheEditorClosed)
{
  EditorDelegate dlg;
  dlg.CloseWindow(); // not open: only the plug-in hook
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"OnUIClose"}));
  dlg.OpenWindow(nullptr);
  dlg.closeFromClose = true;
  dlg.log.clear();
  dlg.CloseWindow();
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"OnUIClose"}));
  EXPECT_EQ(dlg.GetUI(), nullptr);

  dlg.failMake = true;
  EXPECT_EQ(dlg.OpenWindow(nullptr), nullptr);
  EXPECT_EQ(dlg.GetUI(), nullptr);
}

TEST(CanvasEditorDelegate, EditorStateRecordRoundTripsAndSurvivesBadRecords)
{
  EditorDelegate dlg;
  IByteChunk empty;
  ASSERT_TRUE(dlg.SerializeEditorState(empty));
  EXPECT_EQ(empty.Size(), 12);
  EXPECT_TRUE(empty.IsEqual(Record(0, 0, 0.f)));

  dlg.OpenWindow(nullptr);
  dlg.UI()->Resize(1000, 600, 2.f, false);
  IByteChunk saved;
  saved.PutStr("before");
  dlg.SerializeEditorState(saved);

  EditorDelegate other;
  EXPECT_EQ(other.UnserializeEditorState(saved, 10), 22);
  other.OpenWindow(nullptr);
  EXPECT_EQ(other.UI()->Width(), 1000);
  EXPECT_EQ(other.UI()->GetDrawScale(), 2.f);
  EXPECT_EQ(other.UnserializeEditorState(Record(900, 650, 1.25f), 0), 12); // open: applied at once
  EXPECT_EQ(other.UI()->Height(), 650);
  EXPECT_EQ(other.UnserializeEditorState(Record(900, 650, std::numeric_limits<float>::quiet_NaN()), 0), 12);
  EXPECT_EQ(other.UI()->GetDrawScale(), 1.25f); // a scale that cannot be used changes nothing

  struct Case
  {
    IByteChunk chunk;
    int start, result, width, height;
    float scale;
  } cases[] = {
      {Record(800, 600, 1.5f, 8), 0, -1, 800, 600, 0.f}, {Record(800, 600, 1.5f, 5), 0, -1, 800, 0, 0.f},
      {Record(800, 600, 1.5f), -1, -1, 0, 0, 0.f},        {Record(800, 600, 1.5f), 12, -1, 0, 0, 0.f},
      {Record(800, 600, std::numeric_limits<float>::infinity()), 0, 12, 800, 600, 0.f},
  };
  for (const Case& c : cases) {
    EditorDelegate closed;
    EXPECT_EQ(closed.UnserializeEditorState(c.chunk, c.start), c.result);
    EXPECT_EQ(closed.GetSavedWidth(), c.width);
    EXPECT_EQ(closed.GetSavedHeight(), c.height);
    EXPECT_EQ(closed.GetSavedDrawScale(), c.scale);
    closed.OpenWindow(nullptr); // nothing usable saved: the factory's size
    EXPECT_EQ(closed.UI()->Width(), 899);
  }
}

TEST(CanvasEditorDelegate, ParameterValuesReachEveryMatchingEntryAndTheHook)
{
  EditorDelegate dlg;
  dlg.SendParameterValueFromDelegate(TD::kSteps, 7.3, false); // closed
  EXPECT_EQ(dlg.CallsNamed("ParamChangeUI"), (std::vector<DelegateCall>{{"ParamChangeUI", TD::kSteps, 0, kDelegate}}));
  dlg.OpenWindow(nullptr);
  auto* one = static_cast<RecordingControl*>(dlg.UI()->AttachControl(new RecordingControl(IRECT(), TD::kSteps)));
  auto* two = static_cast<RecordingControl*>(
      dlg.UI()->AttachControl(new RecordingControl(IRECT(), {TD::kGain, TD::kSteps})));
  dlg.SendParameterValueFromDelegate(TD::kSteps, 7.3, false);
  EXPECT_DOUBLE_EQ(one->GetValue(0), 0.7);
  EXPECT_DOUBLE_EQ(two->GetValue(1), 0.7);
  EXPECT_EQ(two->GetValue(0), 0.0);
  dlg.SendParameterValueFromDelegate(TD::kSteps, 0.25, true);
  EXPECT_EQ(one->GetValue(0), 0.25);
  dlg.SendParameterValueFromDelegate(TD::kSteps, std::numeric_limits<double>::quiet_NaN(), true);
  dlg.SendParameterValueFromDelegate(40, 3.0, false); // no such parameter
  EXPECT_EQ(one->GetValue(0), 0.25);
}

TEST(CanvasEditorDelegate, ControlValuesMessagesMidiKeysAndScaleGoToTheOpenEditor)
{
  EditorDelegate dlg;
  IMidiMsg note;
  note.mData1 = 60;
  dlg.SendMidiMsgFromDelegate(note); // closed: the plug-in hook only
  EXPECT_FALSE(dlg.OnKeyDown(Key(65)));
  dlg.OpenWindow(nullptr);
  auto* tag0 = static_cast<RecordingControl*>(dlg.UI()->AttachControl(new RecordingControl(IRECT()), 0));
  auto* tag1 = static_cast<RecordingControl*>(dlg.UI()->AttachControl(new RecordingControl(IRECT(0, 0, 9, 9)), 1));
  tag1->SetReceivesMidi(true);
  tag1->keyResult = true;
  tag0->hooks.clear();
  tag1->hooks.clear();

  dlg.SendControlMsgFromDelegate(0, 5, 0, nullptr);
  EXPECT_EQ(tag0->lastInt, 5);
  dlg.SendControlMsgFromDelegate(9, 5, 0, nullptr); // no such tag
  dlg.SendControlValueFromDelegate(1, 0.4);
  dlg.SendControlValueFromDelegate(1, std::numeric_limits<double>::infinity());
  dlg.SendMidiMsgFromDelegate(note);
  dlg.UI()->mouseX = 3;
  dlg.UI()->mouseY = 3;
  EXPECT_TRUE(dlg.OnKeyDown(Key(65)));
  EXPECT_TRUE(dlg.OnKeyUp(Key(65)));
  dlg.SetScreenScale(2.f);

  EXPECT_EQ(tag0->hooks, (HookLog{"OnMsgFromDelegate", "OnRescale"}));
  EXPECT_EQ(tag1->hooks, (HookLog{"OnMidi", "OnKeyDown", "OnKeyUp", "OnRescale"}));
  EXPECT_EQ(tag1->GetValue(0), 0.4);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"OnMidiMsgUI 60", "OnMidiMsgUI 60"})); // never OnMessage
  EXPECT_EQ(dlg.UI()->GetScreenScale(), 2.f);
}

TEST(CanvasEditorDelegate, DestroyingTheDelegateDeletesAnOpenEditor)
{
  bool destroyed = false;
  {
    EditorDelegate dlg;
    dlg.OpenWindow(nullptr);
    auto* c = static_cast<RecordingControl*>(dlg.UI()->AttachControl(new RecordingControl(IRECT())));
    c->destroyed = &destroyed;
  }
  EXPECT_TRUE(destroyed);
}

TEST(CanvasEditorDelegate, EditsFromTheEditorReachTheClassesBelowTheGraphicsDelegate)
{
  ICanvasEditorDelegate<ApiLike> plug;
  plug.GetParam(1)->InitInt("Steps", 0, 0, 10);
  RecordingCanvas ui(plug);
  ui.AttachControl(new RecordingControl(IRECT(0, 0, 10, 10), 1));
  ui.OnMouseDown(Press(5, 5));
  ui.OnMouseUp(Press(5, 5));
  ui.Resize(640, 480, 1.f, false);
  ui.SetQwertyMidiKeyHandlerFunc();
  ui.OnKeyDown(0, 0, Key('A'));
  ui.OnKeyUp(0, 0, Key('A'));
  ui.Resize(640, 480, 2.f, false);
  ui.OnMouseDown(Press(2.6f, 3.f, RightButton()));
  EXPECT_EQ(plug.log, (std::vector<std::string>{"api Begin 1", "api End 1", "api Resize 640", "api Defer",
                                                "api Defer", "api Resize 1280", "api HostMenu 1 at 5,6"}));
}

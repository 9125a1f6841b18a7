// What an exception thrown by the editor's code does at the entry points through which a user
// gesture or the host reaches it: running out of memory ends the gesture there (the capture goes,
// the host hears the end of every edit begun, the frame is ended), and a logic error, a
// programming mistake, passes on to the caller.
#include "framework/queues/IMidiMsg.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

using namespace plugin;
using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

constexpr int kTag = 7;

enum class Failure { OutOfMemory, LogicError };

// A control bound to "Gain" whose handler named failOn throws the failure asked for.
class ThrowingControl : public IControl
{
public:
  ThrowingControl() : IControl(IRECT(0.f, 0.f, 100.f, 100.f), TestEditorDelegate::kGain)
  {
    SetReceivesMidi(true);
  }

  void Draw(ICanvas&) override { Raise("draw"); }
  void OnMouseDown(float, float, const IMouseMod&) override { Raise("down"); }
  void OnMouseUp(float, float, const IMouseMod&) override { Raise("up"); }
  void OnMouseDrag(float, float, float, float, const IMouseMod&) override { Raise("drag"); }
  void OnMouseDblClick(float, float, const IMouseMod&) override { Raise("double"); }
  void OnMouseWheel(float, float, const IMouseMod&, float) override { Raise("wheel"); }
  bool OnKeyDown(float, float, const IKeyPress&) override { return Raise("key"), true; }
  void OnDrop(const char*) override { Raise("drop"); }
  void OnTextEntryCompletion(const char*, int) override { Raise("text"); }
  void OnPopupMenuSelection(IPopupMenu*, int) override { Raise("menu"); }
  void OnMsgFromDelegate(int, int, const void*) override { Raise("message"); }
  void OnMidi(const IMidiMsg&) override { Raise("midi"); }
  void SetValueFromDelegate(double value, int valIdx) override
  {
    Raise("value");
    IControl::SetValueFromDelegate(value, valIdx);
  }

  std::string failOn;
  Failure failure = Failure::OutOfMemory;

private:
  void Raise(const char* handler)
  {
    if (failOn != handler) return;
    if (failure == Failure::OutOfMemory) throw std::bad_alloc();
    throw std::out_of_range("parameter index out of range");
  }
};

// An editor opened by its delegate on a recording canvas, with a background and one throwing
// control over it.
struct Editor
{
  Editor()
  {
    dlg.SetMakeGraphicsFunc([this] { return new RecordingCanvas(dlg); });
    dlg.SetLayoutFunc([this](ICanvas* ui) {
      if (failLayout) throw std::bad_alloc();
      ui->AttachControl(new ThrowingControl); // the background, which takes no keys
      control = static_cast<ThrowingControl*>(ui->AttachControl(new ThrowingControl, kTag));
    });
  }
  ~Editor() { dlg.CloseWindow(); }
  RecordingCanvas& Canvas() { return *static_cast<RecordingCanvas*>(dlg.GetUI()); }
  void Open() { dlg.OpenWindow(this); }
  int Count(const char* op) const { return static_cast<int>(dlg.CallsNamed(op).size()); }

  TestEditorDelegate dlg;
  ThrowingControl* control = nullptr;
  bool failLayout = false;
};

// One entry point: what happens before the failing call (unguarded), then the call itself.
struct EntryCase
{
  const char* name;
  const char* handler; // the control's handler that throws
  std::function<void(Editor&)> before;
  std::function<void(Editor&)> call;
};

const EntryCase kCases[] = {
    {"press", "down", nullptr, [](Editor& e) { e.Canvas().OnMouseDown(Press(50.f, 50.f)); }},
    {"release", "up", [](Editor& e) { e.Canvas().OnMouseDown(Press(50.f, 50.f)); },
     [](Editor& e) { e.Canvas().OnMouseUp(Press(50.f, 50.f)); }},
    {"drag", "drag", [](Editor& e) { e.Canvas().OnMouseDown(Press(50.f, 50.f)); },
     [](Editor& e) { e.Canvas().OnMouseDrag(Drag(60.f, 50.f, 10.f, 0.f)); }},
    {"double click", "double", nullptr,
     [](Editor& e) { e.Canvas().OnMouseDblClick(50.f, 50.f, LeftButton()); }},
    {"wheel", "wheel", nullptr, [](Editor& e) { e.Canvas().OnMouseWheel(50.f, 50.f, NoButton(), 1.f); }},
    {"key", "key", nullptr, [](Editor& e) { EXPECT_TRUE(e.Canvas().OnKeyDown(50.f, 50.f, Key('A', "a"))); }},
    {"key through the delegate", "key", nullptr, [](Editor& e) { e.dlg.OnKeyDown(Key('A', "a")); }},
    {"drop", "drop", nullptr, [](Editor& e) { e.Canvas().OnDrop("/a/file", 50.f, 50.f); }},
    {"text entry completed", "text", [](Editor& e) { e.Canvas().SetInTextEntry(e.control); },
     [](Editor& e) { e.Canvas().SetControlValueAfterTextEdit("typed"); }},
    {"menu completed", "menu", [](Editor& e) { e.Canvas().SetInPopupMenu(e.control); },
     [](Editor& e) {
       IPopupMenu menu("", {"one", "two"});
       menu.SetChosenItemIdx(1);
       e.Canvas().SetControlValueAfterPopupMenu(&menu);
     }},
    {"frame draw", "draw", nullptr,
     [](Editor& e) {
       FrameDriver frames(e.Canvas());
       e.Canvas().SetAllControlsDirty();
       frames.Tick();
     }},
    {"message from the plug-in", "message", nullptr,
     [](Editor& e) { e.dlg.SendControlMsgFromDelegate(kTag, 0, 0, nullptr); }},
    {"value from the plug-in", "value", nullptr,
     [](Editor& e) { e.dlg.SendParameterValueFromDelegate(TestEditorDelegate::kGain, 0.25, true); }},
    {"MIDI from the plug-in", "midi", nullptr,
     [](Editor& e) {
       e.dlg.SendMidiMsgFromDelegate(IMidiMsg{0, 0x90, 60, 100});
     }},
};

} // namespace

// Out of memory: the call returns, nothing stays captured, and every edit the gesture began
// ended (for the frame: the frame was ended and the control draws again next time).
TEST(EntryPointErrors, RunningOutOfMemoryEndsTheGestureAtTheEntryPoint)
{
  for (const EntryCase& c : kCases) {
    SCOPED_TRACE(c.name);
    Editor e;
    e.Open();
    if (c.before) c.before(e);
    e.control->failOn = c.handler;
    e.Canvas().ClearCalls();
    EXPECT_NO_THROW(c.call(e));
    EXPECT_TRUE(e.Canvas().CaptureIsEmpty());
    EXPECT_EQ(e.Canvas().GetControlInTextEntry(), nullptr);
    EXPECT_EQ(e.Count("Begin"), e.Count("End"));
    EXPECT_EQ(e.Canvas().Count("BeginFrame"), e.Canvas().Count("EndFrame"));
    if (std::string(c.handler) == "draw") {
      e.control->failOn.clear();
      IRECTList rects;
      EXPECT_TRUE(e.Canvas().IsDirty(rects)); // drawn again on the next frame
    }
  }
}

// A logic error is a programming mistake: no entry point swallows it.
TEST(EntryPointErrors, ALogicErrorPassesEveryEntryPoint)
{
  for (const EntryCase& c : kCases) {
    SCOPED_TRACE(c.name);
    Editor e;
    e.Open();
    if (c.before) c.before(e);
    e.control->failOn = c.handler;
    e.control->failure = Failure::LogicError;
    EXPECT_THROW(c.call(e), std::logic_error);
    e.control->failOn.clear();
  }
}

// An animation whose step runs out of memory (an end action may be a whole gesture) ends the
// gesture in the frame loop: nothing is drawn, the controls stay dirty, and the next frame runs.
TEST(EntryPointErrors, AnAnimationOutOfMemoryEndsTheFrameWithoutDrawing)
{
  Editor e;
  e.Open();
  FrameDriver frames(e.Canvas());
  e.Canvas().OnMouseDown(Press(50.f, 50.f));
  ASSERT_EQ(e.Count("Begin"), 1);
  int steps = 0;
  e.control->SetAnimationFunction([&steps](IControl*) {
    if (++steps == 1) throw std::bad_alloc();
  });
  e.control->SetDirty(false);
  e.Canvas().ClearCalls();
  EXPECT_FALSE(frames.Tick());
  EXPECT_EQ(e.Canvas().Count("BeginFrame"), 0);
  EXPECT_TRUE(e.Canvas().CaptureIsEmpty());
  EXPECT_EQ(e.Count("End"), 1);
  EXPECT_TRUE(frames.Tick()); // the dirty control draws on the next frame
  EXPECT_EQ(steps, 2);
}

// An editor whose layout runs out of memory does not open, and leaves no context behind; the
// next opening works.
TEST(EntryPointErrors, AnOpeningOutOfMemoryOpensNoEditor)
{
  Editor e;
  e.failLayout = true;
  EXPECT_EQ(e.dlg.OpenWindow(&e), nullptr);
  EXPECT_EQ(e.dlg.GetUI(), nullptr);
  e.failLayout = false;
  EXPECT_NE(e.dlg.OpenWindow(&e), nullptr);
  EXPECT_NE(e.control, nullptr);
}

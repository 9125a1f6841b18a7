#include "graphics/IPopupMenu.h"
#include "graphics/QwertyMidiKeyboard.h"
#include "graphics/controls/IPopupMenuControl.h"
#include "graphics/controls/ITextEntryControl.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

// Opens its value prompt when pressed, as a caption or menu button does.
class PromptingControl : public RecordingControl
{
public:
  PromptingControl(const IRECT& r, int param) : RecordingControl(r, param) { SetPromptBlocked(false); }
  void OnMouseDown(float, float, const IMouseMod&) override { PromptUserInput(0); }
};

// Keeps the texts of every menu shown, a checked item marked with "*".
class MenuCanvas : public RecordingCanvas
{
public:
  using RecordingCanvas::RecordingCanvas;
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override
  {
    shown.clear();
    for (int i = 0; i < menu.NItems(); ++i)
      shown.push_back(std::string(menu.GetItem(i)->GetText()) + (menu.GetItem(i)->GetChecked() ? "*" : ""));
    return RecordingCanvas::CreatePlatformPopupMenu(menu, bounds, isAsync);
  }
  std::vector<std::string> shown;
};

class PromptsTest : public ::testing::Test
{
protected:
  PromptingControl* Add(int param)
  {
    return static_cast<PromptingControl*>(ui.AttachControl(new PromptingControl(IRECT(10, 10, 30, 30), param)));
  }
  // Edits and gestures as "Op param value", in order.
  std::vector<std::string> Edits() const
  {
    std::vector<std::string> out;
    for (const DelegateCall& c : dlg.calls) {
      if (c.op == "Begin" || c.op == "End") out.push_back(c.op + " " + std::to_string(c.index));
      if (c.op == "Send") out.push_back("Send " + std::to_string(c.index) + " " + std::to_string(c.value));
    }
    return out;
  }

  TD dlg;
  MenuCanvas ui{dlg};
};

} // namespace

TEST_F(PromptsTest, EnumeratedParameterGetsAMenuOfItsTextsWithTheCurrentOneChecked)
{
  PromptingControl* c = Add(TD::kMode);
  ui.menuScript.chosenIdx = 2;
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseUp(Press(20, 20));
  const CanvasCall menu = ui.CallsNamed("CreatePlatformPopupMenu").at(0);
  EXPECT_EQ(menu.text, "Mode");
  EXPECT_EQ(menu.args, (std::vector<double>{10, 10, 30, 30, 3})); // over the whole control
  EXPECT_EQ(ui.shown, (std::vector<std::string>{"Off", "Soft*", "Hard"}));
  EXPECT_EQ(c->GetValue(0), 1.0);
  EXPECT_EQ(Edits(), (std::vector<std::string>{"Begin 2", "Send 2 1.000000", "End 2"}));
  EXPECT_EQ(ui.GetControlInPopupMenu(), nullptr);
}

TEST_F(PromptsTest, DismissedOrLateMenusStillEndTheGesture)
{
  PromptingControl* c = Add(TD::kMode);
  ui.OnMouseDown(Press(20, 20)); // dismissed: nothing chosen, the gesture ends
  EXPECT_EQ(c->hooks.back(), "OnPopupMenuSelection");
  EXPECT_EQ(Edits(), (std::vector<std::string>{"Begin 2", "End 2"}));

  dlg.calls.clear();
  ui.menuScript.async = true;
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseUp(Press(20, 20));
  EXPECT_EQ(ui.GetControlInPopupMenu(), c); // open until the platform reports
  IPopupMenu result;
  result.SetChosenItemIdx(1);
  ui.SetControlValueAfterPopupMenu(&result);
  ui.SetControlValueAfterPopupMenu(&result); // a second report finds no menu open
  EXPECT_EQ(Edits(), (std::vector<std::string>{"Begin 2", "Send 2 0.500000", "End 2"}));
}

TEST_F(PromptsTest, InEditorMenuControlShowsTheMenuAndContextMenusReportTheirTag)
{
  ui.AttachPopupMenuControl();
  PromptingControl* c = Add(TD::kBypass);
  c->PromptUserInput(0);
  ASSERT_NE(ui.GetPopupMenuControl()->GetMenu(), nullptr);
  EXPECT_EQ(ui.GetPopupMenuControl()->GetMenu()->NItems(), 2);
  EXPECT_EQ(ui.Count("CreatePlatformPopupMenu"), 0);
  ui.RemovePopupMenuControl();

  IPopupMenu context("", {"a", "b"});
  ui.menuScript.chosenIdx = 1;
  ui.CreatePopupMenu(*c, context, IRECT(), -1, true);
  ui.menuScript.chosenIdx = -1;
  ui.CreatePopupMenu(*c, context, IRECT(), -1, true);
  EXPECT_EQ(c->hooks, (HookLog{"OnInit", "OnResize", "OnRescale", "OnAttached", "OnContextSelection",
                               "OnContextSelection"}));
  EXPECT_EQ(c->lastInt, -1);
}

TEST_F(PromptsTest, NumericParameterGetsATextFieldWithValueAndUnit)
{
  PromptingControl* c = Add(TD::kGain);
  c->SetPromptWithUnit(true);
  c->PromptUserInput(0);
  const CanvasCall entry = ui.CallsNamed("CreatePlatformTextEntry").at(0);
  EXPECT_EQ(entry.text, "0.0 dB");
  EXPECT_EQ(entry.args, (std::vector<double>{TD::kGain, 0, 12, 40, 28, 7, 14})); // 40 x 16, centred
  EXPECT_EQ(ui.GetControlInTextEntry(), c);

  ui.AttachTextEntryControl();
  c->PromptUserInput(0);
  EXPECT_EQ(ui.GetTextEntryControl()->GetBounds(), IRECT(0, 12, 40, 28));
  EXPECT_EQ(ui.Count("CreatePlatformTextEntry"), 1);
}

TEST_F(PromptsTest, TypedTextIsParsedSnappedClampedAndNormalised)
{
  struct Case
  {
    int param;
    const char* typed;
    double sent;
  } cases[] = {
      {TD::kGain, "3.14159", (3.14159 + 12.0) / 24.0}, {TD::kGain, "1e9", 1.0},  {TD::kGain, "-40", 0.0},
      {TD::kGain, "abc", 0.5},                     {TD::kGain, "nan", 0.0},  {TD::kSteps, "7.6", 0.8},
      {TD::kMode, "Hard", 1.0},
  };
  for (const Case& k : cases) {
    PromptingControl* c = Add(k.param);
    c->SetValue(0.25, 0); // differs from every result
    dlg.calls.clear();
    ui.CreateTextEntry(*c, DEFAULT_TEXT, IRECT(), "", 0);
    ui.SetControlValueAfterTextEdit(k.typed);
    ASSERT_EQ(dlg.CallsNamed("Send").size(), 1u) << k.typed;
    EXPECT_NEAR(dlg.CallsNamed("Send")[0].value, k.sent, 1e-12) << k.typed;
    EXPECT_EQ(ui.GetControlInTextEntry(), nullptr);
  }
}

TEST_F(PromptsTest, TextForAControlWithoutParameterGoesToTheControl)
{
  auto* c = static_cast<RecordingControl*>(ui.AttachControl(new RecordingControl(IRECT(0, 0, 5, 5))));
  ui.SetControlValueAfterTextEdit("ignored"); // no entry open
  ui.CreateTextEntry(*c, DEFAULT_TEXT, IRECT(), "x", -1);
  ui.SetControlValueAfterTextEdit("hello");
  EXPECT_EQ(c->hooks.back(), "OnTextEntryCompletion");
  EXPECT_EQ(c->lastText, "hello");
  EXPECT_EQ(c->lastInt, -1);
}

TEST_F(PromptsTest, BlockedOrUnboundControlsOpenNoPrompt)
{
  PromptingControl* c = Add(TD::kGain);
  c->SetPromptBlocked(true);
  c->PromptUserInput(0);
  auto* unbound = static_cast<RecordingControl*>(ui.AttachControl(new RecordingControl(IRECT(0, 0, 5, 5))));
  unbound->SetPromptBlocked(false);
  unbound->PromptUserInput(0);
  auto* unknown = Add(40); // a parameter the delegate does not have
  unknown->PromptUserInput(0);
  EXPECT_EQ(ui.Count("CreatePlatformTextEntry") + ui.Count("CreatePlatformPopupMenu"), 0);
}

// --- Computer keyboard as MIDI keyboard ---

namespace {

class QwertyTest : public ::testing::Test
{
protected:
  QwertyTest()
  {
    // The keyboard is shared by the process: bring it to the start octave with no note held.
    for (int i = 0; i < 4; ++i)
      Key('Z', false);
    Key('X', false);
    Key('X', false);
    dlg.calls.clear();
    sent.clear();
    ui.SetQwertyMidiKeyHandlerFunc([this](const plugin::IMidiMsg& m) {
      sent.push_back(std::to_string(m.mStatus) + " " + std::to_string(m.mData1) + " " + std::to_string(m.mData2));
    });
  }
  bool Key(int vKey, bool up) { return up ? ui.OnKeyUp(0, 0, test::Key(vKey)) : ui.OnKeyDown(0, 0, test::Key(vKey)); }
  int Base() const { return QwertyMidiKeyboard::Shared().GetBaseNote(); }

  TD dlg;
  RecordingCanvas ui{dlg};
  std::vector<std::string> sent;
};

} // namespace

TEST_F(QwertyTest, NotesSoundOnceAndOctaveChangesTurnHeldNotesOff)
{
  EXPECT_EQ(Base(), 48);
  EXPECT_TRUE(Key('A', false));
  EXPECT_TRUE(Key('A', false)); // key repeat
  EXPECT_TRUE(Key('X', false));
  EXPECT_TRUE(Key('X', true)); // octave keys act on key down only
  EXPECT_TRUE(Key('A', true)); // its note is already off
  EXPECT_TRUE(Key('A', false));
  EXPECT_TRUE(Key('L', false));
  EXPECT_TRUE(Key('L', true));
  EXPECT_TRUE(Key('Q', false)); // no note, but still taken
  EXPECT_TRUE(Key(0x20, false));
  EXPECT_EQ(sent, (std::vector<std::string>{"144 48 127", "128 48 0", "144 60 127", "144 74 127", "128 74 0"}));
  EXPECT_EQ(dlg.CallsNamed("Midi").size(), sent.size()); // each also deferred to the processor
}

TEST_F(QwertyTest, OctavesStayWithinTheBaseRangeAndMapTheTable)
{
  for (int i = 0; i < 4; ++i)
    Key('Z', false);
  EXPECT_EQ(Base(), 24);
  for (int i = 0; i < 6; ++i)
    Key('X', false);
  EXPECT_EQ(Base(), 96);
  for (int i = 0; i < 6; ++i)
    Key('Z', false);
  Key('X', false);
  Key('X', false);
  ASSERT_EQ(Base(), 48);
  const char keys[] = "AWSEDFTGYHUJKOL";
  for (int i = 0; keys[i]; ++i) {
    sent.clear();
    Key(keys[i], false);
    Key(keys[i], true);
    EXPECT_EQ(sent.at(0), "144 " + std::to_string(48 + i) + " 127") << keys[i];
  }
}

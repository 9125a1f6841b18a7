#include "graphics/IPopupMenu.h"
#include "graphics/QwertyMidiKeyboard.h"
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
using Strings = std::vector<std::string>;

namespace {

// Opens its value prompt when pressed, as a caption does.
struct PromptingControl : RecordingControl
{
  PromptingControl(int param) : RecordingControl(IRECT(10, 10, 30, 30), param) { SetPromptBlocked(false); }
  void OnMouseDown(float, float, const IMouseMod&) override { PromptUserInput(0); }
};

// Keeps the items of the menu shown last, a checked one marked "*".
struct MenuCanvas : RecordingCanvas
{
  using RecordingCanvas::RecordingCanvas;
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override
  {
    shown.clear();
    for (int i = 0; i < menu.NItems(); ++i)
      shown.push_back(std::string(menu.GetItem(i)->GetText()) + (menu.GetItem(i)->GetChecked() ? "*" : ""));
    return RecordingCanvas::CreatePlatformPopupMenu(menu, bounds, isAsync);
  }
  Strings shown;
};

class PromptsTest : public ::testing::Test
{
protected:
  PromptingControl* Add(int param)
  {
    return static_cast<PromptingControl*>(ui.AttachControl(new PromptingControl(param)));
  }
  // Gestures and sent values, in order.
  Strings Edits()
  {
    Strings out;
    for (const DelegateCall& c : dlg.calls)
      if (c.op == "Begin" || c.op == "End" || c.op == "Send")
        out.push_back(c.op + " " + std::to_string(c.index) +
                      (c.op == "Send" ? " " + std::to_string(c.value) : ""));
    dlg.calls.clear();
    return out;
  }
  TD dlg;
  MenuCanvas ui{dlg};
};

} // namespace

TEST_F(PromptsTest, EnumeratedParametersChooseFromAMenuThatEndsTheGestureHoweverItCloses)
{
  Add(TD::kMode);
  ui.menuScript.chosenIdx = 2;
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseUp(Press(20, 20));
  EXPECT_EQ(ui.shown, (Strings{"Off", "Soft*", "Hard"}));
  const CanvasCall menu = ui.CallsNamed("CreatePlatformPopupMenu").at(0);
  EXPECT_EQ(menu.text, "Mode");
  EXPECT_EQ(menu.args, (std::vector<double>{10, 10, 30, 30, 3})); // over the whole control
  EXPECT_EQ(Edits(), (Strings{"Begin 2", "Send 2 1.000000", "End 2"}));

  ui.menuScript.chosenIdx = -1; // dismissed: nothing sent, the gesture still ends
  ui.OnMouseDown(Press(20, 20));
  EXPECT_EQ(Edits(), (Strings{"Begin 2", "End 2"}));

  ui.menuScript.async = true; // the platform reports later
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseUp(Press(20, 20));
  IPopupMenu result;
  result.SetChosenItemIdx(1);
  ui.SetControlValueAfterPopupMenu(&result);
  ui.SetControlValueAfterPopupMenu(&result); // nothing is open any more
  EXPECT_EQ(Edits(), (Strings{"Begin 2", "Send 2 0.500000", "End 2"}));
}

TEST_F(PromptsTest, OtherParametersGetATextFieldWhoseTextIsParsedSnappedClampedNormalised)
{
  PromptingControl* gain = Add(TD::kGain);
  gain->SetPromptWithUnit(true);
  gain->PromptUserInput(0);
  const CanvasCall entry = ui.CallsNamed("CreatePlatformTextEntry").at(0);
  EXPECT_EQ(entry.text, "0.0 dB");
  EXPECT_EQ(entry.args, (std::vector<double>{TD::kGain, 0, 12, 40, 28, 7, 14})); // 40 x 16, centred
  struct Case
  {
    int param;
    const char* typed;
    double sent;
  } cases[] = {{TD::kGain, "3.25", 15.25 / 24.0}, {TD::kGain, "1e9", 1.0},  {TD::kGain, "abc", 0.5},
               {TD::kGain, "nan", 0.0},           {TD::kSteps, "7.6", 0.8}, {TD::kMode, "Hard", 1.0}};
  for (const Case& c : cases) {
    PromptingControl* control = Add(c.param);
    control->SetValue(0.25, 0);
    dlg.calls.clear();
    ui.CreateTextEntry(*control, DEFAULT_TEXT, IRECT(), "", 0);
    ui.SetControlValueAfterTextEdit(c.typed);
    ASSERT_EQ(dlg.CallsNamed("Send").size(), 1u) << c.typed;
    EXPECT_NEAR(dlg.CallsNamed("Send")[0].value, c.sent, 1e-12) << c.typed;
  }
  auto* plain = static_cast<RecordingControl*>(ui.AttachControl(new RecordingControl(IRECT())));
  ui.CreateTextEntry(*plain, DEFAULT_TEXT, IRECT(), "x", -1);
  ui.SetControlValueAfterTextEdit("hello"); // no parameter: the control takes the text
  ui.SetControlValueAfterTextEdit("again"); // no entry open any more
  EXPECT_EQ(plain->lastText, "hello");
  EXPECT_EQ(ui.GetControlInTextEntry(), nullptr);
}

TEST(QwertyKeyboard, PlaysEachHeldNoteOnceAndOctavesTurnHeldNotesOff)
{
  TD dlg;
  RecordingCanvas ui(dlg);
  Strings sent;
  ui.SetQwertyMidiKeyHandlerFunc([&](const plugin::IMidiMsg& m) {
    sent.push_back(std::to_string(m.mStatus) + " " + std::to_string(m.mData1) + " " +
                   std::to_string(m.mData2));
  });
  auto key = [&](char vKey, bool up = false) {
    return up ? ui.OnKeyUp(0, 0, Key(vKey)) : ui.OnKeyDown(0, 0, Key(vKey));
  };
  for (char k : {'Z', 'Z', 'Z', 'Z'}) // the keyboard is shared by the process: start from its bottom
    key(k);
  EXPECT_EQ(QwertyMidiKeyboard::Shared().GetBaseNote(), 24);
  for (char k : {'X', 'X', 'X', 'X', 'X', 'X'})
    key(k);
  EXPECT_EQ(QwertyMidiKeyboard::Shared().GetBaseNote(), 96);
  for (char k : {'Z', 'Z', 'Z', 'Z'})
    key(k);
  sent.clear();
  EXPECT_TRUE(key('A'));
  EXPECT_TRUE(key('A')); // repeat
  EXPECT_TRUE(key('X'));
  EXPECT_TRUE(key('X', true)); // octave keys act on key down only
  EXPECT_TRUE(key('A', true)); // its note is already off
  EXPECT_TRUE(key('A'));
  EXPECT_TRUE(key('L'));
  EXPECT_TRUE(key('L', true));
  EXPECT_TRUE(key('Q') && key(' ')); // taken, though they play nothing
  EXPECT_EQ(sent, (Strings{"144 48 127", "128 48 0", "144 60 127", "144 74 127", "128 74 0"}));
  EXPECT_EQ(dlg.CallsNamed("Midi").size(), sent.size()); // each also deferred to the processor
  key('Z');                                              // back to the start octave, every note off
  sent.clear();
  for (char k : std::string("AWSEDFTGYHUJKOL"))
    key(k), key(k, true);
  for (int i = 0; i < 15; ++i)
    EXPECT_EQ(sent.at(2 * i), "144 " + std::to_string(48 + i) + " 127");
}

#include "graphics/canvas/QwertyMidiKeyboard.h"
#include "graphics/menu/IPopupMenu.h"
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
  explicit PromptingControl(int param) : RecordingControl(IRECT(10, 10, 30, 30), param)
  {
    SetPromptBlocked(false);
  }
  void OnMouseDown(float, float, const IMouseMod&) override { PromptUserInput(0); }
};
// Gestures and sent values of the calls so far, which are then forgotten.
Strings Edits(TD& dlg)
{
  Strings out;
  for (const DelegateCall& c : dlg.calls)
    if (c.op == "Begin" || c.op == "End" || c.op == "Send")
      out.push_back(c.op + " " + std::to_string(c.index) +
                    (c.op == "Send" ? " " + std::to_string(c.value) : ""));
  return dlg.calls.clear(), out;
}

} // namespace

TEST(Prompts, EnumeratedParametersChooseFromAMenuThatEndsTheGestureHoweverItCloses)
{
  TD dlg;
  RecordingCanvas ui(dlg);
  ui.AttachControl(new PromptingControl(TD::kMode));
  ui.menuScript.chosenIdx = 2;
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseUp(Press(20, 20));
  EXPECT_EQ(ui.lastMenuItems, (Strings{"Off", "Soft*", "Hard"}));
  EXPECT_EQ(ui.CallsNamed("CreatePlatformPopupMenu").at(0),
            (CanvasCall{"CreatePlatformPopupMenu", {10, 10, 30, 30, 3}, "Mode"})); // over the control
  EXPECT_EQ(Edits(dlg), (Strings{"Begin 2", "Send 2 1.000000", "End 2"}));
  ui.menuScript.chosenIdx = -1; // dismissed: nothing sent, the gesture still ends
  ui.OnMouseDown(Press(20, 20));
  EXPECT_EQ(Edits(dlg), (Strings{"Begin 2", "End 2"}));
  ui.menuScript.async = true; // the platform reports later
  ui.OnMouseDown(Press(20, 20));
  ui.OnMouseUp(Press(20, 20));
  IPopupMenu result;
  result.SetChosenItemIdx(1);
  ui.SetControlValueAfterPopupMenu(&result);
  ui.SetControlValueAfterPopupMenu(&result); // nothing is open any more
  EXPECT_EQ(Edits(dlg), (Strings{"Begin 2", "Send 2 0.500000", "End 2"}));
}

TEST(Prompts, OtherParametersGetATextFieldWhoseTextIsParsedSnappedClampedNormalised)
{
  TD dlg;
  RecordingCanvas ui(dlg);
  auto* gain = static_cast<PromptingControl*>(ui.AttachControl(new PromptingControl(TD::kGain)));
  gain->SetPromptWithUnit(true);
  gain->PromptUserInput(0); // 40 x 16, centred
  EXPECT_EQ(ui.calls.back(),
            (CanvasCall{"CreatePlatformTextEntry", {TD::kGain, 0, 12, 40, 28, 7, 14}, "0.0 dB"}));
  const struct
  {
    int param;
    const char* typed;
    double sent;
  } cases[] = {{TD::kGain, "3.25", 15.25 / 24.0}, {TD::kGain, "1e9", 1.0},  {TD::kGain, "abc", 0.5},
               {TD::kGain, "nan", 0.5},           {TD::kSteps, "7.6", 0.8}, {TD::kMode, "Hard", 1.0}};
  for (const auto& c : cases) {
    IControl* control = ui.AttachControl(new PromptingControl(c.param));
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
}

TEST(Prompts, ComputerKeyboardPlaysHeldNotesOnceAndOctavesTurnThemOff)
{
  TD dlg;
  RecordingCanvas ui(dlg);
  Strings sent;
  ui.SetQwertyMidiKeyHandlerFunc([&](const plugin::IMidiMsg& m) {
    sent.push_back(std::to_string(m.mStatus) + " " + std::to_string(m.mData1) + " " +
                   std::to_string(m.mData2));
  });
  auto keys = [&](const std::string& down, bool up = false) {
    for (char k : down)
      EXPECT_TRUE(up ? ui.OnKeyUp(0, 0, Key(k)) : ui.OnKeyDown(0, 0, Key(k))); // every key is taken
    return QwertyMidiKeyboard::Shared().GetBaseNote();
  };
  EXPECT_EQ(keys("ZZZZ"), 24); // the keyboard is shared by the process: from its bottom octave
  EXPECT_EQ(keys("XXXXXX"), 96);
  EXPECT_EQ(keys("ZZZZ"), 48);
  sent.clear();
  keys("AAX");      // a repeat sends nothing; the octave turns the held note off
  keys("XA", true); // octave keys act on key down; A's note is already off
  keys("AL");
  keys("L Q", true);
  EXPECT_EQ(sent, (Strings{"144 48 127", "128 48 0", "144 60 127", "144 74 127", "128 74 0"}));
  EXPECT_EQ(dlg.CallsNamed("Midi").size(), sent.size()); // each also deferred to the processor
  keys("Z");
  sent.clear();
  for (char k : std::string("AWSEDFTGYHUJKOL"))
    keys(std::string(1, k)), keys(std::string(1, k), true);
  for (int i = 0; i < 15; ++i)
    EXPECT_EQ(sent.at(2 * i), "144 " + std::to_string(48 + i) + " 127");
}

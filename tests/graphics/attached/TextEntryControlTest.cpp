// The in-editor text field on the recording canvas: text of size 10 is 5 units per character, so
// in the field (50, 20, 150, 40) the characters of a near-aligned text start at 50, 55, 60 ...
#include "graphics/attached/ITextEntryControl.h"
#include "graphics/attached/KeyCharacter.h"
#include "support/ui/CallTrace.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/ShapeCanvas.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using TD = TestEditorDelegate;

namespace {

const IRECT kField(50, 20, 150, 40);

struct FieldFixture
{
  FieldFixture() : ui(dlg), driver(ui)
  {
    ui.AttachTextEntryControl();
    field = ui.GetTextEntryControl();
  }
  RecordingControl* Caller(int param = -1)
  {
    auto* c = new RecordingControl(IRECT(0, 0, 10, 10), param);
    ui.AttachControl(c);
    return c;
  }
  void Start(IControl& c, const char* str, EAlign align = EAlign::Near)
  {
    ui.CreateTextEntry(c, IText(10.f, COLOR_BLACK, nullptr, align, EVAlign::Top), kField, str, 0);
  }
  bool Press(int vKey, const char* text = "", bool shift = false, bool cmd = false, bool alt = false)
  {
    return ui.OnKeyDown(0, 0, Key(vKey, text, shift, cmd, alt));
  }
  std::string State() const
  {
    return field->GetUtf8() + "|" + std::to_string(field->GetSelectionStart()) + "," +
           std::to_string(field->GetSelectionEnd()) + "," + std::to_string(field->GetCursor());
  }

  TD dlg;
  ShapeCanvas ui;
  FrameDriver driver;
  ITextEntryControl* field = nullptr;
};

} // namespace

// Every entry starts with the whole text selected; a click puts the cursor at the nearer edge of the
// character under it; a drag selects; a double click selects everything again.
TEST(TextEntryControl, ClicksDragsAndSelectAll)
{
  struct Case
  {
    EAlign align;
    float x;
    int cursor;
  };
  // Centred: the 20-unit text starts at (50 + 150 - 20) / 2 = 90.
  const Case cases[] = {{EAlign::Near, 62, 2},   {EAlign::Near, 63, 3},   {EAlign::Near, 51, 0},
                        {EAlign::Near, 149, 4},  {EAlign::Center, 96, 1}, {EAlign::Center, 89, 0},
                        {EAlign::Center, 111, 4}};
  FieldFixture f;
  RecordingControl* c = f.Caller();
  for (const Case& k : cases) {
    f.Start(*c, "abcd", k.align);
    EXPECT_EQ(f.State(), "abcd|0,4,0");
    f.ui.OnMouseDown(Press(k.x, 30));
    EXPECT_EQ(f.field->GetCursor(), k.cursor) << k.x;
    EXPECT_EQ(f.field->GetSelectionStart(), f.field->GetSelectionEnd());
    f.ui.OnMouseUp(Press(k.x, 30));
  }
  f.Start(*c, "abcd");
  f.ui.OnMouseDown(Press(62, 30));
  f.ui.OnMouseDrag(Drag(72, 30, 10, 0));
  f.ui.OnMouseUp(Press(72, 30));
  EXPECT_EQ(f.State(), "abcd|2,4,4");
  f.ui.OnMouseDblClick(60, 30, LeftButton());
  EXPECT_EQ(f.State(), "abcd|0,4,4");
  f.Press('X', "x");
  EXPECT_EQ(f.State(), "x|0,0,1"); // typing replaces the selection
}

// Integer, enumerated and boolean fields take digits (top row without Shift, keypad), "+" and "-";
// decimal fields also "."; unbound fields take anything. A refused key is not consumed.
TEST(TextEntryControl, CharacterFiltersFollowTheParameterType)
{
  struct Case
  {
    int param, vKey;
    const char* text;
    bool shift;
    const char* result;
  };
  const Case cases[] = {{TD::kSteps, 'A', "a", false, ""},   {TD::kSteps, '5', "5", false, "5"},
                        {TD::kSteps, '5', "%", true, ""},    {TD::kSteps, 101, "5", false, "5"},
                        {TD::kSteps, 0, "+", false, "+"},    {TD::kSteps, 0, "-", false, "-"},
                        {TD::kSteps, 0, ".", false, ""},     {TD::kMode, 0, ".", false, ""},
                        {TD::kBypass, '1', "1", false, "1"}, {TD::kGain, 0, ".", false, "."},
                        {TD::kGain, 'E', "e", false, ""},    {TD::kGain, 96, "0", false, "0"},
                        {-1, 'A', "a", false, "a"},          {-1, 0, "\xc3\xa5", false, "\xc3\xa5"}};
  FieldFixture f;
  for (const Case& k : cases) {
    RecordingControl* c = f.Caller(k.param);
    f.Start(*c, "");
    EXPECT_EQ(f.Press(k.vKey, k.text, k.shift), *k.result != '\0') << k.param << " " << k.text;
    EXPECT_EQ(f.field->GetUtf8(), k.result) << k.param << " " << k.text;
    f.Press(27);
  }
}

// Right arrow, Shift + Left twice, typing, then Command + Z and Command + Shift + Z step back and
// forth one engine record at a time; Command + Q types nothing and is passed on; Option keeps text.
TEST(TextEntryControl, EditingKeysUndoAndRedo)
{
  struct Step
  {
    int vKey;
    const char* text;
    bool shift, cmd, alt;
    bool consumed;
    const char* state;
  };
  const Step steps[] = {{39, "", false, false, false, true, "abc|3,3,3"},
                        {37, "", true, false, false, true, "abc|3,2,2"},
                        {37, "", true, false, false, true, "abc|3,1,1"},
                        {'X', "x", false, false, false, true, "ax|1,1,2"},
                        {'Z', "z", false, true, false, true, "a|1,1,1"},
                        {'Z', "z", false, true, false, true, "abc|1,1,3"},
                        {'Z', "z", true, true, false, true, "a|1,1,1"},
                        {'Z', "z", true, true, false, true, "ax|1,1,2"},
                        {'Q', "q", false, true, false, false, "ax|1,1,2"},
                        {'A', "\xc3\xa5", false, false, true, true, "ax\xc3\xa5|1,1,3"},
                        {8, "", false, false, false, true, "ax|1,1,2"},
                        {36, "", false, false, false, true, "ax|1,1,0"},
                        {8, "", false, false, false, false, "ax|1,1,0"},
                        {46, "", false, false, false, true, "x|1,1,0"},
                        {9, "", false, false, false, false, "x|1,1,0"}};
  FieldFixture f;
  f.Start(*f.Caller(), "abc");
  for (const Step& s : steps) {
    EXPECT_EQ(f.Press(s.vKey, s.text, s.shift, s.cmd, s.alt), s.consumed) << s.state;
    EXPECT_EQ(f.State(), s.state);
  }
}

// Return delivers once and Escape nothing; both are consumed and the field leaves the screen. A
// click outside delivers as Return does; the keypad's Enter is passed on and types nothing. A new
// entry starts with an empty undo history, and keys that would type for a requesting control that
// went away are passed on.
TEST(TextEntryControl, EndingAnEntry)
{
  FieldFixture f;
  RecordingControl* gain = f.Caller(TD::kGain);
  f.Start(*gain, "1");
  f.Press('3', "3");
  f.Press(0, ".");
  f.Press('5', "5");
  EXPECT_TRUE(f.Press(13));
  EXPECT_NEAR(gain->GetValue(0), (3.5 + 12.0) / 24.0, 1e-9);
  EXPECT_FALSE(f.field->IsEditing());
  EXPECT_EQ(f.field->GetBounds(), IRECT());
  EXPECT_FALSE(f.Press('7', "7")); // nobody edits any more

  RecordingControl* name = f.Caller();
  for (const std::string how : {"return", "click", "escape"}) {
    name->hooks.clear();
    f.Start(*name, "abc");
    f.Press('X', "x");
    EXPECT_FALSE(f.Press(0x800D, "\r"));
    if (how == "click")
      f.ui.OnMouseDown(Press(10, 10));
    else
      EXPECT_TRUE(f.Press(how == "return" ? 13 : 27));
    const bool delivered = how != "escape";
    EXPECT_EQ(name->hooks,
              delivered ? std::vector<std::string>{"OnTextEntryCompletion"} : std::vector<std::string>{})
        << how;
    EXPECT_EQ(name->lastText, "x") << how;
    EXPECT_EQ(f.ui.GetControlInTextEntry(), nullptr) << how;
  }

  f.Start(*name, "123");
  EXPECT_TRUE(f.Press('Z', "z", false, true)); // consumed, but the last entry's typing stays there
  EXPECT_EQ(f.field->GetUtf8(), "123");
  f.ui.ClearInTextEntryControl();
  EXPECT_FALSE(f.Press('A', "a"));
  EXPECT_TRUE(f.Press(39));
}

// Copy and cut put the selection on the clipboard; paste replaces it. An empty clipboard changes
// nothing, bytes that are not UTF-8 become U+FFFD, 100 kB arrive whole, a character beyond the basic
// plane goes in as a pair and half a pair left alone becomes U+FFFD.
TEST(TextEntryControl, ClipboardAndHostileText)
{
  FieldFixture f;
  f.Start(*f.Caller(), "hello");
  f.Press('C', "c", false, true);
  EXPECT_EQ(f.ui.clipboard, "hello");
  f.Press(39);
  f.Press('V', "v", false, true);
  EXPECT_EQ(f.State(), "hellohello|5,5,10");
  f.Press('A', "a", false, true);
  f.Press('X', "x", false, true);
  EXPECT_EQ(f.State(), "|0,0,0");
  EXPECT_EQ(f.ui.clipboard, "hellohello");

  f.ui.clipboardHasText = false;
  EXPECT_TRUE(f.Press('V', "v", false, true));
  EXPECT_EQ(f.field->GetUtf8(), "");
  f.ui.SetTextInClipboard("a\xff"
                          "b\xe2\x82");
  f.Press('V', "v", false, true);
  EXPECT_EQ(f.field->GetUtf8(), "a\xef\xbf\xbd"
                                "b\xef\xbf\xbd"); // one per ill-formed subpart
  f.ui.SetTextInClipboard(std::string(100000, 'z').c_str());
  f.Press('V', "v", false, true);
  EXPECT_EQ(f.field->GetLength(), 100004);
  EXPECT_EQ(f.field->GetCursor(), 100004);

  f.Start(*f.Caller(), "");
  f.Press(0, "\xf0\x9f\x98\x80");
  EXPECT_EQ(f.field->GetEditString(), std::u16string(u"\xD83D\xDE00"));
  f.Press(8);
  EXPECT_EQ(f.field->GetUtf8(), "\xef\xbf\xbd");
  EXPECT_EQ(DecodeKeyCharacter("\xfc\x80"), '_');
  EXPECT_EQ(DecodeKeyCharacter("\xc3"), 0xC3);
}

// The selection is a band at 0.2 over the selected characters and hides the cursor; the cursor is a
// bar one unit left of its position, 0.1 x size inside the row, shown 500 ms out of every 1000.
TEST(TextEntryControl, SelectionCursorBarAndBlink)
{
  FieldFixture f;
  f.Start(*f.Caller(), "abcd");
  auto fills = [&] {
    f.ui.ClearCalls();
    f.field->Draw(f.ui);
    return Trace(f.ui.CallsNamed("fillR"));
  };
  // Background white; selection 50..70 over rows 21..29 in the entry colour (black).
  EXPECT_EQ(fills(), "fillR255,255,255,255,50,20,150,40,-1 fillR255,0,0,0,50,21,70,29,0.2");
  f.ui.OnMouseDown(Press(61, 30));
  f.ui.OnMouseUp(Press(61, 30));
  EXPECT_EQ(fills(), "fillR255,255,255,255,50,20,150,40,-1 fillR255,0,0,0,59,21,60,29,-1");

  std::string shown;
  for (double ms : {400, 200, 450, 600}) {
    f.driver.AdvanceMs(ms - 1000.0 / 60);
    f.driver.Tick();
    shown += f.field->IsCursorShown() ? "1" : "0";
  }
  EXPECT_EQ(shown, "1010"); // at 400, 600, 1050 (a new period from there) and 1650 ms
}

#include "editor/PresetControllerMenu.h"

#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/SavePresetField.h"
#include "editor/UserPresetNames.h"
#include "graphics/controls/IVButtonControl.h"
#include "support/engine/KelmoTestSupport.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/UiEvents.h"

using namespace kelmotest;
using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// The preset bar in a recording editor with its own text field, over the plug-in on slot 0;
// the user files live in a temporary folder where slot 3 holds "Three".
class PresetBar : public KelmoTest
{
protected:
  void SetUp() override
  {
    KelmoTest::SetUp();
    res.Write("Save@2x.png");
    res.Write("Trash@2x.png");
    for (int slot = 0; slot < 40; ++slot)
      std::filesystem::remove_all(UserPresetPath(slot));
    WriteSlot(3, R"({"Params":{},"PresetName":"Three"})");
    frames.reset();
    g.reset();
    k = std::make_unique<TestKelmo>();
    g = std::make_unique<RecordingCanvas>(*k, 899, 500);
    g->bitmapWidth = g->bitmapHeight = 16;
    g->AttachTextEntryControl();
    frames = std::make_unique<FrameDriver>(*g);
    bar = new PresetControllerMenu(IRECT(250.f, 1.f, 650.f, 24.f), PresetBarStyle());
    g->AttachControl(bar);
  }

  // One gesture, then its animation and a pass of the main run loop: "<", ">", "save", "trash"
  // click the buttons, "pick N" and "dismiss" answer the slot list, "type NAME" names the preset
  // in the open field, "esc" is Escape over it, "block N" makes slot N's file unwritable and
  // "gain V" sets the vari gain.
  void Do(const std::string& s)
  {
    const std::string arg = s.substr(s.find(' ') + 1);
    const float x = s == "<" ? 262.f : s == ">" ? 287.f : s == "save" ? 613.f : s == "trash" ? 635.f : 450.f;
    g->menuScript.chosenIdx = s.starts_with("pick") ? std::stoi(arg) : -1;
    if (s.starts_with("gain "))
      k->GetParam(kVariGain)->Set(std::stod(arg));
    else if (s.starts_with("block "))
      std::filesystem::create_directory(UserPresetPath(std::stoi(arg)));
    else if (s == "esc")
      g->OnKeyDown(450.f, 12.f, Key(27));
    else
      g->OnMouseDown(Press(x, 12.f)), g->OnMouseUp(Press(x, 12.f));
    if (s.starts_with("type ")) {
      g->OnKeyDown(450.f, 12.f, Key(8)); // the selected prompt goes
      for (char c : arg)
        g->OnKeyDown(450.f, 12.f, Key(0, std::string(1, c).c_str()));
      g->OnKeyDown(450.f, 12.f, Key(13));
    }
    frames->AdvanceMs(150.0);
    frames->Tick();
    plugin::RunLoop::Main().RunPending();
  }

  std::string Label() const { return bar->GetNameDisplay()->GetLabelStr(); }
  IControl* Field() const { return g->GetControlWithTag(66); }

  ResourceFolder res;
  std::unique_ptr<TestKelmo> k;
  std::unique_ptr<RecordingCanvas> g;
  std::unique_ptr<FrameDriver> frames;
  PresetControllerMenu* bar = nullptr;
};

} // namespace

// Each sequence starts afresh; then the slot list is shown and dismissed. A label "#N" is the
// framework preset name of slot N.
TEST_F(PresetBar, ModesStepsListChoicesAndSaves)
{
  const std::string n50(50, 'n');
  const struct
  {
    std::vector<std::string> steps;
    int mode, current;
    std::string label, list5; // list5: the list's text of slot 5
    bool fieldOpen;
    std::set<int> files;
  } cases[] = {
      {{"<"}, 0, 39, "#39", "#5", false, {3}},
      {{"<", ">"}, 0, 0, "#0", "#5", false, {3}},
      {{"pick 3"}, 0, 3, "Three", "#5", false, {3}},
      {{"save"}, 1, 0, "Select preset slot to overwrite", "#5", false, {3}},
      {{"trash", "dismiss"}, 2, 0, "Select preset slot to reset", "#5", false, {3}},
      {{"save", "save"}, 0, 0, "#0", "#5", false, {3}},
      {{"save", "trash"}, 0, 0, "#0", "#5", false, {3}},
      // Stepping leaves the mode: a later choice in the list only loads.
      {{"save", "<", "pick 5"}, 0, 5, "#5", "#5", false, {3}},
      {{"trash", ">", "pick 3"}, 0, 3, "Three", "#5", false, {3}},
      {{"trash", "pick 3"}, 0, 3, "#3", "#5", false, {}},
      {{"save", "pick 5"}, 0, 0, "", "#5", true, {3}},
      {{"save", "pick 5", "type Bass"}, 0, 0, "Bass", "- User: Bass", false, {3, 5}},
      {{"save", "pick 5", "type "}, 0, 0, "", "- User: ", false, {3, 5}},
      // The bar shows the whole saved name; a later load of the slot shows its first 38 characters.
      {{"save", "pick 5", "type " + n50}, 0, 0, n50, "- User: " + n50, false, {3, 5}},
      {{"save", "pick 0", "type " + n50, ">", "<"}, 0, 0, n50.substr(0, 38), "#5", false, {0, 3}},
      // A save that fails leaves the current preset's name, not the unsaved one.
      {{"pick 3", "save", "pick 5", "block 5", "type Lost"}, 0, 3, "Three", "#5", false, {3}},
      {{"save", "pick 5", "esc"}, 0, 0, "", "#5", false, {3}},
      {{"save", "pick 5", "save"}, 1, 0, "Select preset slot to overwrite", "#5", false, {3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.steps));
    SetUp();
    for (const std::string& s : c.steps)
      Do(s);
    const auto name = [&](const std::string& t) {
      return t[0] == '#' ? k->GetPresetName(std::stoi(t.substr(1))) : t;
    };
    EXPECT_EQ(bar->GetMode(), c.mode);
    EXPECT_EQ(k->GetCurrentPresetIdx(), c.current);
    EXPECT_EQ(Label(), name(c.label));
    EXPECT_EQ(Field() != nullptr, c.fieldOpen);
    EXPECT_EQ(bar->NChildren(), c.fieldOpen ? 7 : 6);
    std::set<int> files;
    for (int slot = 0; slot < 40; ++slot)
      if (ReadUserPresetFile(slot)) files.insert(slot);
    EXPECT_EQ(files, c.files);
    if (c.fieldOpen) continue; // it covers the name display
    Do("dismiss");             // the list as it shows now, under the name display
    EXPECT_EQ(g->CallsNamed("CreatePlatformPopupMenu").back().args,
              (std::vector<double>{308, 1, 594, 24, 40}));
    EXPECT_EQ(bar->GetMenu().GetItem(5)->GetText(), name(c.list5));
    for (int i = 0; i < 40; ++i)
      EXPECT_EQ(bar->GetMenu().GetItem(i)->GetFlags(), i == c.current ? IPopupMenu::Item::kChecked : 0) << i;
  }
}

// The end of each child's click animation: the three text buttons step or list, the frame and
// the two picture buttons splash.
TEST_F(PresetBar, EachChildEndsItsClickAnimationAsDrawn)
{
  const struct
  {
    int child;
    bool splashes;
    int current;     // the preset after the end action
    bool listShown;
  } cases[] = {
      {0, false, 39, false}, {1, false, 1, false}, {2, false, 0, true},
      {3, true, 0, false},   {4, true, 0, false},  {5, true, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.child);
    SetUp();
    IControl* child = bar->GetChild(c.child);
    ASSERT_NE(child, nullptr);
    const size_t menus = g->CallsNamed("CreatePlatformPopupMenu").size();
    child->OnEndAnimation();
    EXPECT_EQ(static_cast<bool>(child->GetAnimationFunction()), c.splashes);
    EXPECT_EQ(k->GetCurrentPresetIdx(), c.current);
    EXPECT_EQ(g->CallsNamed("CreatePlatformPopupMenu").size() > menus, c.listShown);
    EXPECT_EQ(bar->GetMode(), 0);
  }
}

// The file holds the values of the moment the slot was picked; the field leaves only after the
// dispatch that closed it has returned, and leaves the bar's children; a removal still pending
// never outlives the field or the editor.
TEST_F(PresetBar, SaveKeepsThePickedValuesAndTheFieldLeavesAfterDispatch)
{
  for (const char* s : {"gain 12.5", "save", "pick 6", "gain 40"})
    Do(s);
  IControl* field = Field();
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->GetParent(), bar);
  EXPECT_STREQ(field->GetGroup(), "savePreset");
  EXPECT_FALSE(g->OnKeyDown(450.f, 12.f, Key(65, "a")));
  g->OnMouseDown(Press(450.f, 12.f));
  g->OnMouseUp(Press(450.f, 12.f));
  g->OnKeyDown(450.f, 12.f, Key(13)); // the prompt taken as the name
  EXPECT_EQ(Field(), field);
  EXPECT_TRUE(dynamic_cast<savePresetField*>(field)->RemovalPending());
  g->OnMouseDown(Press(450.f, 12.f)); // a leaving field takes no more clicks
  g->OnMouseUp(Press(450.f, 12.f));
  EXPECT_EQ(g->GetControlInTextEntry(), nullptr);
  IPopupMenu odd("", {"a"}); // a choice that names no item changes nothing
  odd.SetChosenItemIdx(1);
  bar->OnPopupMenuSelection(&odd, 0);
  Do(">"); // removed by the step button while its own removal waits
  EXPECT_EQ(Field(), nullptr);
  EXPECT_EQ(bar->NChildren(), 6);
  EXPECT_EQ(PresetListTexts(*k)[6], "- User: Write a name for the preset");
  const std::optional<UserPresetContents> file = ReadUserPresetFile(6);
  ASSERT_TRUE(file);
  for (const UserPresetAssignment& a : file->assignments)
    EXPECT_TRUE(a.paramIdx != kVariGain || a.value == 12.5);

  Do("save");
  Do("pick 7");
  EXPECT_TRUE(g->OnKeyDown(450.f, 12.f, Key(27)));
  frames.reset();
  g.reset(); // the editor closes with the removal pending
  plugin::RunLoop::Main().RunPending();
}

// The name the field hands over is shown whole and as stored: invalid bytes as U+FFFD.
TEST_F(PresetBar, TheSavedNameIsShownWholeAsStored)
{
  Do("save");
  Do("pick 8");
  auto* field = dynamic_cast<savePresetField*>(Field());
  ASSERT_NE(field, nullptr);
  const std::string typed = "Bad \xFF byte in a name longer than thirty-eight characters";
  const std::string stored = "Bad \xEF\xBF\xBD byte in a name longer than thirty-eight characters";
  field->OnTextEntryCompletion(typed.c_str(), 0);
  EXPECT_EQ(Label(), stored);
  EXPECT_EQ(field->GetStr(), stored);
  const std::optional<UserPresetContents> file = ReadUserPresetFile(8);
  ASSERT_TRUE(file && file->name);
  EXPECT_EQ(*file->name, stored);
}

// The slot list opens from the frame loop, when the name display's click animation ends. A
// programming error under it reaches the caller rather than leaving the list unshown; running out
// of memory ends the click there, and the next click opens the list.
TEST_F(PresetBar, ErrorsUnderTheSlotListAreNotSwallowed)
{
  g->beforeMenu = [] { throw std::out_of_range("no such item"); };
  EXPECT_THROW(Do("dismiss"), std::out_of_range);
  g->beforeMenu = [] { throw std::bad_alloc(); };
  EXPECT_NO_THROW(Do("dismiss"));
  EXPECT_TRUE(g->CaptureIsEmpty());
  EXPECT_EQ(g->Count("CreatePlatformPopupMenu"), 0);
  g->beforeMenu = nullptr;
  Do("pick 3");
  EXPECT_EQ(g->Count("CreatePlatformPopupMenu"), 1);
  EXPECT_EQ(Label(), "Three");
}

#include "editor/PresetControllerMenu.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/SavePresetField.h"
#include "editor/UserPresetFiles.h"
#include "editor/UserPresetNames.h"
#include "engine/kelmo/KelmoTestSupport.h"
#include "graphics/controls/IVButtonControl.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/ResourceFolder.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

using namespace kelmotest;
using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

const IRECT kBarRect(250.f, 1.f, 650.f, 24.f);
const IRECT kNameRect(308.f, 1.f, 594.f, 24.f);

// The editor's preset bar in a recording editor over the plug-in, with user files in a
// temporary folder: slot 3 holds the user preset "Three".
class PresetBar : public KelmoTest
{
protected:
  void SetUp() override
  {
    KelmoTest::SetUp();
    res.Write("Save@2x.png");
    res.Write("Trash@2x.png");
    WriteSlot(3, R"({"Params":{},"PresetName":"Three"})");
    k = std::make_unique<TestKelmo>();
    g = std::make_unique<RecordingCanvas>(*k, 899, 500);
    g->bitmapWidth = g->bitmapHeight = 16;
    frames = std::make_unique<FrameDriver>(*g);
    bar = new PresetControllerMenu(kBarRect, PresetBarStyle());
    ASSERT_EQ(g->AttachControl(bar), bar);
  }

  // A fresh plug-in, editor and bar over a folder holding only slot 3's file.
  void Rebuild()
  {
    frames.reset();
    g.reset();
    k.reset();
    for (int slot = 0; slot < 40; ++slot)
      DeleteFileAtPath(UserPresetPath(slot));
    SetUp();
  }
  // A click and the frames that run its 100 ms animation to the end.
  void Click(float x, float y)
  {
    g->OnMouseDown(Press(x, y));
    g->OnMouseUp(Press(x, y));
    frames->AdvanceMs(150.0);
    frames->Tick();
  }
  // One gesture: "<", ">", "save", "trash", "pick N" (list choice), "dismiss", "type NAME" (name
  // entered in the open field), "esc" (Escape over the field). The run loop then runs one pass.
  void Do(const std::string& step)
  {
    if (step == "<") Click(262.f, 12.f);
    if (step == ">") Click(287.f, 12.f);
    if (step == "save") Click(613.f, 13.f);
    if (step == "trash") Click(635.f, 13.f);
    if (step == "dismiss" || step.starts_with("pick ")) {
      g->menuScript.chosenIdx = step == "dismiss" ? -1 : std::stoi(step.substr(5));
      Click(450.f, 12.f);
    }
    if (step.starts_with("type ")) {
      g->OnMouseDown(Press(450.f, 12.f));
      g->OnMouseUp(Press(450.f, 12.f));
      g->SetControlValueAfterTextEdit(step.substr(5).c_str());
    }
    if (step == "esc") {
      EXPECT_TRUE(g->OnKeyDown(450.f, 12.f, Key(27)));
    }
    plugin::RunLoop::Main().RunPending();
  }

  std::string Label() const { return bar->GetNameDisplay()->GetLabelStr(); }
  savePresetField* Field() const { return dynamic_cast<savePresetField*>(g->GetControlWithTag(66)); }
  std::set<int> SlotsWithFiles() const
  {
    std::set<int> slots;
    for (int slot = 0; slot < 40; ++slot)
      if (ReadUserPresetFile(slot)) slots.insert(slot);
    return slots;
  }

  ResourceFolder res;
  std::unique_ptr<TestKelmo> k;
  std::unique_ptr<RecordingCanvas> g;
  std::unique_ptr<FrameDriver> frames;
  PresetControllerMenu* bar = nullptr;
};

} // namespace

TEST_F(PresetBar, SixChildrenWhereTheBarPutsThem)
{
  const struct
  {
    IRECT bounds;
    const char* label; // null: a bitmap button
  } want[] = {{IRECT(250.f, 1.f, 275.f, 24.f), "<"},     {IRECT(275.f, 1.f, 300.f, 24.f), ">"},
              {kNameRect, "Choose Preset..."},           {IRECT(594.f, 0.f, 650.f, 25.f), ""},
              {IRECT(605.f, 5.f, 621.f, 21.f), nullptr}, {IRECT(627.f, 5.f, 643.f, 21.f), nullptr}};
  ASSERT_EQ(bar->NChildren(), 6);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    IControl* child = bar->GetChild(i);
    EXPECT_EQ(child->GetBounds(), want[i].bounds);
    EXPECT_EQ(child->GetParent(), bar);
    auto* vector = dynamic_cast<IVectorBase*>(child);
    ASSERT_EQ(vector != nullptr, want[i].label != nullptr);
    if (!vector) continue;
    EXPECT_STREQ(vector->GetLabelStr(), want[i].label);
    if (i < 3) {
      EXPECT_EQ(vector->GetStyle(), PresetBarStyle());
    }
  }
  const IVStyle& frame = dynamic_cast<IVectorBase*>(bar->GetChild(3))->GetStyle();
  EXPECT_EQ(frame.colorSpec.GetColor(EVColor::Shadow), IColor(255, 21, 21, 21));
  EXPECT_EQ(frame.colorSpec.GetColor(EVColor::Extra3), COLOR_BLACK);
  EXPECT_TRUE(frame.drawFrame && !frame.drawShadows && frame.frameThickness == 2.f);
  EXPECT_EQ(bar->GetChild(2), bar->GetNameDisplay());
  EXPECT_TRUE(bar->GetIgnoreMouse());
  EXPECT_EQ(g->GetMouseControlIdx(304.f, 12.f), -1); // the gap between the buttons is nobody's
  frames->Tick();
  EXPECT_EQ(g->CallsNamed("DoDrawText").size(), 3u); // "<", ">" and the name display
}

// Each sequence starts on slot 0 in load mode, slot 3 holding the user file "Three". A label
// "#N" is the framework preset name of slot N.
TEST_F(PresetBar, ModesStepsAndListChoices)
{
  const struct
  {
    std::vector<std::string> steps;
    int mode, current;
    std::string label;
    bool fieldOpen;
    std::set<int> files;
  } cases[] = {
      {{"<"}, 0, 39, "#39", false, {3}},
      {{"<", ">"}, 0, 0, "#0", false, {3}},
      {{">", ">", "<"}, 0, 1, "#1", false, {3}},
      {{"pick 3"}, 0, 3, "Three", false, {3}},
      {{"save"}, 1, 0, "Select preset slot to overwrite", false, {3}},
      {{"trash"}, 2, 0, "Select preset slot to reset", false, {3}},
      {{"save", "save"}, 0, 0, "#0", false, {3}},
      {{"save", "trash"}, 0, 0, "#0", false, {3}},
      {{"trash", "dismiss"}, 2, 0, "Select preset slot to reset", false, {3}},
      // Stepping leaves the mode: a later choice in the list only loads.
      {{"save", "<", "pick 7"}, 0, 7, "#7", false, {3}},
      {{"trash", ">", "pick 3"}, 0, 3, "Three", false, {3}},
      {{"trash", "pick 3"}, 0, 3, "#3", false, {}},
      {{"save", "pick 5"}, 0, 0, "", true, {3}},
      {{"save", "pick 5", "type Bass"}, 0, 0, "Bass", false, {3, 5}},
      {{"save", "pick 3", "type "}, 0, 0, "", false, {3}},
      {{"save", "pick 5", "esc"}, 0, 0, "", false, {3}},
      {{"save", "pick 5", ">"}, 0, 1, "#1", false, {3}},
      {{"save", "pick 5", "save"}, 1, 0, "Select preset slot to overwrite", false, {3}},
  };
  for (const auto& c : cases) {
    std::string trace;
    for (const std::string& s : c.steps)
      trace += "[" + s + "]";
    SCOPED_TRACE(trace);
    Rebuild();
    for (const std::string& s : c.steps)
      Do(s);
    EXPECT_EQ(bar->GetMode(), c.mode);
    EXPECT_EQ(k->GetCurrentPresetIdx(), c.current);
    EXPECT_EQ(Label(), c.label[0] == '#' ? k->GetPresetName(std::stoi(c.label.substr(1))) : c.label);
    EXPECT_EQ(Field() != nullptr, c.fieldOpen);
    EXPECT_EQ(bar->NChildren(), c.fieldOpen ? 7 : 6);
    EXPECT_EQ(SlotsWithFiles(), c.files);
  }
}

TEST_F(PresetBar, ListShowsEverySlotWithOneCheckUnderTheNameDisplay)
{
  Do("pick 2");
  for (int showing = 0; showing < 2; ++showing) {
    g->ClearCalls();
    Do("dismiss");
    EXPECT_EQ(g->CallsNamed("CreatePlatformPopupMenu"),
              (std::vector<CanvasCall>{{"CreatePlatformPopupMenu", {308.0, 1.0, 594.0, 24.0, 40.0}, ""}}));
    const std::vector<std::string> texts = PresetListTexts(*k);
    ASSERT_EQ(bar->GetMenu().NItems(), 40);
    for (int i = 0; i < 40; ++i) {
      const IPopupMenu::Item& item = *bar->GetMenu().GetItem(i);
      EXPECT_EQ(item.GetText(), texts[static_cast<std::size_t>(i)]);
      EXPECT_EQ(item.GetFlags(), i == 2 ? IPopupMenu::Item::kChecked : 0) << i;
    }
    EXPECT_EQ(texts[3], "- User: Three");
  }
  // Hostile or empty selections change nothing.
  Do("trash");
  IPopupMenu odd("", {"a", "b"});
  for (int chosen : {-1, 2, 40}) {
    odd.SetChosenItemIdx(chosen);
    bar->OnPopupMenuSelection(&odd, 0);
  }
  bar->OnPopupMenuSelection(nullptr, 0);
  EXPECT_EQ(bar->GetMode(), 2);
  EXPECT_EQ(SlotsWithFiles(), std::set<int>{3});
}

// The file holds the values as they were when the slot was picked; the typed name is shown and
// listed as it was stored.
TEST_F(PresetBar, SaveWritesTheValuesOfThePickAndShowsTheStoredName)
{
  const std::string longName = "\xFF" + std::string(50, 'x');
  const struct
  {
    std::string typed, stored;
  } cases[] = {{"Bass", "Bass"}, {"", ""}, {longName, "\xEF\xBF\xBD" + std::string(50, 'x')}};
  for (const auto& c : cases) {
    k->GetParam(kVariGain)->Set(12.5);
    Do("save");
    Do("pick 5");
    k->GetParam(kVariGain)->Set(40.0);
    ASSERT_NE(Field(), nullptr);
    Do("type " + c.typed);
    EXPECT_EQ(Label(), UserPresetLabel(c.stored));
    EXPECT_EQ(PresetListTexts(*k)[5], "- User: " + c.stored);
    const std::optional<UserPresetContents> file = ReadUserPresetFile(5);
    ASSERT_TRUE(file);
    for (const UserPresetAssignment& a : file->assignments)
      if (a.paramIdx == kVariGain) {
        EXPECT_EQ(a.value, 12.5);
      }
  }
  EXPECT_EQ(
      g->CallsNamed("CreatePlatformTextEntry")[0],
      (CanvasCall{"CreatePlatformTextEntry", {-1, 308, 1, 594, 24, 7, 16}, "Write a name for the preset"}));
}

TEST_F(PresetBar, AFailedSaveDoesNotShowTheNameAsSaved)
{
  Do("pick 3");
  Do("save");
  Do("pick 5");
  ASSERT_TRUE(std::filesystem::create_directory(UserPresetPath(5))); // the file cannot be replaced
  Do("type Lost");
  EXPECT_EQ(Label(), "Three");
  EXPECT_EQ(Field(), nullptr);
  EXPECT_FALSE(ReadUserPresetFile(5));
}

// The field leaves only after the dispatch that closed it has returned, and leaves the bar's
// children; a removal still pending never outlives the field or the editor.
TEST_F(PresetBar, TheFieldLeavesAfterDispatchAndUnlinksFromTheBar)
{
  Do("save");
  Do("pick 5");
  savePresetField* field = Field();
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->GetParent(), bar);
  EXPECT_STREQ(field->GetGroup(), "savePreset");
  EXPECT_FALSE(g->OnKeyDown(450.f, 12.f, Key(65, "a")));
  EXPECT_TRUE(g->OnKeyDown(450.f, 12.f, Key(27)));
  EXPECT_EQ(Field(), field);
  EXPECT_TRUE(field->RemovalPending());
  plugin::RunLoop::Main().RunPending();
  EXPECT_EQ(Field(), nullptr);
  EXPECT_EQ(bar->NChildren(), 6);

  // Removed by the next button while its own removal waits: the pending call dies with it.
  Do("save");
  Do("pick 6");
  g->OnMouseDown(Press(450.f, 12.f));
  g->OnMouseUp(Press(450.f, 12.f));
  g->SetControlValueAfterTextEdit("Six");
  Click(287.f, 12.f);
  EXPECT_EQ(Field(), nullptr);
  plugin::RunLoop::Main().RunPending();
  EXPECT_EQ(SlotsWithFiles(), (std::set<int>{3, 6}));

  // The editor closes with a removal pending.
  Do("save");
  Do("pick 7");
  EXPECT_TRUE(g->OnKeyDown(450.f, 12.f, Key(27)));
  frames.reset();
  g.reset();
  plugin::RunLoop::Main().RunPending();
}

TEST(PresetBarOutsideThePlugin, ActionsWithoutPluginOrBarDoNothing)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg, 899, 500);
  auto* bar = new PresetControllerMenu(kBarRect, PresetBarStyle());
  g.AttachControl(bar);
  g.menuScript.chosenIdx = 1;
  for (auto action : {PreviousPresetAction, NextPresetAction, ShowPresetListAction, OverwriteModeAction,
                      ResetModeAction, RemoveSaveFieldAction}) {
    action(bar->GetChild(0));
    action(nullptr);
  }
  EXPECT_EQ(g.Count("CreatePlatformPopupMenu"), 0);
  EXPECT_EQ(bar->GetMode(), 0); // switched and cancelled; nothing else happens without the plug-in
  IPopupMenu menu("", {"a"});
  menu.SetChosenItemIdx(0);
  bar->OnPopupMenuSelection(&menu, 0);
  EXPECT_EQ(g.GetControlWithTag(66), nullptr);
}

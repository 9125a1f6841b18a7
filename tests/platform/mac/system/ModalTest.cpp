#include "AppKitTestSupport.h"

#include "platform/mac/system/Alert.h"
#include "platform/mac/system/ColorPanel.h"
#include "platform/mac/system/Menu.h"
#include "platform/mac/system/RunLoopTimer.h"
#include "platform/mac/system/SavePanel.h"

#include <filesystem>

namespace plugin::sys {
namespace {

using ModalTest = test::AppKitTest;
using Strings = std::vector<std::string>;

TEST_F(ModalTest, AlertsAnswerWithThePressedButton)
{
  const struct
  {
    Strings buttons;
    std::optional<int> press; // none: no answer set
    long response;
    Strings shown;
  } cases[] = {
      {{"Yes", "No", "Cancel"}, 1, 1001, {"Yes", "No", "Cancel"}},
      {{"Yes", "No", "Cancel"}, 2, 1002, {"Yes", "No", "Cancel"}},
      {{"Retry", "Cancel"}, std::nullopt, 1000, {"Retry", "Cancel"}}, // Return presses the first
      {{"OK"}, 3, 1000, {"OK"}},                                      // a button it lacks
      {{}, 0, 1000, {"OK"}},                                          // the default button
  };
  for (const auto& c : cases) {
    Alert alert;
    alert.SetMessageText("Caption");
    alert.SetInformativeText("Text");
    for (const auto& b : c.buttons)
      alert.AddButtonWithTitle(b);
    if (c.press) user.PressAlertButton(*c.press);
    EXPECT_EQ(alert.RunModal(), c.response);
    const AlertRecord& seen = user.Alerts().back();
    EXPECT_EQ(seen.buttons, c.shown);
    EXPECT_EQ(seen.response, c.response);
    EXPECT_EQ(seen.messageText + "/" + seen.informativeText, "Caption/Text");
  }
}

TEST_F(ModalTest, SavePanelsNameTheFileWithAnAllowedType)
{
  const struct
  {
    Strings types;
    bool allowsOthers;
    std::optional<Strings> answer; // none: cancel
    std::string chosen;            // "" for a cancelled panel
  } cases[] = {
      {{"fxp", "fxb"}, false, Strings{"/p/a.FXB"}, "/p/a.FXB"},
      {{"fxp", "fxb"}, false, Strings{"/p/a.txt"}, "/p/a.txt.fxp"},
      {{"fxp"}, true, Strings{"/p/a.txt"}, "/p/a.txt"},
      {{}, false, Strings{}, "/start/Preset.fxp"}, // Save with the proposed name
      {{"fxp"}, false, std::nullopt, ""},
      {{}, false, Strings{""}, "/start/Preset.fxp"},
  };
  for (const auto& c : cases) {
    auto panel = SavePanel::Create();
    panel->SetAllowedFileTypes(c.types);
    panel->SetAllowsOtherFileTypes(c.allowsOthers);
    panel->SetDirectoryUrl(Url::FileUrlWithPath("/start"));
    panel->SetNameFieldStringValue("Preset.fxp");
    if (c.answer) user.ChooseInPanel(*c.answer); // no answer: the panel is cancelled
    const long response = panel->RunModal();
    EXPECT_EQ(response, c.chosen.empty() ? kModalResponseCancel : kModalResponseOK) << c.chosen;
    EXPECT_EQ(panel->Filename(), c.chosen);
    EXPECT_FALSE(user.Panels().back().openPanel);
    EXPECT_EQ(user.Panels().back().options.allowedFileTypes, c.types);
  }
}

TEST_F(ModalTest, OpenPanelsOnlyLetThroughWhatTheyOffer)
{
  const std::string folder = std::filesystem::temp_directory_path().string();
  const struct
  {
    bool files, folders;
    Strings types, answer, chosen;
  } cases[] = {
      {true, false, {"fxp", "fxb"}, {"/p/a.fxb"}, {"/p/a.fxb"}},
      {true, false, {"fxp", "fxb"}, {"/p/a.wav"}, {}},
      {true, false, {}, {folder}, {}},            // a folder where files are asked for
      {false, true, {"fxp"}, {folder}, {folder}}, // types do not apply to folders
      {false, true, {}, {"/p/a.fxp"}, {}},
      {true, false, {}, {"/p/a", "/p/b"}, {"/p/a"}}, // one only
      {true, false, {}, {}, {}},
  };
  for (const auto& c : cases) {
    auto panel = OpenPanel::Create();
    panel->SetCanChooseFiles(c.files);
    panel->SetCanChooseDirectories(c.folders);
    panel->SetAllowedFileTypes(c.types);
    user.ChooseInPanel(c.answer);
    EXPECT_EQ(panel->RunModal(), c.chosen.empty() ? kModalResponseCancel : kModalResponseOK);
    EXPECT_EQ(panel->Filename(), c.chosen.empty() ? "" : c.chosen[0])
        << (c.answer.empty() ? "" : c.answer[0]);
    EXPECT_EQ(user.Panels().back().paths, c.chosen);
  }
}

TEST_F(ModalTest, SheetsAnswerFromTheMainQueueAndPanelsCancelByDefault)
{
  auto window = Window::Create(MakeRect(0, 0, 10, 10));
  auto panel = OpenPanel::Create();
  panel->SetCanChooseDirectories(true);
  panel->SetTitle("Choose a Directory");
  long response = -1;
  std::string path;
  user.ChooseInPanel({"/tmp/x"});
  panel->BeginSheetModalForWindow(window.get(), [&, weak = std::weak_ptr<OpenPanel>(panel)](long r) {
    response = r;
    path = weak.lock() ? weak.lock()->Filename() : "gone";
  });
  std::weak_ptr<OpenPanel> watch = panel;
  panel.reset(); // the sheet keeps its panel until the completion has run
  EXPECT_EQ(response, -1);
  time.RunPending();
  EXPECT_EQ(response, kModalResponseOK);
  EXPECT_EQ(path, "/tmp/x");
  EXPECT_TRUE(watch.expired());
  EXPECT_TRUE(user.Panels().back().sheet);
  EXPECT_EQ(user.Panels().back().options.title, "Choose a Directory");

  auto unanswered = SavePanel::Create();
  EXPECT_EQ(unanswered->RunModal(), kModalResponseCancel);
  EXPECT_EQ(unanswered->Filename(), "");
  unanswered->BeginSheetModalForWindow(nullptr, {}); // no completion: nothing queued
  EXPECT_EQ(MainRunLoop().NTimers(), 0);
}

// A menu of the shape the editor builds: items, a separator, a disabled item and a sub-menu.
struct MenuFixture
{
  std::shared_ptr<Menu> top = std::make_shared<Menu>();
  std::shared_ptr<Menu> sub = std::make_shared<Menu>("sub");
  MenuItem* sender = nullptr;

  MenuFixture()
  {
    const auto pick = [this](MenuItem& item) { sender = &item; };
    top->AddItemWithTitle("01: One", pick, "")->SetState(ControlState::On);
    top->AddItem(MenuItem::SeparatorItem());
    top->AddItemWithTitle("03: Off", pick, "")->SetEnabled(false);
    auto parent = top->AddItemWithTitle("04: More", {}, "");
    parent->SetIndentationLevel(1);
    top->SetSubmenuForItem(sub, parent.get());
    sub->AddItemWithTitle("A", pick, "");
    sub->AddItemWithTitle("B", pick, "")->SetIndentationLevel(99);
  }
};

TEST_F(ModalTest, MenusFollowThePathToAnItemThatCanBeChosen)
{
  const struct
  {
    std::optional<std::vector<int>> path; // none: no answer set
    const char* chosen;                   // title of the sender; nullptr: dismissed
  } cases[] = {
      {std::vector<int>{0}, "01: One"},  {std::vector<int>{3, 1}, "B"},     {std::nullopt, nullptr},
      {std::vector<int>{1}, nullptr}, // a separator
      {std::vector<int>{2}, nullptr}, // disabled
      {std::vector<int>{3}, nullptr}, // a sub-menu opens, nothing is chosen
      {std::vector<int>{3, 5}, nullptr}, {std::vector<int>{0, 0}, nullptr}, {std::vector<int>{-1}, nullptr},
  };
  for (const auto& c : cases) {
    MenuFixture m;
    if (c.path) user.ChooseMenuItem(*c.path);
    const bool chosen = m.top->PopUpPositioningItem(m.top->ItemAtIndex(2).get(), {5, 6}, nullptr);
    EXPECT_EQ(chosen, c.chosen != nullptr);
    EXPECT_EQ(m.sender ? m.sender->Title() : "(dismissed)", c.chosen ? c.chosen : "(dismissed)");
    EXPECT_EQ(user.Menus().back().chosen, chosen);
    if (m.sender) {
      // The sender leads back to the (sub-)menu it is in, and to its index there.
      Menu* owner = m.sender->GetMenu();
      EXPECT_EQ(owner, c.path->size() == 2 ? m.sub.get() : m.top.get());
      EXPECT_EQ(owner->IndexOfItem(m.sender), c.path->back());
    }
  }
}

TEST_F(ModalTest, AShownMenuIsRecordedAsThePersonSawIt)
{
  MenuFixture m;
  m.top->PopUpPositioningItem(nullptr, {10, 24}, nullptr);
  const MenuRecord& seen = user.Menus().back();
  const std::vector<MenuItemRecord> expected = {
      {"01: One", false, true, ControlState::On, 0, false, {}},
      {"", true, true, ControlState::Off, 0, false, {}},
      {"03: Off", false, false, ControlState::Off, 0, false, {}},
      {"04: More",
       false,
       true,
       ControlState::Off,
       1,
       true,
       {{"A", false, true, ControlState::Off, 0, false, {}},
        {"B", false, true, ControlState::Off, 15, false, {}}}},
  };
  EXPECT_EQ(seen.items, expected);
  EXPECT_EQ(seen.positionedItem, -1);
  EXPECT_EQ(seen.location, (Point{10, 24}));
  EXPECT_FALSE(seen.chosen);
}

TEST_F(ModalTest, ItemsOutliveTheirMenuWithoutPointingIntoIt)
{
  MenuItemRef kept;
  auto other = std::make_shared<Menu>();
  {
    MenuFixture m;
    kept = m.top->ItemAtIndex(0);
    other->AddItem(m.top->ItemAtIndex(2)); // moved: it leaves its old menu
    EXPECT_EQ(m.top->NumberOfItems(), 3);
    EXPECT_EQ(m.top->IndexOfItem(kept.get()), 0);
    EXPECT_EQ(m.top->ItemAtIndex(3), nullptr);
  }
  EXPECT_EQ(kept->GetMenu(), nullptr);
  EXPECT_EQ(other->ItemAtIndex(0)->GetMenu(), other.get());
}

TEST_F(ModalTest, TheColourPanelReportsPicksWhileItIsOpen)
{
  EXPECT_FALSE(ColorPanel::SharedExists());
  EXPECT_FALSE(user.PickColor(Color{1, 0, 0, 1}));
  ColorPanel& panel = ColorPanel::Shared();
  std::vector<Color> picked;
  panel.SetAction([&](ColorPanel& p) { picked.push_back(p.GetColor()); });
  panel.SetColor(Color::DeviceRgb(0.2, 0.4, 0.6, 0.5));
  EXPECT_FALSE(user.PickColor(Color{1, 0, 0, 1})); // not open yet
  panel.OrderFront();
  EXPECT_TRUE(user.PickColor(Color{1, 0.5, 0, 0.25})); // no alpha control: opaque
  panel.SetShowsAlpha(true);
  EXPECT_TRUE(user.PickColor(Color{2, -1, std::nan(""), 0.25}));
  panel.Close();
  EXPECT_FALSE(user.PickColor(Color{0, 0, 0, 1}));
  EXPECT_EQ(picked, (std::vector<Color>{{1, 0.5, 0, 1}, {1, 0, 0, 0.25}}));
  panel.OrderFront(); // closing kept the target
  EXPECT_TRUE(user.PickColor(Color{0, 0, 1, 1}));
  EXPECT_EQ(picked.size(), 3u);
}

} // namespace
} // namespace plugin::sys

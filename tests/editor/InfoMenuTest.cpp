#include "editor/InfoMenu.h"

#include "graphics/IPopupMenu.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/TestEditorDelegate.h"
#include "support/ui/UiEvents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// The info button of the editor, with its rectangle.
constexpr IRECT kInfoButton{7.f, 5.f, 22.f, 20.f};

// A button that runs its action when pressed, as the editor's vector buttons do.
class ActionButton : public IControl
{
public:
  explicit ActionButton(IActionFunction action) : IControl(kInfoButton, std::move(action)) {}
  void OnMouseDown(float, float, const IMouseMod&) override { SetDirty(true); }
  void Draw(ICanvas&) override {}
};

// The URLs the canvas was asked to open, in order.
std::vector<std::string> OpenedURLs(const RecordingCanvas& g)
{
  std::vector<std::string> urls;
  for (const CanvasCall& c : g.CallsNamed("OpenURL"))
    urls.push_back(c.text);
  return urls;
}

// The graphics context's menu routing may still be a placeholder in this tree; the tests that
// click through it then have nothing to look at.
bool MenusAreRouted()
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  IPopupMenu menu("probe", {"a"});
  RecordingControl c(IRECT(0.f, 0.f, 10.f, 10.f));
  g.CreatePopupMenu(c, menu, IRECT(), 0);
  return g.Count("CreatePlatformPopupMenu") == 1;
}

// Chooses item idx in the info menu as the platform does, then reports it closed.
void Choose(int idx)
{
  InfoMenu().SetChosenItemIdx(idx);
  InfoMenu().ExecFunction();
}

} // namespace

TEST(InfoMenu, HeadingAndThreeLinksUnderABlankTitle)
{
  const IPopupMenu& menu = InfoMenu();
  EXPECT_STREQ(menu.GetRootTitle(), " ");
  const char* want[] = {"-- INFO --", "Product page", "Manual", "Read about Ukraine"};
  ASSERT_EQ(menu.NItems(), 4);
  for (int i = 0; i < 4; ++i) {
    const IPopupMenu::Item* item = menu.GetItem(i);
    EXPECT_STREQ(item->GetText(), want[i]);
    EXPECT_EQ(item->GetFlags(), 0) << want[i];
    EXPECT_EQ(item->GetSubmenu(), nullptr) << want[i];
  }
  EXPECT_EQ(menu.GetPrefix(), IPopupMenu::kNoPrefix);
  EXPECT_EQ(&InfoMenu(), &menu); // built once
}

TEST(InfoMenu, EachLinkTextHasItsOwnPageOnTheMakersSite)
{
  const struct
  {
    const char* text;
    const char* url;
  } cases[] = {
      {"Product page", "https://www.quillmere.com/kelmo"},
      {"Manual", "https://www.quillmere.com/kelmo/manual"},
      {"Read about Ukraine", "https://www.quillmere.com/ukraine"},
      {"-- INFO --", nullptr},
      {"manual", nullptr},
      {"Manual ", nullptr},
      {"", nullptr},
      {nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const char* got = InfoMenuURL(c.text);
    if (c.url)
      EXPECT_STREQ(got, c.url) << c.text;
    else
      EXPECT_EQ(got, nullptr) << (c.text ? c.text : "null");
  }
}

TEST(InfoMenu, HandlerOpensTheChosenLinkAndReleasesThePointer)
{
  const struct
  {
    int chosen;
    const char* url; // null: nothing opens and the capture stays
  } cases[] = {
      {1, "https://www.quillmere.com/kelmo"},
      {2, "https://www.quillmere.com/kelmo/manual"},
      {3, "https://www.quillmere.com/ukraine"},
      {0, nullptr},  // the heading
      {-1, nullptr}, // dismissed
      {4, nullptr},  // past the end
      {-7, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "chosen " << c.chosen);
    TestEditorDelegate dlg;
    RecordingCanvas g(dlg);
    RecordingControl held(IRECT(0.f, 0.f, 10.f, 10.f));
    g.Capture(0, &held);
    IPopupMenu menu(" ", {"-- INFO --", "Product page", "Manual", "Read about Ukraine"});
    menu.SetChosenItemIdx(c.chosen);
    InfoMenuHandler(g, &menu);
    EXPECT_EQ(OpenedURLs(g), c.url ? std::vector<std::string>{c.url} : std::vector<std::string>{});
    EXPECT_EQ(g.CaptureIsEmpty(), c.url != nullptr);
  }
}

TEST(InfoMenu, HandlerMatchesTextsNotPositions)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  IPopupMenu menu(" ", {"Manual", "Something else"});
  menu.SetChosenItemIdx(0);
  InfoMenuHandler(g, &menu);
  menu.SetChosenItemIdx(1);
  InfoMenuHandler(g, &menu);
  InfoMenuHandler(g, nullptr);
  EXPECT_EQ(OpenedURLs(g), std::vector<std::string>{"https://www.quillmere.com/kelmo/manual"});
}

TEST(InfoMenu, AReopenedEditorOpensTheLinkThroughItself)
{
  TestEditorDelegate dlg;
  auto first = std::make_unique<RecordingCanvas>(dlg, 899, 500);
  IControl* button = first->AttachControl(new ActionButton(ShowInfoMenuAction), -1, "vcontrols");
  ShowInfoMenuAction(button);
  first.reset(); // the editor closes; the menu outlives it

  RecordingCanvas second(dlg, 899, 500);
  ShowInfoMenuAction(second.AttachControl(new ActionButton(ShowInfoMenuAction), -1, "vcontrols"));
  Choose(2);
  EXPECT_EQ(OpenedURLs(second), std::vector<std::string>{"https://www.quillmere.com/kelmo/manual"});
  EXPECT_EQ(InfoMenu().NItems(), 4); // reused, not rebuilt
}

TEST(InfoMenu, AButtonOutsideAnEditorOpensNothing)
{
  ActionButton loose(ShowInfoMenuAction);
  ShowInfoMenuAction(&loose);
  ShowInfoMenuAction(nullptr);
  EXPECT_EQ(InfoMenu().NItems(), 4);
}

TEST(InfoMenu, OpensWhereTheButtonWasClickedAndFollowsTheChoice)
{
  if (!MenusAreRouted()) GTEST_SKIP() << "the graphics context's menu routing is not built yet";
  const struct
  {
    float x, y;
    int chosen;
    std::vector<std::string> urls;
  } cases[] = {
      {12.f, 14.f, 1, {"https://www.quillmere.com/kelmo"}},
      {8.f, 19.5f, 3, {"https://www.quillmere.com/ukraine"}},
      {20.f, 6.f, 0, {}},
      {15.f, 15.f, -1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "chosen " << c.chosen);
    TestEditorDelegate dlg;
    RecordingCanvas g(dlg, 899, 500);
    IControl* button = g.AttachControl(new ActionButton(ShowInfoMenuAction), -1, "vcontrols");
    g.menuScript.chosenIdx = c.chosen;
    g.OnMouseDown(Press(c.x, c.y));
    const std::vector<CanvasCall> shown = g.CallsNamed("CreatePlatformPopupMenu");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (CanvasCall{"CreatePlatformPopupMenu", {c.x, c.y, c.x, c.y, 4}, " "}));
    EXPECT_EQ(OpenedURLs(g), c.urls);
    EXPECT_TRUE(button->GetAnimationFunction()) << "the splash runs on the button";
    g.OnMouseUp(Press(c.x, c.y));
  }
}

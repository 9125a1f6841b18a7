#include "editor/InfoMenu.h"

#include "graphics/menu/IPopupMenu.h"
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

const std::string kProduct = "https://www.quillmere.com/kelmo";
const std::string kManual = "https://www.quillmere.com/kelmo/manual";
const std::string kUkraine = "https://www.quillmere.com/ukraine";

// The editor's info button: runs its action when pressed, as the vector buttons do.
class InfoButton : public IControl
{
public:
  InfoButton() : IControl(IRECT(7.f, 5.f, 22.f, 20.f), ShowInfoMenuAction) {}
  void OnMouseDown(float, float, const IMouseMod&) override { SetDirty(true); }
  void Draw(ICanvas&) override {}
};

std::vector<std::string> OpenedURLs(const RecordingCanvas& g)
{
  std::vector<std::string> urls;
  for (const CanvasCall& c : g.CallsNamed("OpenURL"))
    urls.push_back(c.text);
  return urls;
}

} // namespace

TEST(InfoMenu, HeadingAndThreePlainLinksUnderABlankTitle)
{
  const IPopupMenu& menu = InfoMenu();
  EXPECT_STREQ(menu.GetRootTitle(), " ");
  const char* want[] = {"-- INFO --", "Product page", "Manual", "Read about Ukraine"};
  ASSERT_EQ(menu.NItems(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(menu.GetItem(i)->GetText(), want[i]);
    EXPECT_EQ(menu.GetItem(i)->GetFlags(), 0) << want[i];
    EXPECT_EQ(menu.GetItem(i)->GetSubmenu(), nullptr) << want[i];
  }
}

TEST(InfoMenu, HandlerOpensTheChosenLinkByItsTextAndReleasesThePointer)
{
  const struct
  {
    std::vector<const char*> items;
    int chosen;
    std::vector<std::string> urls; // empty: nothing opens and the capture stays
  } cases[] = {
      {{"-- INFO --", "Product page", "Manual", "Read about Ukraine"}, 1, {kProduct}},
      {{"-- INFO --", "Product page", "Manual", "Read about Ukraine"}, 2, {kManual}},
      {{"-- INFO --", "Product page", "Manual", "Read about Ukraine"}, 3, {kUkraine}},
      {{"-- INFO --", "Product page", "Manual", "Read about Ukraine"}, 0, {}},  // the heading
      {{"-- INFO --", "Product page", "Manual", "Read about Ukraine"}, -1, {}}, // dismissed
      {{"-- INFO --", "Product page", "Manual", "Read about Ukraine"}, 4, {}},
      {{"Manual", "manual", "Manual ", ""}, 0, {kManual}}, // matched by text, not position
      {{"Manual", "manual", "Manual ", ""}, 1, {}},
      {{"Manual", "manual", "Manual ", ""}, 2, {}},
      {{"Manual", "manual", "Manual ", ""}, 3, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.items[0] << ", chosen " << c.chosen);
    TestEditorDelegate dlg;
    RecordingCanvas g(dlg);
    RecordingControl held(IRECT(0.f, 0.f, 10.f, 10.f));
    g.Capture(0, &held);
    IPopupMenu menu(" ");
    for (const char* text : c.items)
      menu.AddItem(text);
    menu.SetChosenItemIdx(c.chosen);
    InfoMenuHandler(g, &menu);
    EXPECT_EQ(OpenedURLs(g), c.urls);
    EXPECT_EQ(g.CaptureIsEmpty(), !c.urls.empty());
  }
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  InfoMenuHandler(g, nullptr);
  EXPECT_EQ(g.calls.size(), 0u);
}

TEST(InfoMenu, AReopenedEditorOpensTheLinkThroughItself)
{
  TestEditorDelegate dlg;
  auto first = std::make_unique<RecordingCanvas>(dlg, 899, 500);
  ShowInfoMenuAction(first->AttachControl(new InfoButton, -1, "vcontrols"));
  first.reset(); // the editor closes; the menu outlives it
  RecordingCanvas second(dlg, 899, 500);
  ShowInfoMenuAction(second.AttachControl(new InfoButton, -1, "vcontrols"));
  // The platform reports a choice of "Manual".
  InfoMenu().SetChosenItemIdx(2);
  InfoMenu().ExecFunction();
  EXPECT_EQ(OpenedURLs(second), std::vector<std::string>{kManual});
  EXPECT_EQ(InfoMenu().NItems(), 4); // reused, not rebuilt

  InfoButton loose; // outside any editor: nothing opens, nothing breaks
  ShowInfoMenuAction(&loose);
  ShowInfoMenuAction(nullptr);
}

TEST(InfoMenu, OpensWhereTheButtonWasPressedAndFollowsTheChoice)
{
  const struct
  {
    float x, y;
    int chosen;
    std::vector<std::string> urls;
  } cases[] = {{12.f, 14.f, 1, {kProduct}}, {8.f, 19.5f, 3, {kUkraine}}, {20.f, 6.f, -1, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "chosen " << c.chosen);
    TestEditorDelegate dlg;
    RecordingCanvas g(dlg, 899, 500);
    IControl* button = g.AttachControl(new InfoButton, -1, "vcontrols");
    g.menuScript.chosenIdx = c.chosen;
    g.OnMouseDown(Press(c.x, c.y));
    const std::vector<CanvasCall> shown = g.CallsNamed("CreatePlatformPopupMenu");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (CanvasCall{"CreatePlatformPopupMenu", {c.x, c.y, c.x, c.y, 4}, " "}));
    EXPECT_EQ(OpenedURLs(g), c.urls);
    EXPECT_TRUE(button->GetAnimationFunction()) << "the splash runs on the button";
  }
}

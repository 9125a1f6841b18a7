// The macOS graphics context: opening and closing (twice, with the host removing the view,
// while the font cache counts), cursors, tooltips, message boxes, panels, colour panel,
// clipboard, addresses, file browser and file drags, and host resizes.
#include "tests/platform/mac/EditorViewFixture.h"

#include "platform/mac/FontDescriptorCache.h"
#include "platform/mac/MacCursors.h"
#include "platform/mac/system/Alert.h"
#include "platform/mac/system/Application.h"
#include "platform/mac/system/ColorPanel.h"
#include "platform/mac/system/Cursor.h"
#include "platform/mac/system/Pasteboard.h"
#include "platform/mac/system/Workspace.h"
#include "support/TempFolder.h"

#include <filesystem>

using namespace macview;

namespace {

class CanvasMac : public EditorViewTest
{};

} // namespace

TEST_F(CanvasMac, OpensIntoTheParentAndClosesWhenTheHostRemovesTheView)
{
  Open(200, 100, 1.5f);
  ASSERT_TRUE(dlg.GetUI());
  EXPECT_EQ(G().GetPlatformAPIStr(), std::string("Cocoa"));
  EXPECT_EQ(V().Superview(), window->ContentView().get());
  EXPECT_EQ(V().Frame(), sys::MakeRect(0.0, 0.0, 300.0, 150.0));
  EXPECT_EQ(V().Layer()->PixelFormat(), sys::GpuPixelFormat::BGRA8Unorm);
  EXPECT_TRUE(V().Layer()->Device());
  EXPECT_TRUE(V().IsFlipped());
  EXPECT_TRUE(V().IsOpaque());
  EXPECT_EQ(V().LayerContentsRedrawPolicy(), 2);
  EXPECT_EQ(window->FirstResponder(), &V());
  EXPECT_TRUE(window->AcceptsMouseMovedEvents());
  EXPECT_TRUE(G().GetDrawContext());
  EXPECT_GE(sys::ApplicationLoadCount(), 1);
  // Layout, then the delegate told the UI is open.
  const auto layout =
      std::find_if(dlg.calls.begin(), dlg.calls.end(), [](auto& c) { return c.op == "Layout"; });
  const auto open =
      std::find_if(dlg.calls.begin(), dlg.calls.end(), [](auto& c) { return c.op == "UIOpen"; });
  ASSERT_NE(layout, dlg.calls.end());
  EXPECT_LT(layout, open);

  // The host takes the view out of its window: the editor closes, the view lives to the end of it.
  const std::shared_ptr<sys::View> view = V().shared_from_this();
  view->RemoveFromSuperview();
  EXPECT_EQ(dlg.GetUI(), nullptr);
  EXPECT_EQ(view->Superview(), nullptr);
  EXPECT_TRUE(window->ContentView()->Subviews().empty());
  EXPECT_FLOAT_EQ(dlg.GetSavedDrawScale(), 1.5f);
  view->RemoveFromSuperview(); // again: nothing
  dlg.CloseWindow();           // closing twice: nothing
  EXPECT_EQ(dlg.GetUI(), nullptr);
}

TEST_F(CanvasMac, ReopeningReplacesTheViewAndClosingTwiceIsHarmless)
{
  Open();
  ICanvasMac& g = G();
  const std::shared_ptr<sys::View> first = V().shared_from_this();
  g.OpenWindow(window->ContentView().get());
  EXPECT_NE(g.GetView(), first.get());
  EXPECT_EQ(first->Superview(), nullptr);
  EXPECT_EQ(window->ContentView()->Subviews().size(), 1u);
  g.CloseWindow();
  g.CloseWindow();
  EXPECT_EQ(g.GetWindow(), nullptr);
  EXPECT_FALSE(g.WindowIsOpen());
  // Without a window the services that need it refuse.
  EXPECT_FALSE(g.IsDarkMode());
  IColor c;
  EXPECT_FALSE(g.PromptForColor(c));
  EXPECT_FALSE(g.InitiateExternalFileDragDrop("/tmp", IRECT(0.f, 0.f, 10.f, 10.f)));
  StringBuf name("keep.wav"), path("/tmp/");
  g.PromptForFile(name, path);
  EXPECT_STREQ(name.Get(), "");
  EXPECT_TRUE(user.Panels().empty());
  g.UpdateTooltips();
  g.EndPlatformTextEntry();
  g.CreatePlatformTextEntry(0, IText(), IRECT(), 0, "x");
}

TEST_F(CanvasMac, FontCacheEmptiesWhenTheLastContextGoes)
{
  auto& cache = SharedFontDescriptorCache();
  const auto users = [&cache] {
    std::lock_guard lock(cache.Mutex());
    return cache.InstanceCount();
  };
  const int before = users();
  {
    test::TestEditorDelegate a, b;
    auto ga = std::unique_ptr<ICanvas>(MakeMacGraphics(a, 10, 10, 60, 1.f, "", "", ""));
    auto gb = std::unique_ptr<ICanvas>(MakeMacGraphics(b, 10, 10, 60, 1.f, "", "", ""));
    EXPECT_EQ(users(), before + 2);
    gb->OpenWindow(nullptr);
    gb.reset(); // destroyed with its window open: the view goes first
    EXPECT_EQ(users(), before + 1);
  }
  EXPECT_EQ(users(), before);
}

TEST_F(CanvasMac, FactoryNeedsAGraphicsDelegateAndSetsTheIdentifiers)
{
  struct PlainDelegate : IEditorDelegate
  {
    PlainDelegate() : IEditorDelegate(0) {}
    void BeginInformHostOfParamChangeFromUI(int) override {}
    void EndInformHostOfParamChangeFromUI(int) override {}
  } plain;
  EXPECT_EQ(MakeMacGraphics(plain, 10, 10, 60, 1.f, "a", "b", "c"), nullptr);
  auto g =
      std::unique_ptr<ICanvas>(MakeMacGraphics(dlg, 10, 10, 60, 1.f, "com.x.vst3.Y", "group.com.x.Y", "Y"));
  ASSERT_TRUE(g);
  EXPECT_STREQ(g->GetBundleID(), "com.x.vst3.Y");
  EXPECT_STREQ(g->GetPlatformText(), "group.com.x.Y");
  EXPECT_STREQ(g->GetResourceSubPath(), "Y");
}

TEST_F(CanvasMac, CursorKindsAndFallbacks)
{
  Open();
  using K = sys::CursorKind;
  const struct
  {
    int kind;
    K shown;
    K without; // with every extra taken away
  } table[] = {{0, K::Arrow, K::Arrow},
               {1, K::IBeam, K::IBeam},
               {2, K::BusyButClickable, K::Arrow},
               {3, K::Crosshair, K::Crosshair},
               {4, K::WindowResizeNorth, K::ResizeUp},
               {5, K::WindowResizeNorthWestSouthEast, K::Arrow},
               {6, K::WindowResizeNorthEastSouthWest, K::Arrow},
               {7, K::WindowResizeEastWest, K::ResizeLeftRight},
               {8, K::WindowResizeNorthSouth, K::ResizeUpDown},
               {9, K::Custom, K::Custom},
               {10, K::OperationNotAllowed, K::OperationNotAllowed},
               {11, K::PointingHand, K::PointingHand},
               {12, K::BusyButClickable, K::Arrow},
               {13, K::Help, K::Arrow},
               {14, K::Arrow, K::Arrow},
               {-1, K::Arrow, K::Arrow}};
  for (const auto& row : table) {
    G().SetMouseCursor(row.kind);
    EXPECT_EQ(sys::Cursor::Current()->Kind(), row.shown) << row.kind;
  }
  for (K extra :
       {K::BusyButClickable, K::WindowResizeNorth, K::WindowResizeNorthWestSouthEast,
        K::WindowResizeNorthEastSouthWest, K::WindowResizeEastWest, K::WindowResizeNorthSouth, K::Help})
    sys::Cursor::SetAvailable(extra, false);
  for (const auto& row : table) {
    G().SetMouseCursor(row.kind);
    EXPECT_EQ(sys::Cursor::Current()->Kind(), row.without) << row.kind;
  }
}

TEST_F(CanvasMac, MoveCursorIsBuiltOnceAndHelpModeEnds)
{
  Open();
  EXPECT_EQ(G().SetMouseCursor(9), 0);
  const sys::CursorRef move = V().MoveCursor();
  ASSERT_TRUE(move);
  EXPECT_EQ(G().SetMouseCursor(9), 9);
  EXPECT_EQ(V().MoveCursor(), move);

  sys::Cursor::SetHelpCursorShown(true);
  G().SetMouseCursor(13);
  EXPECT_TRUE(sys::Cursor::HelpCursorShown());
  G().SetMouseCursor(1);
  EXPECT_FALSE(sys::Cursor::HelpCursorShown());

  // Entering the view re-applies the context's cursor.
  sys::Cursor::System(sys::CursorKind::Arrow)->Set();
  user.MoveMouse(*window, At(20.f, 20.f));
  EXPECT_EQ(sys::Cursor::Current()->Kind(), sys::CursorKind::IBeam);

  // Without a view the kind is still stored and the previous one returned.
  G().CloseWindow();
  EXPECT_EQ(G().SetMouseCursor(3), 1);
  EXPECT_EQ(G().GetCursorType(), 3);
}

TEST_F(CanvasMac, TooltipsAtAFractionalScale)
{
  layout = [this](ICanvas* ui) {
    ui->EnableTooltips(true);
    ui->AttachControl(new ProbeControl(IRECT())); // all zero: no rectangle
    auto* a = new ProbeControl(IRECT(10.3f, 20.6f, 40.2f, 30.1f));
    a->SetTooltip("Attack");
    ui->AttachControl(a);
    auto* hidden = new ProbeControl(IRECT(50.f, 50.f, 60.f, 60.f));
    hidden->Hide(true);
    ui->AttachControl(hidden);
    probe = a;
  };
  Open(200, 100, 1.5f);
  ASSERT_EQ(V().ToolTips().size(), 1u);
  // floor(10.3 x 1.5) = 15, floor(20.6 x 1.5) = 30, ceil(40.2 x 1.5) = 61, ceil(30.1 x 1.5) = 46.
  EXPECT_EQ(V().ToolTips()[0].rect, sys::MakeRect(15.0, 30.0, 46.0, 16.0));
  EXPECT_EQ(V().ToolTips()[0].owner, &V());

  user.MoveMouse(*window, At(20.f, 25.f));
  EXPECT_EQ(user.HoverToolTip(*window, At(20.f, 25.f)), std::optional<std::string>("Attack"));
  // The context's tooltip index past its list, or negative, gives "".
  G().RemoveAllControls();
  EXPECT_EQ(V().StringForToolTip(V(), 1, {}, nullptr), "");

  // Resizing registers the rectangles again.
  G().CloseWindow();
}

TEST_F(CanvasMac, MessageBoxButtonTables)
{
  Open();
  const struct
  {
    int type;
    std::vector<std::string> buttons; // as shown
    int press;
    int result;
  } table[] = {
      {0, {"OK"}, 0, 1},
      {1, {"OK", "Cancel"}, 0, 1},
      {1, {"OK", "Cancel"}, 1, 2},
      {2, {"OK"}, 0, 2}, // no buttons added: the alert's default one
      {3, {"Yes", "No", "Cancel"}, 0, 6},
      {3, {"Yes", "No", "Cancel"}, 1, 7},
      {3, {"Yes", "No", "Cancel"}, 2, 2},
      {4, {"Yes", "No"}, 0, 6},
      {4, {"Yes", "No"}, 1, 7},
      {5, {"Retry", "Cancel"}, 0, 4},
      {5, {"Retry", "Cancel"}, 1, 2},
      {9, {"OK"}, 0, 2},
  };
  for (const auto& row : table) {
    user.PressAlertButton(row.press);
    int completed = -1;
    EXPECT_EQ(G().ShowMessageBox("text", "caption", row.type, [&completed](int r) { completed = r; }),
              row.result)
        << row.type << " " << row.press;
    EXPECT_EQ(completed, row.result);
    EXPECT_EQ(user.Alerts().back().buttons, row.buttons) << row.type;
  }
  user.PressAlertButton(0);
  EXPECT_EQ(G().ShowMessageBox(nullptr, nullptr, 0), 1);
  EXPECT_EQ(user.Alerts().back().messageText, "");
  EXPECT_EQ(user.Alerts().back().informativeText, "");
}

TEST_F(CanvasMac, FilePanels)
{
  Open();
  const testsupport::TempFolder temp;
  const std::string dir = temp.Path() + "/";
  const std::string file = dir + "kelmo-panel.wav";
  {
    std::FILE* f = std::fopen(file.c_str(), "w");
    if (f) std::fclose(f);
  }

  // Open, two types, cancelled: fileName empties.
  StringBuf name("x.wav"), path(dir.c_str());
  G().PromptForFile(name, path, 0, "wav aif");
  ASSERT_EQ(user.Panels().size(), 1u);
  EXPECT_TRUE(user.Panels()[0].openPanel);
  EXPECT_EQ(user.Panels()[0].options.allowedFileTypes, (std::vector<std::string>{"wav", "aif"}));
  EXPECT_FALSE(user.Panels()[0].options.canChooseDirectories);
  EXPECT_TRUE(user.Panels()[0].options.floatingPanel);
  EXPECT_STREQ(name.Get(), "");

  // Open, chosen: the full path and its folder.
  user.ChooseInPanel({file});
  G().PromptForFile(name, path, 0, "wav");
  EXPECT_EQ(std::string(name.Get()), file);
  EXPECT_EQ(std::string(path.Get()), std::filesystem::path(file).parent_path().string() + "/");

  // Save with a name and a sheet: the completion gets the result, the caller's strings stay.
  StringBuf saveName("preset.json"), savePath(dir.c_str());
  std::string gotName = "unset";
  user.ChooseInPanel({dir + "new.json"});
  G().PromptForFile(saveName, savePath, 1, "",
                    [&gotName](const StringBuf& n, const StringBuf&) { gotName = n.Get(); });
  time.RunPending();
  EXPECT_EQ(user.Panels().back().options.nameFieldStringValue, "preset.json");
  EXPECT_FALSE(user.Panels().back().openPanel);
  EXPECT_TRUE(user.Panels().back().sheet);
  EXPECT_TRUE(user.Panels().back().options.allowedFileTypes.empty());
  EXPECT_EQ(gotName, dir + "new.json");
  EXPECT_STREQ(saveName.Get(), "");
}

TEST_F(CanvasMac, FolderPanel)
{
  Open();
  StringBuf dir;
  G().PromptForDirectory(dir);
  EXPECT_EQ(user.Panels().back().options.title, "Choose a Directory");
  EXPECT_TRUE(user.Panels().back().options.canChooseDirectories);
  EXPECT_FALSE(user.Panels().back().options.canChooseFiles);
  EXPECT_TRUE(user.Panels().back().options.canCreateDirectories);
  EXPECT_STREQ(dir.Get(), ""); // "~/Desktop" before the panel, "" after the cancel

  const testsupport::TempFolder temp;
  const std::string folder = temp.Path();
  user.ChooseInPanel({folder});
  std::string completed;
  G().PromptForDirectory(dir, [&completed](const StringBuf& n, const StringBuf& d) {
    completed = std::string(n.Get()) + "|" + d.Get();
  });
  time.RunPending();
  EXPECT_EQ(completed, "|" + folder + "/");
}

TEST_F(CanvasMac, ColourPanelReportsEachPick)
{
  Open();
  std::vector<IColor> picked;
  IColor start(255, 10, 20, 30);
  EXPECT_TRUE(G().PromptForColor(start, "ignored", [&picked](const IColor& c) { picked.push_back(c); }));
  sys::ColorPanel& panel = sys::ColorPanel::Shared();
  EXPECT_TRUE(panel.IsVisible());
  EXPECT_TRUE(panel.ShowsAlpha());
  EXPECT_NEAR(panel.GetColor().red, 10.0 / 255.0, 1e-9);
  EXPECT_TRUE(user.PickColor(sys::Color::DeviceRgb(1.0, 0.5, 0.0, 0.25)));
  EXPECT_TRUE(user.PickColor(sys::Color::DeviceRgb(0.0, 0.0, 1.0, 1.0)));
  ASSERT_EQ(picked.size(), 2u);
  EXPECT_EQ(picked[0], IColor(63, 255, 127, 0)); // truncated toward zero
  EXPECT_EQ(picked[1], IColor(255, 0, 0, 255));

  // An empty function is accepted and picks nothing.
  EXPECT_TRUE(G().PromptForColor(start, "", nullptr));
  EXPECT_TRUE(user.PickColor(sys::Color::DeviceRgb(0.0, 1.0, 0.0, 1.0)));
  EXPECT_EQ(picked.size(), 2u);
  // Closing the editor closes the panel and leaves it no action into the gone view.
  dlg.CloseWindow();
  EXPECT_FALSE(panel.IsVisible());
  EXPECT_FALSE(user.PickColor(sys::Color::DeviceRgb(0.0, 1.0, 0.0, 1.0)));
}

TEST_F(CanvasMac, ClipboardAndAddresses)
{
  Open();
  StringBuf text("old");
  EXPECT_FALSE(G().GetTextFromClipboard(text));
  EXPECT_STREQ(text.Get(), "");
  EXPECT_TRUE(G().SetTextInClipboard("Kelmo"));
  EXPECT_TRUE(G().GetTextFromClipboard(text));
  EXPECT_STREQ(text.Get(), "Kelmo");
  EXPECT_TRUE(G().SetFilePathInClipboard("/tmp/a b.wav"));
  EXPECT_FALSE(G().GetTextFromClipboard(text)); // cleared first
  EXPECT_EQ(sys::Pasteboard::General().PropertyListForType(sys::kPasteboardTypeFilenames),
            (std::vector<std::string>{"/tmp/a b.wav"}));
  EXPECT_FALSE(G().SetFilePathInClipboard(""));

  EXPECT_TRUE(G().OpenURL("https://example.com/a"));
  EXPECT_TRUE(G().OpenURL("feed:http://example.com")); // "http" anywhere: the web route
  EXPECT_EQ(sys::Workspace::Shared().OpenedUrls(),
            (std::vector<std::string>{"https://example.com/a", "feed:http://example.com"}));
  EXPECT_FALSE(G().OpenURL("see http://example.com")); // no address could be made: a failure
  EXPECT_FALSE(G().OpenURL(""));
  EXPECT_FALSE(G().OpenURL(nullptr));
  EXPECT_TRUE(G().OpenURL("/tmp"));
  sys::Workspace::Shared().SetOpensUrls(false);
  EXPECT_FALSE(G().OpenURL("https://example.com/b"));
}

TEST_F(CanvasMac, RevealPathInFileBrowser)
{
  Open();
  const testsupport::TempFolder temp;
  const std::string file = temp / "kelmo-reveal.txt";
  {
    std::FILE* f = std::fopen(file.c_str(), "w");
    if (f) std::fclose(f);
  }
  StringBuf path(file.c_str()), missing("/no/such/file"), empty;
  EXPECT_FALSE(G().RevealPathInFileBrowser(empty));
  EXPECT_FALSE(G().RevealPathInFileBrowser(missing, true));
  EXPECT_TRUE(G().RevealPathInFileBrowser(path, false));
  EXPECT_EQ(sys::Workspace::Shared().OpenedFiles().back(), file);
  EXPECT_TRUE(G().RevealPathInFileBrowser(path, true));
  EXPECT_EQ(sys::Workspace::Shared().SelectedFiles().back(), file);
}

TEST_F(CanvasMac, FileDragsStartOnlyWithinAnEvent)
{
  Open(200, 100, 2.f);
  EXPECT_FALSE(G().InitiateExternalFileDragDrop("/tmp/x.wav", IRECT(1.f, 2.f, 11.f, 12.f)));
  EXPECT_TRUE(user.DraggingSessions().empty());
  // From inside a press, as a control would start it.
  layout = nullptr;
  bool started = false;
  struct DragControl : ProbeControl
  {
    using ProbeControl::ProbeControl;
    void OnMouseDown(float, float, const IMouseMod&) override
    {
      *started = GetUI()->InitiateExternalFileDragDrop("/tmp/x.wav", IRECT(1.f, 2.f, 11.f, 12.f));
    }
    bool* started = nullptr;
  };
  auto* drag = new DragControl(IRECT(0.f, 0.f, 200.f, 100.f));
  drag->started = &started;
  G().AttachControl(drag);
  user.PressMouse(*window, At(5.f, 5.f));
  EXPECT_TRUE(started);
  ASSERT_EQ(user.DraggingSessions().size(), 1u);
  const auto& session = *user.DraggingSessions()[0];
  ASSERT_EQ(session.Items().size(), 1u);
  EXPECT_EQ(session.Items()[0].draggingFrame, sys::MakeRect(2.0, 4.0, 20.0, 20.0));
  EXPECT_EQ(session.Items()[0].pasteboardWriter.StringForType(sys::kPasteboardTypeFileUrl),
            std::optional<std::string>("file:///tmp/x.wav"));
  EXPECT_EQ(session.Items()[0].contents->GetSize(), (sys::Size{64.0, 64.0}));
  EXPECT_TRUE(session.AnimatesToStartingPositionsOnCancelOrFail());
  EXPECT_EQ(session.Formation(), sys::DraggingFormation::None);
  EXPECT_TRUE(G().CaptureIsEmpty());
}

TEST_F(CanvasMac, HostResizesAndScales)
{
  Open();
  G().Resize(400, 200, 1.f, true);
  EXPECT_EQ(V().Frame().size, (sys::Size{400.0, 200.0}));
  EXPECT_EQ(sys::AnimationContext::Current().Duration(), 0.0);
  EXPECT_EQ(sys::AnimationContext::GroupingDepth(), 0);
  // Zero and non-finite requests leave a usable editor.
  G().Resize(0, 0, 1.f, true);
  G().Resize(400, 200, std::numeric_limits<float>::quiet_NaN(), true);
  G().SetScreenScale(std::numeric_limits<float>::infinity());
  G().SetScreenScale(0.f);
  EXPECT_FLOAT_EQ(G().GetScreenScale(), 1.f);
  time.AdvanceMs(50.0);
  EXPECT_GT(probe->draws, 0);
}

TEST_F(CanvasMac, DarkModeFollowsTheAppearance)
{
  Open();
  int appearance = -1;
  G().SetAppearanceChangedFunc([&appearance](int a) { appearance = a; });
  EXPECT_FALSE(G().IsDarkMode());
  window->SetAppearanceName(sys::kAppearanceNameDarkAqua);
  EXPECT_TRUE(G().IsDarkMode());
  EXPECT_EQ(appearance, 1);
  sys::SetOperatingSystemVersion({10, 13, 0});
  EXPECT_FALSE(G().IsDarkMode());
}

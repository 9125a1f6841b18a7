#include "AppKitTestSupport.h"

#include "platform/mac/system/Application.h"
#include "platform/mac/system/Pasteboard.h"
#include "platform/mac/system/Workspace.h"

#include <filesystem>

namespace plugin::sys {
namespace {

using ServicesTest = test::AppKitTest;
using Strings = std::vector<std::string>;

TEST_F(ServicesTest, TheClipboardKeepsTextAndFileAddresses)
{
  Pasteboard& board = Pasteboard::General();
  EXPECT_FALSE(board.StringForType(kPasteboardTypeString));
  EXPECT_EQ(board.ClearContents(), 1);
  EXPECT_TRUE(board.SetString("gain \xe2\x80\x93 3 dB", kPasteboardTypeString));
  EXPECT_EQ(board.StringForType(kPasteboardTypeString), "gain \xe2\x80\x93 3 dB");
  EXPECT_FALSE(board.SetString("/a", kPasteboardTypeFilenames)); // a derived type is never stored
  EXPECT_FALSE(board.PropertyListForType(kPasteboardTypeFilenames));

  board.ClearContents();
  EXPECT_FALSE(board.WriteObjects({}));
  EXPECT_TRUE(board.WriteObjects({*Url::FileUrlWithPath("/p/a b.wav"), *Url::WithString("https://x.org"),
                                  *Url::FileUrlWithPath("/p/c.wav")}));
  EXPECT_EQ(board.PropertyListForType(kPasteboardTypeFilenames), (Strings{"/p/a b.wav", "/p/c.wav"}));
  EXPECT_EQ(board.Types(), (Strings{std::string(kPasteboardTypeFileUrl), std::string(kPasteboardTypeUrl),
                                    std::string(kPasteboardTypeFilenames)}));
  EXPECT_EQ(board.StringForType(kPasteboardTypeFileUrl), "file:///p/a%20b.wav");
  EXPECT_FALSE(board.StringForType(kPasteboardTypeString));
  EXPECT_FALSE(board.PropertyListForType(kPasteboardTypeString));
}

TEST_F(ServicesTest, TheWorkspaceReportsWhatItCouldNotOpen)
{
  Workspace& ws = Workspace::Shared();
  const std::string tmp = std::filesystem::temp_directory_path().string();
  EXPECT_TRUE(ws.OpenUrl(*Url::WithString("https://example.org")));
  ws.SetOpensUrls(false);
  EXPECT_FALSE(ws.OpenUrl(*Url::WithString("https://example.org/2")));
  EXPECT_FALSE(ws.OpenFile(tmp + "/no-such-file-here"));
  EXPECT_FALSE(ws.SelectFile(tmp, "/no-such-root"));
  EXPECT_TRUE(ws.SelectFile(tmp, ""));
  EXPECT_EQ(ws.OpenedUrls(), (Strings{"https://example.org"}));
}

// A drop target registered for file names that logs what it is told.
class DropView : public View, public DraggingSource, public ToolTipOwner
{
public:
  DropView(Rect frame, unsigned long accept) : View(frame), mAccept(accept)
  {
    RegisterForDraggedTypes({std::string(kPasteboardTypeFilenames)});
  }
  bool IsFlipped() const override { return true; }
  unsigned long DraggingEntered(const DraggingInfo&) override { return mAccept; }
  bool PerformDragOperation(const DraggingInfo& info) override
  {
    dropped.push_back(info.pasteboard->PropertyListForType(kPasteboardTypeFilenames).value_or(Strings{}));
    at = ConvertPointFromView(info.draggingLocation, nullptr);
    return true;
  }
  unsigned long SourceOperationMask(DraggingSession&, DraggingContext context) override
  {
    return context == DraggingContext::OutsideApplication ? kDragOperationCopy : kDragOperationNone;
  }
  std::string StringForToolTip(View& view, long tag, Point point, void* userData) override
  {
    return "tip " + std::to_string(tag) + (&view == this ? " here" : " elsewhere") + " " +
           std::to_string(int(point.x)) + "," + std::to_string(int(point.y)) + (userData ? " data" : "");
  }
  std::vector<Strings> dropped;
  Point at;

private:
  unsigned long mAccept;
};

TEST_F(ServicesTest, FilesDroppedOnAViewArriveInOrderAndOnlyWhereTheyAreTaken)
{
  auto window = Window::Create(MakeRect(0, 0, 300, 200));
  auto target = std::make_shared<DropView>(MakeRect(0, 0, 100, 100), kDragOperationGeneric);
  auto child = std::make_shared<View>(MakeRect(10, 10, 20, 20)); // not registered: its parent takes drops
  auto refusing = std::make_shared<DropView>(MakeRect(150, 0, 100, 100), kDragOperationNone);
  window->ContentView()->AddSubview(target);
  target->AddSubview(child);
  window->ContentView()->AddSubview(refusing);

  EXPECT_TRUE(user.DropFiles(*window, {"/a/one.wav", "/b/two.wav"}, {15, 80}));
  EXPECT_TRUE(user.DropFiles(*window, {"/c/three.wav"}, {50, 50}));
  EXPECT_EQ(target->dropped, (std::vector<Strings>{{"/a/one.wav", "/b/two.wav"}, {"/c/three.wav"}}));
  EXPECT_EQ(target->at, (Point{50, 50})); // flipped: y counted from the top

  EXPECT_FALSE(user.DropFiles(*window, {}, {50, 50}));           // no files: no file names on the board
  EXPECT_FALSE(user.DropFiles(*window, {"/d.wav"}, {200, 50}));  // refused
  EXPECT_FALSE(user.DropFiles(*window, {"/d.wav"}, {280, 150})); // nobody registered there
  auto text = Pasteboard::Create();
  text->SetString("words", kPasteboardTypeString);
  EXPECT_FALSE(user.Drop(*window, text, {50, 50}));
  EXPECT_FALSE(user.Drop(*window, nullptr, {50, 50}));
  EXPECT_EQ(target->dropped.size(), 2u);
  EXPECT_TRUE(refusing->dropped.empty());
}

TEST_F(ServicesTest, DragSessionsStartOnlyWithAnEventAndItems)
{
  auto window = Window::Create(MakeRect(0, 0, 300, 200));
  auto source = std::make_shared<DropView>(MakeRect(0, 0, 100, 100), kDragOperationNone);
  window->ContentView()->AddSubview(source);
  PasteboardItem item;
  item.SetString(Url::FileUrlWithPath("/p/x.fxp")->AbsoluteString(), kPasteboardTypeFileUrl);
  const DraggingItem dragged{item, MakeRect(1, 2, 64, 64), Workspace::Shared().IconForFile("/p/x.fxp")};
  Event press;
  EXPECT_FALSE(source->BeginDraggingSession({dragged}, nullptr, *source));
  EXPECT_FALSE(source->BeginDraggingSession({}, &press, *source));
  const auto session = source->BeginDraggingSession({dragged}, &press, *source);
  ASSERT_TRUE(session);
  ASSERT_EQ(user.DraggingSessions().size(), 1u);
  const DraggingSession& seen = *user.DraggingSessions()[0];
  EXPECT_EQ(seen.Items()[0].pasteboardWriter.StringForType(kPasteboardTypeFileUrl), "file:///p/x.fxp");
}

TEST_F(ServicesTest, TooltipsComeFromTheInnermostRectangleUnderTheMouse)
{
  auto window = Window::Create(MakeRect(0, 0, 300, 200));
  auto view = std::make_shared<DropView>(MakeRect(0, 100, 200, 100), kDragOperationNone);
  window->ContentView()->AddSubview(view);
  int data = 0;
  EXPECT_EQ(view->AddToolTipRect(MakeRect(0, 0, 100, 50), view.get(), nullptr), 1);
  EXPECT_EQ(view->AddToolTipRect(MakeRect(10, 10, 20, 20), view.get(), &data), 2);
  EXPECT_EQ(view->AddToolTipRect(MakeRect(0, 0, 1, 1), nullptr, nullptr), 0); // no owner: no tip
  const std::pair<Point, const char*> cases[] = {
      {{50, 190}, "tip 1 here 50,10"},      // window y 190 is 10 from the flipped view's top
      {{15, 180}, "tip 2 here 15,20 data"}, // the later, inner rectangle wins
      {{150, 190}, nullptr},
      {{50, 50}, nullptr},
  };
  for (const auto& [p, tip] : cases) {
    EXPECT_EQ(user.HoverToolTip(*window, p).value_or("(none)"), tip ? tip : "(none)") << p.x << "," << p.y;
  }
  view->RemoveAllToolTips();
  EXPECT_FALSE(user.HoverToolTip(*window, {50, 190}));
}

} // namespace
} // namespace plugin::sys

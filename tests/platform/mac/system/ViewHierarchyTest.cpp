#include "AppKitTestSupport.h"

#include "platform/mac/system/NotificationCenter.h"
#include "platform/mac/system/Screen.h"

namespace plugin::sys {
namespace {

using test::LogView;
using ViewHierarchyTest = test::AppKitTest;

// A host window at (100, 200) on the screen, 400 x 300, with a flipped editor view at (10, 20)
// of 200 x 100 inside its plain content view, and a plain child in the editor at (50, 10).
struct Host
{
  WindowRef window = Window::Create(MakeRect(100, 200, 400, 300));
  std::shared_ptr<LogView> editor = std::make_shared<LogView>(MakeRect(10, 20, 200, 100), true);
  std::shared_ptr<LogView> child = std::make_shared<LogView>(MakeRect(50, 10, 40, 30));

  Host()
  {
    window->ContentView()->AddSubview(editor);
    editor->AddSubview(child);
  }
};

TEST_F(ViewHierarchyTest, PointsConvertThroughFlippedAndPlainViews)
{
  Host host;
  const struct
  {
    const View* view;
    Point local, window;
  } cases[] = {
      {host.editor.get(), {0, 0}, {10, 120}}, // a flipped view's origin is its top left
      {host.editor.get(), {200, 100}, {210, 20}}, {host.editor.get(), {30, 25}, {40, 95}},
      {host.child.get(), {0, 0}, {60, 80}}, // a plain child of a flipped view: its bottom left
      {host.child.get(), {5, 30}, {65, 110}},     {host.window->ContentView().get(), {7, 8}, {7, 8}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.view->ConvertPointToView(c.local, nullptr), c.window) << c.local.x << "," << c.local.y;
    EXPECT_EQ(c.view->ConvertPointFromView(c.window, nullptr), c.local);
  }
  EXPECT_EQ(host.child->ConvertPointToView({0, 0}, host.editor.get()), (Point{50, 40}));
  EXPECT_EQ(host.window->ConvertRectToScreen(MakeRect(10, 120, 0, 0)).origin, (Point{110, 320}));
  EXPECT_EQ(host.window->ConvertRectFromScreen(MakeRect(110, 320, 1, 1)), MakeRect(10, 120, 1, 1));
}

TEST_F(ViewHierarchyTest, HitTestingUsesHalfOpenEdgesAndSkipsHiddenViews)
{
  Host host;
  View* content = host.window->ContentView().get();
  const std::pair<Point, const View*> cases[] = {
      {{60, 90}, host.child.get()},
      {{100, 90}, host.editor.get()}, // the child's right edge is outside
      {{60, 110}, host.editor.get()},
      {{60, 109.9}, host.child.get()}, // its top edge too
      {{10, 120}, host.editor.get()},
      {{9.9, 120}, content}, // the flipped view's top edge is inside
      {{10, 20}, content},
      {{-1, 0}, nullptr},
  };
  for (const auto& [p, hit] : cases)
    EXPECT_EQ(content->HitTest(p), hit) << p.x << "," << p.y;
  host.child->SetHidden(true);
  EXPECT_EQ(content->HitTest({60, 90}), host.editor.get());
}

TEST_F(ViewHierarchyTest, MovingInAndOutOfAWindowTellsTheWholeSubtree)
{
  Host host;
  EXPECT_EQ(host.editor->Take(), (std::vector<std::string>{"window", "scale", "areas"}));
  EXPECT_EQ(host.child->Take(), (std::vector<std::string>{"window", "scale", "areas"}));
  EXPECT_EQ(host.child->GetWindow(), host.window.get());
  EXPECT_EQ(host.editor->NextResponder(), host.window->ContentView().get());
  EXPECT_EQ(host.window->ContentView()->NextResponder(), host.window.get());

  host.editor->RemoveFromSuperview();
  EXPECT_EQ(host.child->Take(), (std::vector<std::string>{"nowindow"}));
  EXPECT_EQ(host.editor->GetWindow(), nullptr);
  host.editor->RemoveFromSuperview(); // a second removal does nothing
  EXPECT_TRUE(host.editor->Take().size() == 1);

  // Adding a view elsewhere takes it from its old superview; adding an ancestor is refused.
  auto other = std::make_shared<View>();
  host.window->ContentView()->AddSubview(host.child);
  other->AddSubview(host.child);
  EXPECT_EQ(host.child->Superview(), other.get());
  EXPECT_TRUE(host.window->ContentView()->Subviews().empty());
  host.child->AddSubview(other);
  EXPECT_TRUE(host.child->Subviews().empty());
}

// A view whose removal closes whoever holds it, as an editor view does when the host removes it.
class SelfClosingView : public View
{
public:
  using View::View;
  void RemoveFromSuperview() override
  {
    if (onRemove) onRemove();
    View::RemoveFromSuperview(); // last: the view may be gone once it returns
  }
  std::function<void()> onRemove;
};

TEST_F(ViewHierarchyTest, RemovalKeepsTheViewAliveUntilTheCallReturns)
{
  auto window = Window::Create(MakeRect(0, 0, 100, 100));
  auto view = std::make_shared<SelfClosingView>(MakeRect(0, 0, 10, 10));
  std::weak_ptr<View> watch = view;
  window->ContentView()->AddSubview(view);
  SelfClosingView* raw = view.get();
  raw->onRemove = [&view] { view.reset(); }; // the owner lets go during the removal
  raw->RemoveFromSuperview();                // the superview's reference is the last; the base holds on to it
  EXPECT_TRUE(watch.expired());
  EXPECT_TRUE(window->ContentView()->Subviews().empty());
}

TEST_F(ViewHierarchyTest, FrameChangesNotifyAndRefuseNonFiniteValues)
{
  Host host;
  host.editor->Take();
  int notified = 0;
  NotificationCenter::Default().AddObserver(this, kViewFrameDidChangeNotification, host.editor.get(),
                                            [&] { ++notified; });
  host.editor->SetFrameSize({300, 150});
  host.editor->SetFrameSize({300, 150}); // unchanged: no notice
  host.editor->SetFrame(MakeRect(0, 0, std::nan(""), 1));
  host.editor->SetFrameSize({-5, 10});
  EXPECT_EQ(notified, 2);
  EXPECT_EQ(host.editor->Frame(), MakeRect(10, 20, 0, 10));
  EXPECT_EQ(host.editor->Take(), (std::vector<std::string>{"areas", "areas"}));
  NotificationCenter::Default().RemoveObserver(this);
  host.editor->SetFrameSize({1, 1});
  EXPECT_EQ(notified, 2);
}

TEST_F(ViewHierarchyTest, ScaleAndAppearanceChangesReachEveryView)
{
  Host host;
  host.editor->Take();
  host.child->Take();
  Screen::Main().SetBackingScaleFactor(2.0);
  Screen::Main().SetBackingScaleFactor(2.0);          // no change
  Screen::Main().SetBackingScaleFactor(std::nan("")); // refused
  Screen::Main().SetBackingScaleFactor(0.0);
  EXPECT_EQ(host.window->BackingScaleFactor(), 2.0);
  host.window->SetAppearanceName(kAppearanceNameDarkAqua);
  EXPECT_EQ(host.child->Take(), (std::vector<std::string>{"scale", "appearance"}));
  EXPECT_EQ(host.editor->EffectiveAppearanceName(), kAppearanceNameDarkAqua);
  host.editor->RemoveFromSuperview();
  EXPECT_EQ(host.editor->EffectiveAppearanceName(), kAppearanceNameAqua);
}

TEST(NotificationCenter, ObserversRemovedDuringAPostAreNotCalledAfterwards)
{
  NotificationCenter center;
  std::vector<int> calls;
  int a = 0, b = 0, object = 0;
  center.AddObserver(&a, "n", &object, [&] {
    calls.push_back(1);
    center.RemoveObserver(&b);
  });
  center.AddObserver(&b, "n", nullptr, [&] { calls.push_back(2); });
  center.AddObserver(&a, "n", &object, [&] { calls.push_back(3); }); // twice: called twice
  center.AddObserver(&b, "other", nullptr, [&] { calls.push_back(4); });
  center.Post("n", &object);
  center.Post("n", &b); // another object: only observers of any object
  EXPECT_EQ(calls, (std::vector<int>{1, 3}));
  center.AddObserver(nullptr, "n", nullptr, [&] { calls.push_back(5); }); // no observer: ignored
  center.AddObserver(&a, "n", nullptr, {});                               // no handler: ignored
  calls.clear();
  center.Post("n", &b);
  EXPECT_TRUE(calls.empty());
}

} // namespace
} // namespace plugin::sys

#include "platform/mac/system/Window.h"

#include "platform/mac/system/Application.h"
#include "platform/mac/system/Display.h"
#include "platform/mac/system/Screen.h"

#include <algorithm>

namespace plugin::sys {

namespace {

std::vector<Window*>& LiveWindows()
{
  static std::vector<Window*> windows;
  return windows;
}

constexpr unsigned kLeftButton = 1, kRightButton = 2;

bool IsMouseEvent(EventType type) noexcept
{
  return type != EventType::KeyDown && type != EventType::KeyUp;
}

} // namespace

Window::Window(Rect contentRect) : mFrame(contentRect), mContentView(std::make_shared<View>())
{
  mContentView->SetFrame(Rect{{}, contentRect.size});
  mContentView->SetWindowQuietly(this);
  LiveWindows().push_back(this);
}

Window::~Window()
{
  std::erase(LiveWindows(), this);
  // Views that outlive the window simply have none any more.
  mContentView->SetWindowQuietly(nullptr);
}

void Window::SetContentView(ViewRef view)
{
  if (!view || view == mContentView) return;
  view->RemoveFromSuperview();
  ViewWillLeave(*mContentView);
  mContentView->MoveToWindow(nullptr);
  mContentView = std::move(view);
  mContentView->SetFrame(Rect{{}, mFrame.size});
  mContentView->MoveToWindow(this);
}

double Window::BackingScaleFactor() const noexcept
{
  return Screen::Main().BackingScaleFactor();
}

Rect Window::ConvertRectFromScreen(Rect rect) const noexcept
{
  return Rect{{rect.origin.x - mFrame.origin.x, rect.origin.y - mFrame.origin.y}, rect.size};
}

Rect Window::ConvertRectToScreen(Rect rect) const noexcept
{
  return Rect{{rect.origin.x + mFrame.origin.x, rect.origin.y + mFrame.origin.y}, rect.size};
}

Point Window::MouseLocationInWindow() const noexcept
{
  return ConvertRectFromScreen(Rect{MouseLocation(), {}}).origin;
}

bool Window::MakeFirstResponder(Responder* responder)
{
  if (!responder) responder = this;
  if (responder == mFirstResponder) return true;
  if (auto* view = dynamic_cast<View*>(responder); view && view->GetWindow() != this) return false;
  if (responder != this && !responder->AcceptsFirstResponder()) return false;
  if (!mFirstResponder->ResignFirstResponder()) return false;
  // The resigning responder may have handed over already (a text field closing itself).
  mFirstResponder = responder;
  if (!responder->BecomeFirstResponder()) mFirstResponder = this;
  return mFirstResponder == responder;
}

void Window::MakeKeyAndOrderFront()
{
  for (Window* w : LiveWindows())
    w->mKey = false;
  mKey = true;
}

void Window::SetAppearanceName(std::string name)
{
  if (name == mAppearance) return;
  mAppearance = std::move(name);
  for (const ViewRef& v : AllViews())
    v->ViewDidChangeEffectiveAppearance();
}

std::vector<ViewRef> Window::AllViews() const
{
  std::vector<ViewRef> views{mContentView};
  for (std::size_t i = 0; i < views.size(); ++i)
    views.insert(views.end(), views[i]->Subviews().begin(), views[i]->Subviews().end());
  return views;
}

View* Window::HitView(Point pointInWindow) const
{
  return mContentView->HitTest(pointInWindow);
}

void Window::ViewWillLeave(View& view)
{
  if (auto* first = dynamic_cast<View*>(mFirstResponder); first && first->IsDescendantOf(&view)) {
    // Leaving is not refused: the responder resigns and the window takes over either way.
    Responder* leaving = mFirstResponder;
    mFirstResponder = this;
    leaving->ResignFirstResponder();
  }
  if (const auto pressed = mPressView.lock(); pressed && pressed->IsDescendantOf(&view)) mPressView.reset();
}

void Window::ScreenBackingScaleChanged()
{
  const std::vector<Window*> windows = LiveWindows();
  for (Window* w : windows)
    for (const ViewRef& v : w->AllViews())
      v->ViewDidChangeBackingProperties();
}

void Window::UpdateTracking(const Event& event)
{
  struct Due
  {
    ViewRef view;
    TrackingAreaRef area;
  };
  std::vector<Due> areas;
  for (const ViewRef& v : AllViews()) {
    bool visible = true;
    for (const View* a = v.get(); a; a = a->Superview())
      visible = visible && !a->IsHidden();
    if (!visible) continue;
    for (const TrackingAreaRef& area : v->TrackingAreas())
      areas.push_back(Due{v, area});
  }
  for (const auto& [view, area] : areas) {
    const unsigned options = area->Options();
    const bool active = options & kTrackingActiveAlways;
    if (!active || (mButtonsDown && !(options & kTrackingEnabledDuringMouseDrag))) continue;
    const Rect rect = area->GetRect();
    const bool inside = rect.Contains(view->ConvertPointFromView(event.locationInWindow, nullptr));
    Responder* owner = area->Owner();
    if (inside != area->MouseInside()) {
      area->SetMouseInside(inside);
      if ((options & kTrackingMouseEnteredAndExited) && owner) {
        Event crossing = event;
        crossing.type = inside ? EventType::MouseEntered : EventType::MouseExited;
        crossing.trackingArea = area.get();
        const CurrentEventScope scope(crossing);
        inside ? owner->MouseEntered(crossing) : owner->MouseExited(crossing);
      }
    }
  }
}

void Window::SendEvent(Event event)
{
  event.window = this;
  if (IsMouseEvent(event.type))
    SetMouseLocation(ConvertRectToScreen(Rect{event.locationInWindow, {}}).origin);
  const CurrentEventScope scope(event);
  const auto viewAt = [this](Point p) -> ViewRef {
    View* hit = HitView(p);
    return hit ? hit->shared_from_this() : nullptr;
  };
  switch (event.type) {
  case EventType::LeftMouseDown:
  case EventType::RightMouseDown: {
    const bool left = event.type == EventType::LeftMouseDown;
    const ViewRef hit = viewAt(event.locationInWindow);
    bool deliver = hit != nullptr;
    if (!mKey) {
      MakeKeyAndOrderFront();
      deliver = deliver && hit->AcceptsFirstMouse(&event);
    }
    mButtonsDown |= left ? kLeftButton : kRightButton;
    // A press the view never got brings it no drags or release either.
    mPressView = deliver ? hit : nullptr;
    if (!deliver) break;
    if (hit.get() != mFirstResponder && hit->AcceptsFirstResponder()) MakeFirstResponder(hit.get());
    left ? hit->MouseDown(event) : hit->RightMouseDown(event);
    break;
  }
  case EventType::LeftMouseDragged:
  case EventType::RightMouseDragged: {
    UpdateTracking(event);
    if (const ViewRef target = mPressView.lock())
      event.type == EventType::LeftMouseDragged ? target->MouseDragged(event)
                                                : target->RightMouseDragged(event);
    break;
  }
  case EventType::LeftMouseUp:
  case EventType::RightMouseUp: {
    const bool left = event.type == EventType::LeftMouseUp;
    mButtonsDown &= ~(left ? kLeftButton : kRightButton);
    const ViewRef target = mPressView.lock();
    if (!mButtonsDown) mPressView.reset();
    if (target) left ? target->MouseUp(event) : target->RightMouseUp(event);
    // Crossings held back during the drag are reported now.
    UpdateTracking(event);
    break;
  }
  case EventType::MouseMoved:
    UpdateTracking(event);
    if (mAcceptsMouseMoved) mFirstResponder->MouseMoved(event);
    break;
  case EventType::ScrollWheel:
    if (const ViewRef hit = viewAt(event.locationInWindow)) hit->ScrollWheel(event);
    break;
  case EventType::KeyDown:
    mFirstResponder->KeyDown(event);
    break;
  case EventType::KeyUp:
    mFirstResponder->KeyUp(event);
    break;
  case EventType::MouseEntered:
  case EventType::MouseExited:
    if (event.trackingArea && event.trackingArea->Owner()) {
      Responder* owner = event.trackingArea->Owner();
      event.type == EventType::MouseEntered ? owner->MouseEntered(event) : owner->MouseExited(event);
    }
    break;
  }
}

bool Window::DeliverDrop(const DraggingInfo& info)
{
  if (!info.pasteboard) return false;
  const std::vector<std::string> types = info.pasteboard->Types();
  View* hit = HitView(info.draggingLocation);
  for (View* v = hit; v; v = v->Superview()) {
    const auto& wanted = v->RegisteredDraggedTypes();
    const bool takes = std::any_of(wanted.begin(), wanted.end(), [&types](const std::string& t) {
      return std::find(types.begin(), types.end(), t) != types.end();
    });
    if (!takes) continue;
    const ViewRef keepAlive = v->shared_from_this();
    if (v->DraggingEntered(info) == kDragOperationNone) return false;
    return v->PerformDragOperation(info);
  }
  return false;
}

std::optional<std::string> Window::ToolTipAt(Point point)
{
  View* hit = HitView(point);
  for (View* v = hit; v; v = v->Superview()) {
    const Point local = v->ConvertPointFromView(point, nullptr);
    const auto& tips = v->ToolTips();
    for (auto it = tips.rbegin(); it != tips.rend(); ++it)
      if (it->rect.Contains(local)) {
        const ViewRef keepAlive = v->shared_from_this();
        return it->owner->StringForToolTip(*v, it->tag, local, it->userData);
      }
  }
  return std::nullopt;
}

} // namespace plugin::sys

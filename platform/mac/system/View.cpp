#include "platform/mac/system/View.h"

#include "platform/mac/system/Display.h"
#include "platform/mac/system/NotificationCenter.h"
#include "platform/mac/system/ScriptedUser.h"
#include "platform/mac/system/Window.h"

#include <algorithm>
#include <cmath>

namespace plugin::sys {

namespace {

bool IsFinite(Rect r) noexcept
{
  return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
         std::isfinite(r.size.height);
}

} // namespace

View::View(Rect frame)
{
  if (IsFinite(frame))
    mFrame = Rect{frame.origin, {std::max(0.0, frame.size.width), std::max(0.0, frame.size.height)}};
}

View::~View()
{
  NotificationCenter::Default().RemoveObserver(this);
  for (const auto& sub : mSubviews) {
    sub->mSuperview = nullptr;
    sub->SetWindowQuietly(nullptr);
  }
}

void View::SetFrame(Rect frame)
{
  if (!IsFinite(frame)) return;
  frame.size = {std::max(0.0, frame.size.width), std::max(0.0, frame.size.height)};
  if (frame == mFrame) return;
  mFrame = frame;
  NotificationCenter::Default().Post(kViewFrameDidChangeNotification, this);
  if (mWindow) UpdateTrackingAreas();
}

bool View::AcceptsFirstMouse(const Event*)
{
  return false;
}

void View::AddSubview(std::shared_ptr<View> view)
{
  if (!view || IsDescendantOf(view.get())) return;
  if (view->mSuperview) view->RemoveFromSuperview();
  view->mSuperview = this;
  mSubviews.push_back(view);
  view->MoveToWindow(mWindow);
}

void View::RemoveFromSuperview()
{
  if (!mSuperview) return;
  const std::shared_ptr<View> keepAlive = shared_from_this();
  if (mWindow) mWindow->ViewWillLeave(*this);
  // A first responder told that it leaves may have removed this view already.
  if (!mSuperview) return;
  std::erase(mSuperview->mSubviews, keepAlive);
  mSuperview = nullptr;
  MoveToWindow(nullptr);
}

bool View::IsDescendantOf(const View* ancestor) const noexcept
{
  for (const View* v = this; v; v = v->mSuperview)
    if (v == ancestor) return true;
  return false;
}

Responder* View::NextResponder() const noexcept
{
  if (mSuperview) return mSuperview;
  return mWindow;
}

void View::SetWindowQuietly(Window* window) noexcept
{
  mWindow = window;
  for (const auto& sub : mSubviews)
    sub->SetWindowQuietly(window);
}

void View::MoveToWindow(Window* window)
{
  if (window == mWindow) return;
  SetWindowQuietly(window);
  // Tell the whole subtree once the hierarchy is settled; handlers may change it, so walk a copy.
  std::vector<std::shared_ptr<View>> moved{shared_from_this()};
  for (std::size_t i = 0; i < moved.size(); ++i)
    moved.insert(moved.end(), moved[i]->mSubviews.begin(), moved[i]->mSubviews.end());
  for (const auto& v : moved) {
    v->ViewDidMoveToWindow();
    if (!v->mWindow) continue;
    // A view entering a window takes on its backing store, so its backing properties change.
    v->ViewDidChangeBackingProperties();
    if (v->mWindow) v->UpdateTrackingAreas();
  }
}

Point View::ToSuperview(Point p) const noexcept
{
  const bool superFlipped = mSuperview && mSuperview->IsFlipped();
  const double y = IsFlipped() == superFlipped ? p.y : mFrame.size.height - p.y;
  return {mFrame.origin.x + p.x, mFrame.origin.y + y};
}

Point View::FromSuperview(Point p) const noexcept
{
  const bool superFlipped = mSuperview && mSuperview->IsFlipped();
  const double y = p.y - mFrame.origin.y;
  return {p.x - mFrame.origin.x, IsFlipped() == superFlipped ? y : mFrame.size.height - y};
}

Point View::ConvertPointToView(Point point, const View* to) const
{
  Point outer = point;
  for (const View* v = this; v; v = v->mSuperview)
    outer = v->ToSuperview(outer);
  return to ? to->ConvertPointFromView(outer, nullptr) : outer;
}

Point View::ConvertPointFromView(Point point, const View* from) const
{
  const Point outer = from ? from->ConvertPointToView(point, nullptr) : point;
  std::vector<const View*> chain;
  for (const View* v = this; v; v = v->mSuperview)
    chain.push_back(v);
  Point p = outer;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    p = (*it)->FromSuperview(p);
  return p;
}

View* View::HitTest(Point pointInSuperview)
{
  if (mHidden) return nullptr;
  const Point local = FromSuperview(pointInSuperview);
  if (!Bounds().Contains(local)) return nullptr;
  for (auto it = mSubviews.rbegin(); it != mSubviews.rend(); ++it)
    if (View* hit = (*it)->HitTest(local)) return hit;
  return this;
}

void View::RefreshTrackingAreaState(TrackingArea& area) const
{
  if (!mWindow) return;
  area.SetMouseInside(
      area.GetRect().Contains(ConvertPointFromView(mWindow->MouseLocationInWindow(), nullptr)));
}

void View::AddTrackingArea(TrackingAreaRef area)
{
  if (!area) return;
  // A new area starts from where the mouse is now, so that it reports only later crossings.
  RefreshTrackingAreaState(*area);
  mTrackingAreas.push_back(std::move(area));
}

void View::RemoveTrackingArea(const TrackingArea* area)
{
  std::erase_if(mTrackingAreas, [area](const TrackingAreaRef& a) { return a.get() == area; });
}

long View::AddToolTipRect(Rect rect, ToolTipOwner* owner, void* userData)
{
  if (!owner || !IsFinite(rect)) return 0;
  mToolTips.push_back(ToolTip{mNextToolTipTag, rect, owner, userData});
  return mNextToolTipTag++;
}

unsigned long View::DraggingEntered(const DraggingInfo&)
{
  return kDragOperationNone;
}

bool View::PerformDragOperation(const DraggingInfo&)
{
  return false;
}

DraggingSessionRef View::BeginDraggingSession(std::vector<DraggingItem> items, const Event* event,
                                              DraggingSource&)
{
  if (!event || items.empty()) return nullptr;
  auto session = std::make_shared<DraggingSession>(std::move(items));
  ScriptedUser::Shared().RecordDraggingSession(session);
  return session;
}

std::string View::EffectiveAppearanceName() const
{
  return mWindow ? mWindow->AppearanceName() : std::string(kAppearanceNameAqua);
}

} // namespace plugin::sys

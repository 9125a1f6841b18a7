#pragma once

#include "platform/mac/system/Dragging.h"
#include "platform/mac/system/View.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// A window on the screen: a content view, a first responder, key status, an appearance, and the
// delivery of the person's events to its views. Window coordinates start at the bottom left of
// the content; the window's frame is in screen points. Main thread only.
namespace plugin::sys {

inline constexpr const char* kAppearanceNameAqua = "aqua";
inline constexpr const char* kAppearanceNameDarkAqua = "aqua.dark";

class Window : public Responder
{
public:
  // A window whose content covers contentRect on the screen, with a plain content view.
  explicit Window(Rect contentRect);
  static std::shared_ptr<Window> Create(Rect contentRect) { return std::make_shared<Window>(contentRect); }
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  Rect Frame() const noexcept { return mFrame; }
  const ViewRef& ContentView() const noexcept { return mContentView; }
  // Replaces the content view (a null view is ignored); it is sized to the content.
  void SetContentView(ViewRef view);

  // The main screen's backing scale.
  double BackingScaleFactor() const noexcept;
  Rect ConvertRectFromScreen(Rect rect) const noexcept;
  Rect ConvertRectToScreen(Rect rect) const noexcept;
  // The mouse location in this window's coordinates.
  Point MouseLocationInWindow() const noexcept;

  // Makes responder (null: the window) the first responder after the current one resigns; false
  // when the current one refuses, the new one does not accept, or it is a view of another window.
  bool MakeFirstResponder(Responder* responder);
  Responder* FirstResponder() const noexcept { return mFirstResponder; }

  // Key status: one window at a time is key; clicks in another window make it key.
  void MakeKeyAndOrderFront();

  // With this set, mouse moves without a button go to the first responder.
  void SetAcceptsMouseMovedEvents(bool accepts) noexcept { mAcceptsMouseMoved = accepts; }
  bool AcceptsMouseMovedEvents() const noexcept { return mAcceptsMouseMoved; }

  // The appearance of every view of the window; a change is reported to each of them.
  const std::string& AppearanceName() const noexcept { return mAppearance; }
  void SetAppearanceName(std::string name);

  // Delivers an event as the window server does (the window must outlive the call): presses to the view under
  // the mouse (which may become first responder), drags and releases to the view that took the press, moves
  // to the first responder, the wheel to the view under the mouse, keys to the first responder; tracking
  // areas are told of crossings. Sets the mouse location and the current event.
  void SendEvent(Event event);

  // A drag over the window at info.draggingLocation: the view under it that registered one of
  // the pasteboard's types (or its nearest such ancestor) is asked to accept and then to take
  // the drop. True when it took it.
  bool DeliverDrop(const DraggingInfo& info);

  // The tooltip text at point (window coordinates): the owner's answer for the innermost
  // rectangle there, searching from the view under the point outward; none without a rectangle.
  std::optional<std::string> ToolTipAt(Point point);

  // Keys no responder handled (what the host's own window would get).
  const std::vector<Event>& UnhandledKeyEvents() const noexcept { return mUnhandledKeys; }
  void KeyDown(const Event& event) override { mUnhandledKeys.push_back(event); }
  void KeyUp(const Event& event) override { mUnhandledKeys.push_back(event); }

  // Called by View when view and its subviews leave this window: a first responder among them
  // hands over to the window, and a press they took is forgotten.
  void ViewWillLeave(View& view);

  // Called by Screen: every view of every window hears of the new backing scale.
  static void ScreenBackingScaleChanged();

private:
  std::vector<ViewRef> AllViews() const;
  void UpdateTracking(const Event& event);
  View* HitView(Point pointInWindow) const;

  Rect mFrame;
  ViewRef mContentView;
  Responder* mFirstResponder = this;
  std::weak_ptr<View> mPressView;
  unsigned mButtonsDown = 0; // bit 0 left, bit 1 right
  bool mKey = false;
  bool mAcceptsMouseMoved = false;
  std::string mAppearance = kAppearanceNameAqua;
  std::vector<Event> mUnhandledKeys;
};

using WindowRef = std::shared_ptr<Window>;

} // namespace plugin::sys

#pragma once

#include "platform/mac/system/Geometry.h"

#include <memory>

// A region of a view in which the window reports the mouse entering, leaving and moving to an
// owner. Main thread only.
namespace plugin::sys {

class Responder;

enum TrackingAreaOptions : unsigned {
  kTrackingMouseEnteredAndExited = 0x01,
  kTrackingMouseMoved = 0x02,
  kTrackingActiveWhenFirstResponder = 0x10,
  kTrackingActiveInKeyWindow = 0x20,
  kTrackingActiveInActiveApp = 0x40,
  kTrackingActiveAlways = 0x80,
  kTrackingInVisibleRect = 0x200, // the rectangle follows the view's bounds
  kTrackingEnabledDuringMouseDrag = 0x400,
};

class TrackingArea
{
public:
  // rect in the coordinates of the view it is added to; owner is not owned and must outlive the
  // area's time in a view.
  TrackingArea(Rect rect, unsigned options, Responder* owner, void* userInfo = nullptr)
      : mRect(rect), mOptions(options), mOwner(owner), mUserInfo(userInfo)
  {}

  static std::shared_ptr<TrackingArea> Create(Rect rect, unsigned options, Responder* owner,
                                              void* userInfo = nullptr)
  {
    return std::make_shared<TrackingArea>(rect, options, owner, userInfo);
  }

  Rect GetRect() const noexcept { return mRect; }
  unsigned Options() const noexcept { return mOptions; }
  Responder* Owner() const noexcept { return mOwner; }
  void* UserInfo() const noexcept { return mUserInfo; }

  // Whether the mouse was inside at the last check (kept by the window).
  bool MouseInside() const noexcept { return mMouseInside; }
  void SetMouseInside(bool inside) noexcept { mMouseInside = inside; }

private:
  Rect mRect;
  unsigned mOptions;
  Responder* mOwner;
  void* mUserInfo;
  bool mMouseInside = false;
};

using TrackingAreaRef = std::shared_ptr<TrackingArea>;

} // namespace plugin::sys

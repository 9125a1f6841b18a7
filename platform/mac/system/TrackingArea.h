#pragma once

#include "platform/mac/system/Geometry.h"

#include <memory>

// A region of a view in which the window reports the mouse entering, leaving and moving to an
// owner. Main thread only.
namespace plugin::sys {

class Responder;

enum TrackingAreaOptions : unsigned {
  kTrackingMouseEnteredAndExited = 0x01,
  kTrackingActiveAlways = 0x80,
  kTrackingEnabledDuringMouseDrag = 0x400,
};

class TrackingArea
{
public:
  // rect in the coordinates of the view it is added to; owner is not owned and must outlive the
  // area's time in a view.
  TrackingArea(Rect rect, unsigned options, Responder* owner) : mRect(rect), mOptions(options), mOwner(owner)
  {}

  static std::shared_ptr<TrackingArea> Create(Rect rect, unsigned options, Responder* owner)
  {
    return std::make_shared<TrackingArea>(rect, options, owner);
  }

  Rect GetRect() const noexcept { return mRect; }
  unsigned Options() const noexcept { return mOptions; }
  Responder* Owner() const noexcept { return mOwner; }

  // Whether the mouse was inside at the last check (kept by the window).
  bool MouseInside() const noexcept { return mMouseInside; }
  void SetMouseInside(bool inside) noexcept { mMouseInside = inside; }

private:
  Rect mRect;
  unsigned mOptions;
  Responder* mOwner;
  bool mMouseInside = false;
};

using TrackingAreaRef = std::shared_ptr<TrackingArea>;

} // namespace plugin::sys

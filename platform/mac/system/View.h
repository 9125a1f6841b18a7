#pragma once

#include "platform/mac/system/Dragging.h"
#include "platform/mac/system/GpuLayer.h"
#include "platform/mac/system/Responder.h"
#include "platform/mac/system/TrackingArea.h"

#include <memory>
#include <string>
#include <vector>

// A view: a rectangle of a window with subviews, a layer, tracking areas, tooltips and a place
// in drag and drop. Its frame is in its superview's coordinates; its own coordinates start at
// its bottom left, or at its top left when it is flipped. Views are shared objects (make them
// with std::make_shared); a superview keeps its subviews alive. A destroyed view stops observing
// notifications it observes as itself (the View pointer). Main thread only.
namespace plugin::sys {

class View;
class Window;

inline constexpr const char* kViewFrameDidChangeNotification = "view.frame-did-change";

// The object that supplies the text of a tooltip rectangle.
class ToolTipOwner
{
public:
  virtual ~ToolTipOwner() = default;
  // Called on the main thread when the mouse rests in the rectangle registered under tag: the
  // text to show (UTF-8; "" shows none); point is in the view's coordinates. May allocate.
  virtual std::string StringForToolTip(View& view, long tag, Point point, void* userData) = 0;
};

struct ToolTip
{
  long tag;
  Rect rect; // view coordinates
  ToolTipOwner* owner;
  void* userData;
};

class View : public Responder, public std::enable_shared_from_this<View>
{
public:
  explicit View(Rect frame = {});
  ~View() override;
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // Geometry. A frame that is not finite is ignored and negative sizes become 0. A change posts
  // kViewFrameDidChangeNotification and, in a window, asks the view to update its tracking areas.
  Rect Frame() const noexcept { return mFrame; }
  Rect Bounds() const noexcept { return Rect{{}, mFrame.size}; }
  void SetFrame(Rect frame);
  void SetFrameSize(Size size) { SetFrame(Rect{mFrame.origin, size}); }

  // Asked by the window and by conversions, on the main thread; must not allocate or lock.
  virtual bool IsFlipped() const { return false; }
  virtual bool IsOpaque() const { return false; }
  // Whether a click that activates the window also reaches the view (default no).
  virtual bool AcceptsFirstMouse(const Event* event);

  // Hierarchy.
  View* Superview() const noexcept { return mSuperview; }
  Window* GetWindow() const noexcept { return mWindow; }
  const std::vector<std::shared_ptr<View>>& Subviews() const noexcept { return mSubviews; }
  // Adds view on top of the subviews, taking it from its old superview. Null, this view or one
  // of its ancestors is ignored.
  void AddSubview(std::shared_ptr<View> view);
  // Takes the view out of its superview (and window); nothing without a superview. The view is
  // kept alive until the call returns even when the superview held the last reference.
  // Overrides call this base last and may be re-entered.
  virtual void RemoveFromSuperview();
  // True for this view and the views inside it.
  bool IsDescendantOf(const View* ancestor) const noexcept;
  bool IsHidden() const noexcept { return mHidden; }
  void SetHidden(bool hidden) noexcept { mHidden = hidden; }
  // The superview, or the window for a window's content view.
  Responder* NextResponder() const noexcept override;

  // Told on the main thread after the change, for this view and every view inside it; may
  // allocate. A move into a window is followed, for each view, by ViewDidChangeBackingProperties
  // and then UpdateTrackingAreas; UpdateTrackingAreas also follows frame changes.
  virtual void ViewDidMoveToWindow() {}
  virtual void ViewDidChangeBackingProperties() {}
  virtual void ViewDidChangeEffectiveAppearance() {}
  virtual void UpdateTrackingAreas() {}

  // Coordinates. A null view means the window's coordinates (origin bottom left); outside a
  // window, the coordinates of the outermost superview's parent.
  Point ConvertPointFromView(Point point, const View* from) const;
  Point ConvertPointToView(Point point, const View* to) const;
  // The deepest visible view under point (given in the superview's coordinates), or null.
  View* HitTest(Point pointInSuperview);

  // Layer.
  // Every view can hold a layer here; the request is for the platform's sake.
  void SetWantsLayer(bool) noexcept {}
  const GpuLayerRef& Layer() const noexcept { return mLayer; }
  void SetLayer(GpuLayerRef layer) { mLayer = std::move(layer); }
  int LayerContentsRedrawPolicy() const noexcept { return mRedrawPolicy; }
  void SetLayerContentsRedrawPolicy(int policy) noexcept { mRedrawPolicy = policy; }

  // Tracking areas, kept until removed or the view goes away.
  void AddTrackingArea(TrackingAreaRef area);
  void RemoveTrackingArea(const TrackingArea* area);
  const std::vector<TrackingAreaRef>& TrackingAreas() const noexcept { return mTrackingAreas; }

  // Tooltip rectangles (view coordinates); tags start at 1. The owner must outlive the entry.
  long AddToolTipRect(Rect rect, ToolTipOwner* owner, void* userData);
  void RemoveAllToolTips() noexcept { mToolTips.clear(); }
  const std::vector<ToolTip>& ToolTips() const noexcept { return mToolTips; }

  // Drop destination: the pasteboard types the view takes. The window calls the two handlers on
  // the main thread while a drag with one of those types is over the view: DraggingEntered
  // answers the operation it would do (none refuses the drop); PerformDragOperation takes the
  // drop and answers whether it did. Both may allocate.
  void RegisterForDraggedTypes(std::vector<std::string> types) { mDraggedTypes = std::move(types); }
  const std::vector<std::string>& RegisteredDraggedTypes() const noexcept { return mDraggedTypes; }
  virtual unsigned long DraggingEntered(const DraggingInfo& info);
  virtual bool PerformDragOperation(const DraggingInfo& info);

  // Drag source: starts dragging items, begun by event, from this view. Null without an event or
  // without items. The session is handed to the person (ScriptedUser::DraggingSessions).
  DraggingSessionRef BeginDraggingSession(std::vector<DraggingItem> items, const Event* event,
                                          DraggingSource& source);

  // The window's appearance name, or the light one outside a window.
  std::string EffectiveAppearanceName() const;

private:
  friend class Window;
  Point ToSuperview(Point p) const noexcept;
  Point FromSuperview(Point p) const noexcept;
  // Sets the window of this view and those inside it and tells them when it changed.
  void MoveToWindow(Window* window);
  void SetWindowQuietly(Window* window) noexcept;
  void RefreshTrackingAreaState(TrackingArea& area) const;

  Rect mFrame;
  View* mSuperview = nullptr;
  Window* mWindow = nullptr;
  std::vector<std::shared_ptr<View>> mSubviews;
  bool mHidden = false;
  GpuLayerRef mLayer;
  int mRedrawPolicy = 0;
  std::vector<TrackingAreaRef> mTrackingAreas;
  std::vector<ToolTip> mToolTips;
  long mNextToolTipTag = 1;
  std::vector<std::string> mDraggedTypes;
};

using ViewRef = std::shared_ptr<View>;

} // namespace plugin::sys

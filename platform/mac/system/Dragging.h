#pragma once

#include "platform/mac/system/Geometry.h"
#include "platform/mac/system/Image.h"
#include "platform/mac/system/Pasteboard.h"

#include <memory>
#include <vector>

// Drag and drop: what a drop destination is told about a drag over it, and the session a view
// starts when it drags something out. Main thread only.
namespace plugin::sys {

// Operations a drag offers or a destination accepts (bit mask).
enum DragOperation : unsigned long {
  kDragOperationNone = 0,
  kDragOperationCopy = 1,
  kDragOperationGeneric = 4,
};

// A drag over a destination view.
struct DraggingInfo
{
  std::shared_ptr<Pasteboard> pasteboard; // never null when the window delivers it
  Point draggingLocation;                 // window coordinates, origin bottom left
};

// One dragged thing: what it puts on the pasteboard and how it looks.
struct DraggingItem
{
  PasteboardItem pasteboardWriter;
  Rect draggingFrame; // in the source view's coordinates
  ImageRef contents;
};

enum class DraggingContext { OutsideApplication };
enum class DraggingFormation { Default, None };

class DraggingSession;

// The object a drag comes from.
class DraggingSource
{
public:
  virtual ~DraggingSource() = default;
  // Called by the drag on the main thread (when it starts and over each destination): the
  // operations the source allows in context. No allocation needed.
  virtual unsigned long SourceOperationMask(DraggingSession& session, DraggingContext context) = 0;
};

// A drag out of a view, begun with View::BeginDraggingSession. The person finishes it later;
// here the session only records what was started (ScriptedUser::DraggingSessions).
class DraggingSession
{
public:
  explicit DraggingSession(std::vector<DraggingItem> items) : mItems(std::move(items)) {}

  const std::vector<DraggingItem>& Items() const noexcept { return mItems; }

  bool AnimatesToStartingPositionsOnCancelOrFail() const noexcept { return mAnimatesBack; }
  void SetAnimatesToStartingPositionsOnCancelOrFail(bool value) noexcept { mAnimatesBack = value; }
  DraggingFormation Formation() const noexcept { return mFormation; }
  void SetDraggingFormation(DraggingFormation formation) noexcept { mFormation = formation; }

private:
  std::vector<DraggingItem> mItems;
  bool mAnimatesBack = true;
  DraggingFormation mFormation = DraggingFormation::Default;
};

using DraggingSessionRef = std::shared_ptr<DraggingSession>;

} // namespace plugin::sys

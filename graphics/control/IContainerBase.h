#pragma once

#include "framework/buffers/PtrList.h"
#include "graphics/control/IChildList.h"
#include "graphics/control/IControl.h"

#include <functional>

namespace plugin::ui {

// A control that groups others: it attaches its children to the graphics context itself (they
// are ordinary listed controls that draw themselves, owned by the context), forwards hiding and
// disabling to them, and lets its owner lay them out through an attach function (run once when
// the container is attached) and a resize function (run on every resize once it has children).
// It draws nothing itself. Main thread only.
class IContainerBase : public IControl, public IChildList
{
public:
  // Called with the container and its bounds.
  using AttachFunc = std::function<void(IContainerBase* container, const IRECT& bounds)>;
  using ResizeFunc = std::function<void(IContainerBase* container, const IRECT& bounds)>;

  // No parameter, no action.
  explicit IContainerBase(const IRECT& bounds, AttachFunc attachFunc = nullptr,
                          ResizeFunc resizeFunc = nullptr);
  // Frees the list and the functions; the children stay with the graphics context.
  ~IContainerBase() override;

  // The attach function with the bounds, then OnResize.
  void OnAttached() override;
  // The resize function with the bounds, when there is one and at least one child.
  void OnResize() override;
  // Nothing: the children draw themselves.
  void Draw(ICanvas& g) override;
  // Every child in order, then the container.
  void Hide(bool hide) override;
  void SetDisabled(bool disable) override;

  // Makes child a child (parent set first, so its attach hooks see it), attaches it to the
  // graphics context under tag and group, lists it and returns it. Null, and child neither listed
  // nor parented, when the container is not attached or the context refuses child (the caller
  // keeps it then).
  IControl* AddChildControl(IControl* child, int tag = -1, const char* group = "");
  int NChildren() const noexcept { return mChildren.GetSize(); }
  // Child idx, or null.
  IControl* GetChild(int idx) const noexcept { return mChildren.Get(idx); }
  // func(index, child) for every child in order.
  void ForAllChildrenFunc(const std::function<void(int idx, IControl* child)>& func);

  void SetAttachFunc(AttachFunc func) { mAttachFunc = std::move(func); }
  void SetResizeFunc(ResizeFunc func) { mResizeFunc = std::move(func); }

  // The graphics context is deleting child: it leaves the list.
  void ForgetChild(IControl* child) noexcept override;

protected:
  AttachFunc mAttachFunc;
  ResizeFunc mResizeFunc;
  PtrList<IControl> mChildren{4096};
};

} // namespace plugin::ui

#include "graphics/control/IContainerBase.h"

#include "graphics/canvas/ICanvas.h"

namespace plugin::ui {

IContainerBase::IContainerBase(const IRECT& bounds, AttachFunc attachFunc, ResizeFunc resizeFunc)
    : IControl(bounds, -1), mAttachFunc(std::move(attachFunc)), mResizeFunc(std::move(resizeFunc))
{}

IContainerBase::~IContainerBase()
{
  mChildren.Empty(false); // the graphics context owns the children
  mAttachFunc = nullptr;
  mResizeFunc = nullptr;
}

void IContainerBase::OnAttached()
{
  if (mAttachFunc) mAttachFunc(this, mBounds);
  OnResize();
}

void IContainerBase::OnResize()
{
  if (mResizeFunc && NChildren() > 0) mResizeFunc(this, mBounds);
}

void IContainerBase::Draw(ICanvas&) {}

void IContainerBase::Hide(bool hide)
{
  ForAllChildrenFunc([hide](int, IControl* child) { child->Hide(hide); });
  IControl::Hide(hide);
}

void IContainerBase::SetDisabled(bool disable)
{
  ForAllChildrenFunc([disable](int, IControl* child) { child->SetDisabled(disable); });
  IControl::SetDisabled(disable);
}

IControl* IContainerBase::AddChildControl(IControl* child, int tag, const char* group)
{
  if (!child || !mGraphicsContext) return nullptr;
  IControl* const previousParent = child->GetParent();
  child->SetParent(this);
  if (!mGraphicsContext->AttachControl(child, tag, group)) {
    child->SetParent(previousParent); // refused: the caller keeps it as it was
    return nullptr;
  }
  mChildren.Add(child); // should the list not grow, the child is still attached and owned by the context
  return child;
}

void IContainerBase::ForAllChildrenFunc(const std::function<void(int idx, IControl* child)>& func)
{
  if (!func) return;
  for (int i = 0; i < mChildren.GetSize(); ++i)
    func(i, mChildren.Get(i));
}

void IContainerBase::ForgetChild(IControl* child) noexcept
{
  for (int i = mChildren.GetSize() - 1; i >= 0; --i)
    if (mChildren.Get(i) == child) mChildren.Delete(i, false);
}

} // namespace plugin::ui

#pragma once

namespace plugin::ui {

class IControl;

// Something that lists child controls it does not own (a container). The graphics context tells
// it when one of its children is removed, so that the list never holds a deleted control.
class IChildList
{
public:
  virtual ~IChildList() = default;
  // The graphics context is about to delete child. Main thread; no allocation.
  virtual void ForgetChild(IControl* child) noexcept = 0;
};

} // namespace plugin::ui

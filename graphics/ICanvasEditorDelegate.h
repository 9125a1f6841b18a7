#pragma once

#include "framework/editor/IEditorDelegate.h"

#include <functional>

namespace plugin::ui {

class ICanvas;

// Editor delegate of an editor drawn by the toolkit's graphics context: creates the context
// through a stored factory function and lets a stored layout function attach the controls.
// Main thread only.
class ICanvasEditorDelegate : public plugin::IEditorDelegate
{
public:
  using MakeGraphicsFunc = std::function<ICanvas*()>;
  using LayoutFunc = std::function<void(ICanvas* ui)>;

  explicit ICanvasEditorDelegate(int nParams);
  ~ICanvasEditorDelegate() override;

  // The factory function's context, or null when none is set. Main thread; allocates.
  virtual ICanvas* CreateGraphics();
  // Runs the layout function on ui when one is set; the context calls it while its window opens
  // and, with layout-on-resize, after a resize. Main thread; allocates.
  virtual void LayoutUI(ICanvas* ui);

  void SetMakeGraphicsFunc(MakeGraphicsFunc func) { mMakeGraphicsFunc = std::move(func); }
  void SetLayoutFunc(LayoutFunc func) { mLayoutFunc = std::move(func); }
  // The open editor's context, or null.
  ICanvas* GetUI() const noexcept { return mGraphics; }

protected:
  MakeGraphicsFunc mMakeGraphicsFunc;
  LayoutFunc mLayoutFunc;
  ICanvas* mGraphics = nullptr;
};

} // namespace plugin::ui

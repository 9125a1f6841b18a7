#include "graphics/ICanvasEditorDelegate.h"

namespace plugin::ui {

// Least delegate the context needs until the editor delegate lands: factory and layout only.
ICanvasEditorDelegate::ICanvasEditorDelegate(int nParams) : IEditorDelegate(nParams) {}

ICanvasEditorDelegate::~ICanvasEditorDelegate() = default;

ICanvas* ICanvasEditorDelegate::CreateGraphics()
{
  return mMakeGraphicsFunc ? mMakeGraphicsFunc() : nullptr;
}

void ICanvasEditorDelegate::LayoutUI(ICanvas* ui)
{
  if (mLayoutFunc) mLayoutFunc(ui);
}

} // namespace plugin::ui

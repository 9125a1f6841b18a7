#include "platform/mac/MacGraphicsFactory.h"

#include "graphics/delegate/ICanvasEditorDelegate.h"
#include "platform/mac/ICanvasMac.h"

namespace plugin::ui {

ICanvas* MakeMacGraphics(IEditorDelegate& delegate, int width, int height, int fps, float scale,
                         const char* bundleID, const char* appGroupID, const char* sharedResourcesSubPath)
{
  auto* graphicsDelegate = dynamic_cast<ICanvasEditorDelegateBase*>(&delegate);
  if (!graphicsDelegate) return nullptr;
  auto* graphics = new ICanvasMac(*graphicsDelegate, width, height, fps, scale);
  graphics->SetBundleID(bundleID);
  graphics->SetAppGroupID(appGroupID);
  graphics->SetResourceSubPath(sharedResourcesSubPath);
  return graphics;
}

} // namespace plugin::ui

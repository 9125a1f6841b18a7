#pragma once

#include "framework/editor/IEditorDelegate.h"

namespace plugin::ui {

class ICanvas;

// The plug-in's graphics factory on this platform: a new ICanvasMac for delegate (which must be a
// graphics editor delegate; null otherwise) of width x height toolkit units at fps frames per
// second (0: 60) and draw scale, carrying the bundle identifier its resources are found by, the
// application group and the shared-resources sub-path. Whoever assembles the plug-in with this
// platform layer installs it as the binding's graphics factory (plugin::SetGraphicsFactory).
// Main thread, when the editor opens; allocates.
ICanvas* MakeMacGraphics(IEditorDelegate& delegate, int width, int height, int fps, float scale,
                         const char* bundleID, const char* appGroupID, const char* sharedResourcesSubPath);

} // namespace plugin::ui

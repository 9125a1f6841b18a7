#pragma once

#include "framework/editor/IEditorDelegate.h"

namespace plugin {
namespace ui {
class ICanvas;
} // namespace ui

// The graphics context of an editor for `delegate`: width x height logical units, fps frames per
// second, draw scale `scale`, carrying the build's bundle identifiers. Null where no platform
// layer exists to draw with. Main thread (the editor opening); allocates.
ui::ICanvas* MakeGraphics(IEditorDelegate& delegate, int width, int height, int fps, float scale);

} // namespace plugin

#pragma once

#include "framework/editor/IEditorDelegate.h"

namespace plugin {
namespace ui {
class ICanvas;
} // namespace ui

// The platform layer's graphics factory: the graphics context of an editor for delegate, width x
// height toolkit units, fps frames per second, draw scale scale, carrying the plug-in's bundle
// identifier, application group and shared-resources sub-path; null when none can be made.
// Called on the main thread when the editor opens; allocates.
using GraphicsFactory = ui::ICanvas* (*)(IEditorDelegate& delegate, int width, int height, int fps,
                                         float scale, const char* bundleID, const char* appGroupID,
                                         const char* sharedResourcesSubPath);

// Installs the factory MakeGraphics calls (null removes it). The binding knows no platform layer:
// whoever assembles the plug-in with one (a bundle entry, a tool, a test) installs its factory
// before an editor opens. Main thread; no allocation.
void SetGraphicsFactory(GraphicsFactory factory) noexcept;
// The installed factory, or null. Any thread.
GraphicsFactory GetGraphicsFactory() noexcept;

// The shared-resources sub-path the plug-in's editor looks for resources under.
inline constexpr const char* kSharedResourcesSubPath = "Kelmo";

// The graphics context of an editor for delegate through the installed factory, with the
// plug-in's identifiers; null when no factory is installed (no editor can open) or it fails.
// Main thread (the editor opening); allocates.
ui::ICanvas* MakeGraphics(IEditorDelegate& delegate, int width, int height, int fps, float scale);

} // namespace plugin

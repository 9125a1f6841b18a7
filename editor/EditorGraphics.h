#pragma once

class Kelmo;

namespace plugin::ui {

class ICanvas;

// The draw scale an editor of plugin opens at: "Plugin Scale" as a float, limited to the
// parameter's range; a value that is not a number gives the parameter's default. Main thread.
float EditorOpeningScale(const Kelmo& plugin) noexcept;

// The editor's graphics context: 899 x 500 points at 60 frames per second, drawn at
// EditorOpeningScale, made by the binding's graphics factory; null where no platform layer can
// draw. Called by the editor delegate when the host opens the editor, on the main thread;
// allocates.
ICanvas* CreateEditorGraphics(Kelmo& plugin);

} // namespace plugin::ui

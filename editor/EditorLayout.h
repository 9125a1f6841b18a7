#pragma once

class Kelmo;

namespace plugin::ui {

class ICanvas;

// Builds the compressor's editor on ui, a fresh graphics context of plugin: the background, the
// corner resizer that rescales the whole editor, the text entry, the fonts and pictures, then every
// control of the faceplate in drawing order, with the display texts set on the parameters; then
// "Plugin Scale" is read back from user preset slot 0 (it takes effect at the next opening). A
// context that already holds controls, or a null one, is left as it is. A missing picture or font
// leaves its controls in place, drawing nothing. Called by the editor delegate once the context
// exists, on the main thread; allocates.
void LayoutEditor(Kelmo& plugin, ICanvas* ui);

} // namespace plugin::ui

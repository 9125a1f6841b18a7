#pragma once

namespace plugin::ui {

class ICanvas;

// Loads the editor's three fonts through ui: "Roboto-Regular", "Roboto-Mono" and "Lato" from the
// bundle's font files. A font that cannot be loaded is left out: texts in it draw nothing. Main
// thread; allocates. Returns how many were loaded.
int LoadEditorFonts(ICanvas& ui);

} // namespace plugin::ui

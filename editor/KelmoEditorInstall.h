#pragma once

namespace plugin::ui {

// Makes this editor (CreateEditorGraphics and LayoutEditor) the editor of every Kelmo built from
// now on. Called by the plug-in module's entry before it builds a plug-in object, and by programs
// that build Kelmo objects with an editor; any thread; lock-free.
void InstallKelmoEditor() noexcept;

} // namespace plugin::ui

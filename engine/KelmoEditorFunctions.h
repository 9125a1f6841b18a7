#pragma once

class Kelmo;

namespace plugin::ui {
class ICanvas;
} // namespace plugin::ui

// The compressor's editor as the plug-in class sees it: a graphics factory and a layout function
// that live above the engine, in the editor library. The module that links both installs them
// once, before it builds the first plug-in object; every Kelmo built afterwards stores them in its
// editor delegate. Without them a Kelmo has no editor: its graphics factory gives null.
struct KelmoEditorFunctions
{
  // Creates the editor's graphics context for plugin, or null. Called by the editor delegate when
  // the host opens the editor, on the main thread; allocates.
  plugin::ui::ICanvas* (*makeGraphics)(Kelmo& plugin) = nullptr;
  // Attaches the editor's controls to ui. Called by the editor delegate once the graphics context
  // exists, on the main thread; allocates.
  void (*layout)(Kelmo& plugin, plugin::ui::ICanvas* ui) = nullptr;
};

// Makes functions the editor of every Kelmo built from now on (null members: no editor). Called by
// the module's entry before it builds a plug-in object; any thread; lock-free, no allocation.
void InstallKelmoEditorFunctions(const KelmoEditorFunctions& functions) noexcept;

// The functions installed last (both null before any installation). Called by the Kelmo
// constructor; any thread; lock-free, no allocation.
KelmoEditorFunctions InstalledKelmoEditorFunctions() noexcept;

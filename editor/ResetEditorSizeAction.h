#pragma once

namespace plugin::ui {

class IControl;

// The reset button's action, run by the button on the main thread when it is clicked: the click
// splash on the button, the editor back to 899 x 500 points at draw scale 1 (the host window
// follows), and "Plugin Scale" stored as 1 without telling the host. Nothing for a null or
// unattached button. No allocation beyond the resize's own.
void ResetEditorSizeAction(IControl* button);

} // namespace plugin::ui

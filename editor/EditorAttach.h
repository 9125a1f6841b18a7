#pragma once

#include "graphics/canvas/ICanvas.h"
#include "graphics/control/IControl.h"

namespace plugin::ui {

// Attaches control to ui under tag and group and returns it; a control the context refuses (a tag
// already taken) is deleted and null is returned. Main thread; allocates.
template <class Control>
Control* AttachToEditor(ICanvas& ui, Control* control, int tag = -1, const char* group = "")
{
  if (ui.AttachControl(control, tag, group)) return control;
  delete control;
  return nullptr;
}

} // namespace plugin::ui

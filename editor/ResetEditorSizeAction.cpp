#include "editor/ResetEditorSizeAction.h"

#include "engine/KelmoConfig.h"
#include "engine/dsp/KelmoParams.h"
#include "framework/editor/IEditorDelegate.h"
#include "graphics/canvas/ICanvas.h"
#include "graphics/control/IControl.h"

namespace plugin::ui {

void ResetEditorSizeAction(IControl* button)
{
  if (!button) return;
  SplashClickAction(button);
  ICanvas* ui = button->GetUI();
  if (!ui) return;
  ui->Resize(kKelmoEditorWidth, kKelmoEditorHeight, 1.f, true);
  // The editor's own record of its scale; the host keeps the parameter's previous value.
  if (IEditorDelegate* delegate = button->GetDelegate())
    if (IParam* scale = delegate->GetParam(kPluginScale)) scale->Set(1.0);
}

} // namespace plugin::ui

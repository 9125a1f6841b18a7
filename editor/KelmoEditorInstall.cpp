#include "editor/KelmoEditorInstall.h"

#include "editor/EditorGraphics.h"
#include "editor/EditorLayout.h"
#include "engine/KelmoEditorFunctions.h"

namespace plugin::ui {

void InstallKelmoEditor() noexcept
{
  InstallKelmoEditorFunctions({&CreateEditorGraphics, &LayoutEditor});
}

} // namespace plugin::ui

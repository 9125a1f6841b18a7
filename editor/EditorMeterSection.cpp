#include "editor/EditorMeterSection.h"

#include "editor/EditorAttach.h"
#include "editor/EditorTags.h"
#include "editor/EditorTextStyles.h"
#include "editor/VUMeterControl.h"
#include "graphics/controls/IRTTextControl.h"

namespace plugin::ui {

void AttachMeterSection(ICanvas& ui)
{
  using Readout = IRTTextControl<1, float>;
  const IText& text = editor_text::kReadout;
  AttachToEditor(ui, new Readout(IRECT(365.f, 131.f, 402.f, 151.f), "%0.2f", "", "", text, COLOR_TRANSPARENT),
                 kCtrlTagReadoutL);
  AttachToEditor(ui, new Readout(IRECT(500.f, 131.f, 537.f, 151.f), "%0.2f", "", "", text, COLOR_TRANSPARENT),
                 kCtrlTagReadoutR);
  AttachToEditor(ui, new VUMeterControl(IRECT(325.1f, 93.f, 442.f, 164.f)), kCtrlTagMeterL);
  AttachToEditor(ui, new VUMeterControl(IRECT(460.f, 93.f, 576.9f, 164.f)), kCtrlTagMeterR);
}

} // namespace plugin::ui

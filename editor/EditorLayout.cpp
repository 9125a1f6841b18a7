#include "editor/EditorLayout.h"

#include "editor/EditorAttach.h"
#include "editor/EditorBitmaps.h"
#include "editor/EditorCaptions.h"
#include "editor/EditorChannelSection.h"
#include "editor/EditorComparisonBar.h"
#include "editor/EditorDisplayTexts.h"
#include "editor/EditorFonts.h"
#include "editor/EditorLinks.h"
#include "editor/EditorMeterSection.h"
#include "editor/EditorTags.h"
#include "editor/EditorTextStyles.h"
#include "editor/EditorTrimSection.h"
#include "editor/EditorVectorStyles.h"
#include "editor/EditorVersionText.h"
#include "editor/InfoMenu.h"
#include "editor/PresetControllerMenu.h"
#include "editor/PresetSlotLoading.h"
#include "editor/ResetEditorSizeAction.h"
#include "engine/Kelmo.h"
#include "graphics/controls/ITextControl.h"
#include "graphics/controls/IVButtonControl.h"

#include <string>

namespace plugin::ui {

namespace {

constexpr IColor kResizerGrey{255, 100, 100, 100};
constexpr float kResizerSize = 20.f;
constexpr int kResizeModeScale = 0;

void AttachInfoButton(ICanvas& ui)
{
  AttachToEditor(ui,
                 new IVButtonControl(IRECT(7.f, 5.f, 22.f, 20.f), ShowInfoMenuAction, "", InfoStyle(), false,
                                     true, EVShape::Rectangle),
                 -1, kVectorControlsGroup);
  // The last control, the info button, carries the menu's heading as its name (not drawn).
  IControl* last = ui.GetControl(ui.NControls() - 1);
  if (auto* vector = dynamic_cast<IVectorBase*>(last)) {
    vector->SetLabelStr(kInfoMenuItems[0]);
    last->SetDirty(false);
  }
}

} // namespace

void LayoutEditor(Kelmo& plugin, ICanvas* ui)
{
  if (!ui || ui->NControls() > 0) return;
  ICanvas& g = *ui;
  g.AttachBackground("background.jpg");
  g.AttachCornerResizer(kResizeModeScale, false, kResizerGrey, kResizerGrey, kResizerGrey, kResizerSize);
  g.AttachTextEntryControl();
  LoadEditorFonts(g);
  const std::string version = EditorVersionText(plugin);
  const EditorBitmaps bitmaps = LoadEditorBitmaps(g);

  AttachMeterSection(g);
  AttachToEditor(g, new IVButtonControl(IRECT(2.f, 27.f, 14.f, 39.f), ResetEditorSizeAction, "", KnobStyle(),
                                        false, false, EVShape::Rectangle));
  AttachToEditor(g, new ITextControl(IRECT(372.f, 462.f, 527.f, 473.f), version.c_str(),
                                     editor_text::kVersion, COLOR_TRANSPARENT, true));
  AttachChannelSection(g, bitmaps);
  AttachCompensationToggles(g);
  AttachEditorLinks(g);
  AttachValueCaptions(g);
  AttachTrimSection(g);
  SetEditorDisplayTexts(plugin);
  AttachComparisonBar(g);
  AttachToEditor(g, new PresetControllerMenu(IRECT(250.f, 1.f, 650.f, 24.f), PresetBarStyle()));
  AttachInfoButton(g);

  LoadUserPresetScale(plugin, 0);
}

} // namespace plugin::ui

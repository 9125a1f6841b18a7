#include "editor/EditorTrimSection.h"

#include "editor/EditorAttach.h"
#include "editor/EditorChannelSection.h"
#include "editor/EditorTags.h"
#include "editor/EditorTextStyles.h"
#include "editor/EditorVectorStyles.h"
#include "engine/dsp/KelmoParams.h"
#include "graphics/controls/ICaptionControl.h"
#include "graphics/controls/IVKnobControl.h"
#include "graphics/controls/IVToggleControl.h"

namespace plugin::ui {

namespace {

void AttachKnob(ICanvas& ui, const IRECT& rect, int param, const char* label)
{
  auto* knob = new IVKnobControl(rect, param, label, KnobStyle(), true, false, -135.f, 135.f, -135.f,
                                 EDirection::Vertical, kBigKnobGearing, 2.f);
  knob->SetGearing(kFineKnobGearing);
  AttachToEditor(ui, knob, -1, kVectorControlsGroup);
}

void AttachCaption(ICanvas& ui, const IRECT& rect, int param)
{
  AttachToEditor(ui, new ICaptionControl(rect, param, editor_text::kTrim, COLOR_TRANSPARENT, true));
}

} // namespace

void AttachCompensationToggles(ICanvas& ui)
{
  AttachToEditor(ui, new IVToggleControl(IRECT(27.f, 456.f, 70.f, 478.f), kLSidechainCompensation, "",
                                         ToggleStyle(), "", ""));
  AttachToEditor(ui, new IVToggleControl(IRECT(614.f, 456.f, 657.f, 478.f), kRSidechainCompensation, "",
                                         ToggleStyle(), "", ""));
}

void AttachTrimSection(ICanvas& ui)
{
  AttachKnob(ui, IRECT(91.f, 456.f, 109.f, 472.f), kLSidechainBlend, "L SC Blend");
  AttachKnob(ui, IRECT(679.f, 456.f, 696.f, 472.f), kRSidechainBlend, "R SC Blend");
  AttachCaption(ui, IRECT(829.f, 5.f, 869.f, 20.f), kLevelCalibration);
  AttachKnob(ui, IRECT(873.f, 5.f, 890.f, 22.f), kLevelCalibration, "Level Calibration");
  AttachCaption(ui, IRECT(675.f, 480.f, 704.f, 495.f), kNoiseAmount);
  AttachKnob(ui, IRECT(653.f, 480.f, 670.f, 497.f), kNoiseAmount, "Noise Amount");
  AttachCaption(ui, IRECT(67.f, 480.f, 107.f, 495.f), kInputGain);
  AttachKnob(ui, IRECT(111.f, 480.f, 128.f, 497.f), kInputGain, "Input Gain");
  AttachCaption(ui, IRECT(210.f, 480.f, 250.f, 495.f), kOutputGain);
  AttachKnob(ui, IRECT(254.f, 480.f, 271.f, 497.f), kOutputGain, "Output Gain");
}

} // namespace plugin::ui

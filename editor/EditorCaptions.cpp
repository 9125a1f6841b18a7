#include "editor/EditorCaptions.h"

#include "editor/EditorAttach.h"
#include "editor/EditorTextStyles.h"
#include "engine/dsp/KelmoParams.h"
#include "graphics/controls/ICaptionControl.h"

namespace plugin::ui {

void AttachValueCaptions(ICanvas& ui)
{
  using namespace editor_text;
  static constexpr struct
  {
    IRECT rect;
    int param;
    const IText* text;
    bool withUnit;
  } kCaptions[] = {
      {{382.f, 308.f, 415.f, 323.f}, kVariGain, &kCaption, true},
      {{487.f, 308.f, 520.f, 323.f}, kDryBlend, &kCaption, true},
      {{487.f, 384.f, 520.f, 399.f}, kMuDiff, &kCaption, true},
      {{65.f, 163.f, 101.f, 176.f}, kLWetGain, &kCaption, false},
      {{213.f, 163.f, 249.f, 176.f}, kLThreshold, &kCaption, false},
      {{65.f, 369.f, 101.f, 382.f}, kLAttack, &kCaption, false},
      {{213.f, 369.f, 249.f, 382.f}, kLRelease, &kCaption, false},
      {{653.f, 163.f, 689.f, 176.f}, kRWetGain, &kCaption, false},
      {{801.f, 163.f, 837.f, 176.f}, kRThreshold, &kCaption, false},
      {{653.f, 369.f, 689.f, 382.f}, kRAttack, &kCaption, false},
      {{801.f, 369.f, 837.f, 382.f}, kRRelease, &kCaption, false},
      {{62.f, 424.f, 106.f, 436.f}, kLSidechainFrequency, &kCaption, false},
      {{649.f, 424.f, 693.f, 436.f}, kRSidechainFrequency, &kCaption, false},
      {{62.f, 437.f, 106.f, 449.f}, kLSidechainGain, &kCaption, false},
      {{649.f, 437.f, 693.f, 449.f}, kRSidechainGain, &kCaption, false},
      {{258.f, 437.f, 295.f, 452.f}, kLSyncRelease, &kCaption, false},
      {{846.f, 437.f, 883.f, 452.f}, kRSyncRelease, &kCaption, false},
      {{112.f, 455.f, 136.f, 471.f}, kLSidechainInput, &kInput, false},
      {{699.f, 455.f, 723.f, 471.f}, kRSidechainInput, &kInput, false},
  };
  for (const auto& c : kCaptions)
    AttachToEditor(ui, new ICaptionControl(c.rect, c.param, *c.text, COLOR_TRANSPARENT, c.withUnit));
}

} // namespace plugin::ui

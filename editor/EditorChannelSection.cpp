#include "editor/EditorChannelSection.h"

#include "editor/EditorAttach.h"
#include "engine/dsp/KelmoParams.h"
#include "graphics/controls/IBKnobControl.h"
#include "graphics/controls/IBKnobRotaterControl.h"
#include "graphics/controls/IBSwitchControl.h"

namespace plugin::ui {

namespace {

// A picture placed with its top-left corner at (x, y), bound to param.
struct Placed
{
  EEditorBitmap bitmap;
  float x, y;
  int param;
};

// The rectangle of one frame of bitmap with its top-left corner at (x, y).
IRECT FrameAt(const IBitmap& bitmap, float x, float y)
{
  return IRECT(x, y, x + static_cast<float>(bitmap.FW()), y + static_cast<float>(bitmap.FH()));
}

void AttachSwitches(ICanvas& ui, const EditorBitmaps& bitmaps, std::initializer_list<Placed> switches)
{
  for (const Placed& s : switches)
    AttachToEditor(ui, new IBSwitchControl(s.x, s.y, bitmaps[s.bitmap], s.param));
}

void AttachRotaters(ICanvas& ui, const EditorBitmaps& bitmaps, std::initializer_list<Placed> knobs,
                    double gearing)
{
  for (const Placed& k : knobs) {
    auto* knob = new IBKnobRotaterControl(k.x, k.y, bitmaps[k.bitmap], k.param);
    knob->SetGearing(gearing);
    AttachToEditor(ui, knob);
  }
}

} // namespace

void AttachChannelSection(ICanvas& ui, const EditorBitmaps& bitmaps)
{
  AttachSwitches(ui, bitmaps,
                 {{kBitmapPower, 425.f, 349.f, kPower},
                  {kBitmapBypass, 60.f, 193.f, kLBypass},
                  {kBitmapBypass, 796.f, 193.f, kRBypass},
                  {kBitmapFlipper, 211.f, 425.f, kLAutoRelease},
                  {kBitmapFlipper, 799.f, 425.f, kRAutoRelease},
                  {kBitmapMiniFlipper, 145.f, 197.f, kLFeedBack},
                  {kBitmapMiniFlipper, 734.f, 197.f, kRFeedBack},
                  {kBitmapFlipper, 211.f, 207.f, kLTriodePentode},
                  {kBitmapFlipper, 650.f, 207.f, kRTriodePentode},
                  {kBitmapMiniFlipper, 353.f, 221.f, kChannelLink},
                  {kBitmapMiniFlipper, 526.f, 221.f, kMidSideMode},
                  {kBitmapMiniFlipper, 353.f, 371.f, kSidechainListen}});

  // The big knobs: body corners, and their parameters. The shadow lies 6 right and 15 down.
  static constexpr struct
  {
    float x, y;
    int param;
  } kBigKnobs[] = {{19.f, 53.f, kLWetGain},   {167.f, 53.f, kLThreshold}, {19.f, 259.f, kLAttack},
                   {167.f, 259.f, kLRelease}, {607.f, 53.f, kRWetGain},   {755.f, 53.f, kRThreshold},
                   {607.f, 259.f, kRAttack},  {755.f, 259.f, kRRelease}};
  for (const auto& k : kBigKnobs)
    AttachRotaters(ui, bitmaps, {{kBitmapKnobShadow, k.x + 6.f, k.y + 15.f, k.param}}, kBigKnobGearing);
  for (const auto& k : kBigKnobs)
    AttachRotaters(ui, bitmaps, {{kBitmapKnob, k.x, k.y, k.param}}, kBigKnobGearing);
  const IBitmap& overlay = bitmaps[kBitmapKnobOverlay];
  for (const auto& k : kBigKnobs)
    AttachToEditor(ui, new IBKnobControl(FrameAt(overlay, k.x, k.y), overlay, k.param, EDirection::Vertical,
                                         kBigKnobGearing));

  AttachRotaters(ui, bitmaps,
                 {{kBitmapTrim, 354.f, 305.f, kVariGain},
                  {kBitmapTrim, 527.f, 305.f, kDryBlend},
                  {kBitmapTrim, 527.f, 381.f, kMuDiff}},
                 kFineKnobGearing);
  AttachSwitches(ui, bitmaps,
                 {{kBitmapOversampling, 477.f, 440.f, kOverSampling},
                  {kBitmapDelta, 335.f, 440.f, kDelta},
                  {kBitmapCtrlLink, 664.f, 6.f, kLinkChannelControls}});
  AttachRotaters(ui, bitmaps,
                 {{kBitmapMiniKnob, 33.f, 421.f, kLSidechainGain},
                  {kBitmapMiniKnob, 105.f, 421.f, kLSidechainFrequency},
                  {kBitmapMiniKnob, 620.f, 421.f, kRSidechainGain},
                  {kBitmapMiniKnob, 692.f, 421.f, kRSidechainFrequency}},
                 kFineKnobGearing);
}

} // namespace plugin::ui

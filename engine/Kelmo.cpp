#include "engine/Kelmo.h"

#include "engine/ChannelLinking.h"
#include "engine/FactoryPresetRegistration.h"
#include "engine/KelmoConfig.h"
#include "engine/KelmoEditorFunctions.h"
#include "engine/KelmoParamTable.h"
#include "engine/presets/FactoryPresets.h"
#include "graphics/canvas/ICanvas.h"

#include <cmath>

using plugin::EParamSource;
using plugin::IParam;

Kelmo::Kelmo(const plugin::InstanceInfo& info)
    : KelmoBase(info, MakeKelmoConfig()), mOwnerThread(std::this_thread::get_id())
{
  // The signal path, meters and comparison slots were built above with their starting values;
  // the signal path keeps state for two channels, all the configurations ever connect.
  for (int ch = 0; ch < static_cast<int>(kKelmoInputLabels.size()); ++ch)
    SetChannelLabel(plugin::kInput, ch, kKelmoInputLabels[static_cast<size_t>(ch)], false);
  DefineKelmoParams(*this);
  RegisterFactoryPreset(*this, FactoryDefaultPreset());
  for (const FactoryPreset& preset : NamedFactoryPresets())
    RegisterFactoryPreset(*this, preset);
  LoadUserPreset(0);
  // The editor installed by the module that links it; none (no view) where none was installed.
  const KelmoEditorFunctions editor = InstalledKelmoEditorFunctions();
  mMakeGraphicsFunc = [this, make = editor.makeGraphics]() -> plugin::ui::ICanvas* {
    return make ? make(*this) : nullptr;
  };
  mLayoutFunc = [this, layout = editor.layout](plugin::ui::ICanvas* ui) {
    if (layout) layout(*this, ui);
  };
}

Kelmo::~Kelmo()
{
  // No tick may reach members that are about to go.
  DestroyTimer();
}

Kelmo::GraphicsRequest Kelmo::GetGraphicsRequest() const noexcept
{
  return {kKelmoEditorWidth, kKelmoEditorHeight, kKelmoEditorFps,
          static_cast<float>(GetParam(kPluginScale)->Value())};
}

float Kelmo::EditorDrawScale() const
{
  // GetUI is a non-const delegate hook; reading the scale changes nothing.
  const plugin::ui::ICanvas* ui = const_cast<Kelmo*>(this)->GetUI();
  return ui ? ui->GetDrawScale() : 0.0f;
}

// --- Audio ---

Steinberg::uint32 PLUGIN_API Kelmo::getProcessContextRequirements()
{
  return Steinberg::Vst::IProcessContextRequirements::kNeedTempo;
}

void Kelmo::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  kelmo::dsp::ParamValues values;
  for (int i = 0; i < kNumParams; ++i)
    values[static_cast<size_t>(i)] = GetParam(i)->Value();
  mDsp.Process<double>(inputs, inputs ? NChannels(plugin::kInput) : 0, outputs,
                       outputs ? NChannels(plugin::kOutput) : 0, nFrames, values, GetTimeInfo().mTempo);
}

void Kelmo::OnReset()
{
  mDsp.Reset(GetSampleRate());
}

// --- Parameter changes ---

bool Kelmo::OnOwnerThread(EParamSource source) const noexcept
{
  // Host automation arrives with the audio; whatever it asks of the editor waits for the tick.
  return source != plugin::kHost && std::this_thread::get_id() == mOwnerThread;
}

void Kelmo::OnParamChange(int paramIdx, EParamSource source, int sampleOffset)
{
  HandleParamChange(paramIdx, Change{source, OnOwnerThread(source), sampleOffset});
}

void Kelmo::OnControllerParamChange(int paramIdx)
{
  HandleParamChange(paramIdx, Change{plugin::kHost, true, 0});
}

void Kelmo::HandleParamChange(int paramIdx, const Change& change)
{
  if (paramIdx < 1 || paramIdx >= kNumParams) return;

  if (const int twin = LinkedTwinOf(paramIdx); twin >= 0) {
    // Only the restore's own notifications keep both sides as saved; host automation arriving
    // meanwhile still links.
    const bool asSaved = change.source == plugin::kPresetRecall && IsRestoringHostState();
    LinkToTwin(paramIdx, twin, change, asSaved);
    return;
  }
  switch (paramIdx) {
  case kOverSampling:
    mDsp.OnParamChange(paramIdx);
    break;
  case kDelta:
    ExcludeEachOther(kDelta, kSidechainListen, change);
    break;
  case kSidechainListen:
    ExcludeEachOther(kSidechainListen, kDelta, change);
    break;
  case kComparisonSlot:
    OnComparisonSlotChange(change);
    break;
  default:
    break;
  }
}

void Kelmo::SetOwnValue(int paramIdx, double value, const Change& change)
{
  IParam* param = GetParam(paramIdx);
  const double before = param->Value();
  param->Set(value);
  // A recall or reset sets every value and reports them all itself.
  if (param->Value() == before || change.source == plugin::kPresetRecall || change.source == plugin::kReset)
    return;
  if (change.immediate)
    InformHostOfOwnChange(paramIdx);
  else
    OutputParamChange(paramIdx, param->ToNormalized(param->Value()), change.sampleOffset);
}

void Kelmo::LinkToTwin(int paramIdx, int twinIdx, const Change& change, bool asSaved)
{
  const bool linked = static_cast<int>(GetParam(kLinkChannelControls)->Value()) == 1;
  if (linked && !asSaved) {
    // A host session restores both sides as saved; otherwise the twin's own rules apply: the left side-chain
    // high-pass cannot go below 50 Hz.
    SetOwnValue(twinIdx, GetParam(paramIdx)->Value(), change);
  } else if (!RefreshesEditorWhenUnlinked(paramIdx)) {
    return;
  }
  if (change.immediate)
    SendAllParamValuesToUI();
  else
    mDeferred.RequestAllParams();
}

void Kelmo::ExcludeEachOther(int changedIdx, int otherIdx, const Change& change)
{
  if (GetParam(changedIdx)->Value() == 1.0) SetOwnValue(otherIdx, 0.0, change);
  if (change.immediate)
    SendParamValueToUI(otherIdx);
  else
    mDeferred.RequestParam(otherIdx);
}

void Kelmo::OnComparisonSlotChange(const Change& change)
{
  // A recall or reset has just set every value, the slot included: those values are what the
  // user asked for, so nothing is swapped over them.
  const bool restored = change.source == plugin::kPresetRecall || change.source == plugin::kReset;
  const auto what =
      restored ? EditorRefreshRequests::EComparison::kAdopt : EditorRefreshRequests::EComparison::kSwitch;
  if (change.immediate) {
    mDeferred.TakeComparison(); // superseded by this change
    RunComparison(what);
  } else {
    mDeferred.RequestComparison(what);
  }
}

void Kelmo::RunComparison(EditorRefreshRequests::EComparison what)
{
  const int slot = static_cast<int>(GetParam(kComparisonSlot)->Value());
  if (what == EditorRefreshRequests::EComparison::kSwitch) {
    ComparisonSlots::Snapshot before{};
    for (int i = 0; i < kNumParams; ++i)
      before[static_cast<size_t>(i)] = GetParam(i)->Value();
    mComparison.Switch(*this, slot);
    // The host keeps its own copy of every value: each one the swap moved is reported.
    for (int i = 0; i < kNumParams; ++i)
      if (GetParam(i)->Value() != before[static_cast<size_t>(i)]) InformHostOfOwnChange(i);
    SendAllParamValuesToUI();
  } else if (what == EditorRefreshRequests::EComparison::kAdopt) {
    mComparison.Adopt(slot);
  }
}

// --- Editor ---

void Kelmo::SendParamValueToUI(int paramIdx)
{
  const IParam* param = GetParam(paramIdx);
  if (param) SendParameterValueFromDelegate(paramIdx, param->Constrain(param->Value()), false);
}

void Kelmo::SendAllParamValuesToUI()
{
  for (int i = 0; i < NParams(); ++i) {
    const IParam* param = GetParam(i);
    SendParameterValueFromDelegate(i, param->ToNormalized(param->Constrain(param->Value())), true);
  }
}

void Kelmo::OnIdle()
{
  RunDeferredEditorWork();
  SendMeters();
  MirrorDrawScale();
}

void Kelmo::RunDeferredEditorWork()
{
  RunComparison(mDeferred.TakeComparison());
  const plugin::ParamMask params = mDeferred.TakeParams();
  if (mDeferred.TakeAllParams()) {
    SendAllParamValuesToUI();
    return;
  }
  for (int i = 0; params && i < kNumParams; ++i)
    if (plugin::HasParam(params, i)) SendParamValueToUI(i);
}

void Kelmo::SendMeters()
{
  // Only the stereo pair has meters, whatever is connected; the right channel's records go first.
  mMeters.Send(MeterTransmitter::kRightReadout, mDsp.MeterReadout(1), *this);
  mMeters.Send(MeterTransmitter::kRightNeedle, mDsp.MeterNeedle(1), *this);
  mMeters.Send(MeterTransmitter::kLeftReadout, mDsp.MeterReadout(0), *this);
  mMeters.Send(MeterTransmitter::kLeftNeedle, mDsp.MeterNeedle(0), *this);
}

void Kelmo::MirrorDrawScale()
{
  const float scale = EditorDrawScale();
  if (!(scale > 0.0f) || !std::isfinite(scale) || scale == mLastDrawScale) return;
  mLastDrawScale = scale;
  // Follows the editor's zoom; the host is not told.
  GetParam(kPluginScale)->Set(scale);
}

#include "vst3/IPluginVST3.h"

#include "framework/plugin/HostDetection.h"
#include "framework/text/UnicodeCodec.h"
#include "vst3/HostContextMenu.h"
#include "vst3/IPluginVST3View.h"
#include "vst3/adapter/BusLayout.h"
#include "vst3/adapter/MidiControllers.h"
#include "vst3/adapter/ParamIds.h"
#include "vst3/adapter/ParamMapping.h"

#include "pluginterfaces/vst/ivsthostapplication.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace plugin {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kString128 = 128;
constexpr int32 kInfiniteTailSize = 0x7FFFFFFF; // the framework's "tail never ends"

} // namespace

IPluginVST3::IPluginVST3(const InstanceInfo&, const IPluginConfig& config)
    : IPluginAPIBase(config, kAPIVST3), IPluginVST3ProcessorBase(config, *this)
{
  CreateTimer();
}

IPluginVST3::~IPluginVST3()
{
  // No tick may reach the object while it comes apart.
  DestroyTimer();
}

// --- Framework operations ---

void IPluginVST3::SetLatency(int samples)
{
  IPluginProcessor::SetLatency(samples);
  if (IComponentHandler* handler = getComponentHandler()) handler->restartComponent(kLatencyChanged);
}

void IPluginVST3::GetTrackColor(int& r, int& g, int& b)
{
  const uint32_t color = GetChannelColor();
  r = static_cast<int>((color >> 16) & 0xFF);
  g = static_cast<int>((color >> 8) & 0xFF);
  b = static_cast<int>(color & 0xFF);
}

void IPluginVST3::GetTrackName(StringBuf& out)
{
  out.Set(GetChannelName());
}

int IPluginVST3::GetTrackIndex()
{
  return GetChannelIndex();
}

void IPluginVST3::GetTrackNamespace(StringBuf& out)
{
  out.Set(GetChannelNamespace());
}

int IPluginVST3::GetTrackNamespaceIndex()
{
  return GetChannelNamespaceIndex();
}

void IPluginVST3::BeginInformHostOfParamChange(int paramIdx)
{
  beginEdit(static_cast<ParamID>(paramIdx));
}

void IPluginVST3::InformHostOfParamChange(int paramIdx, double normalized)
{
  // The controller's copy is what the host reads back.
  if (Parameter* object = parameters.getParameter(static_cast<ParamID>(paramIdx)); object && paramIdx >= 0)
    object->setNormalized(normalized);
  performEdit(static_cast<ParamID>(paramIdx), normalized);
}

void IPluginVST3::EndInformHostOfParamChange(int paramIdx)
{
  endEdit(static_cast<ParamID>(paramIdx));
}

void IPluginVST3::InformHostOfParameterDetailsChange()
{
  if (IComponentHandler* handler = getComponentHandler()) handler->restartComponent(kParamTitlesChanged);
}

void IPluginVST3::InformHostOfAllParamValuesFromUI()
{
  UpdateWithState(*this, GetSharedBypass());
  startGroupEdit();
  IPluginAPIBase::InformHostOfAllParamValuesFromUI();
  finishGroupEdit();
}

void IPluginVST3::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  if (Parameter* object = parameters.getParameter(static_cast<ParamID>(paramIdx)); object && paramIdx >= 0)
    object->setNormalized(normalizedValue);
  IPluginAPIBase::SendParameterValueFromUI(paramIdx, normalizedValue);
}

void IPluginVST3::InformHostOfOwnChange(int paramIdx)
{
  const IParam* param = GetParam(paramIdx);
  if (!param) return;
  // A host may answer the edit by setting the value back through the controller: that echo
  // must not start the plug-in's own reactions again (twins would bounce between their ranges).
  ++mInformingHost;
  BeginInformHostOfParamChange(paramIdx);
  InformHostOfParamChange(paramIdx, vst3::NormalizedFromReal(*param, param->Value()));
  EndInformHostOfParamChange(paramIdx);
  --mInformingHost;
}

void IPluginVST3::OnControllerParamChange(int) {}

void IPluginVST3::CatchUpParamsSetByProcessor()
{
  const ParamMask stale = TakeParamsSetByProcessor();
  for (int i = 0; stale && i < kParamMaskBits && i < NParams(); ++i) {
    if (!HasParam(stale, i)) continue;
    const IParam* param = GetParam(i);
    if (Parameter* object = parameters.getParameter(static_cast<ParamID>(i)))
      object->setNormalized(vst3::NormalizedFromReal(*param, param->Value()));
  }
}

bool IPluginVST3::EditorResize(int width, int height)
{
  if (!HasUI()) return true;
  if (width == GetEditorWidth() && height == GetEditorHeight()) {
    SetEditorSize(width, height);
    return true;
  }
  // The editor has taken the new size whatever the host does: the view reports it from here on.
  SetEditorSize(width, height);
  IPlugFrame* frame = mLastView ? mLastView->GetFrame() : nullptr;
  if (!frame) return false;
  ViewRect rect(0, 0, width, height);
  frame->resizeView(mLastView, &rect);
  return true;
}

// --- Component and processor ---

tresult PLUGIN_API IPluginVST3::initialize(FUnknown* context)
{
  if (SingleComponentEffect::initialize(context) != kResultOk) return kResultFalse;
  try {
    CreateBuses();
    IPluginVST3ControllerBase::Initialize(*this, *this, parameters, GetPlugType() == 1, DoesMidiIn());
    DetectHost(context);
  } catch (const std::bad_alloc&) {
    // Half an initialise is none: back to the state before it.
    terminate();
    return kOutOfMemory;
  }
  OnHostIdentified();
  OnParamReset(kReset);
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::terminate()
{
  IPluginVST3ControllerBase::Terminate();
  return SingleComponentEffect::terminate();
}

void IPluginVST3::CreateBuses()
{
  const vst3::BusPlan plan = vst3::PlanBuses(*this);
  AddAudioBuses(kInput, plan.inputs);
  AddAudioBuses(kOutput, plan.outputs);
  if (plan.dummyOutput) addAudioOutput("Dummy Output", SpeakerArr::kEmpty, kMain, 0);
  if (plan.midiInput) addEventInput("MIDI Input", 1, kMain, BusInfo::kDefaultActive);
  if (plan.midiOutput) addEventOutput("MIDI Output", 1, kMain, BusInfo::kDefaultActive);
}

void IPluginVST3::AddAudioBuses(ERoute direction, const std::vector<vst3::AudioBusDecl>& buses)
{
  for (const auto& bus : buses) {
    const BusType type = bus.main ? kMain : kAux;
    const int32 flags = bus.defaultActive ? BusInfo::kDefaultActive : 0;
    if (direction == kInput)
      addAudioInput(bus.name, bus.arrangement, type, flags);
    else
      addAudioOutput(bus.name, bus.arrangement, type, flags);
  }
}

void IPluginVST3::DetectHost(FUnknown* context)
{
  if (GetHost() != kHostUninit || !context) return;
  FUnknownPtr<IHostApplication> app(context);
  if (!app) return;
  String128 name{};
  if (app->getName(name) != kResultOk) return;
  char utf8[kString128] = {};
  text::Utf16ToUtf8(text::Utf16View(name, kString128), utf8, kString128);
  SetHost(utf8, 0);
}

tresult PLUGIN_API IPluginVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts)
{
  if (numIns < 0 || numOuts < 0 || (numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
    return kInvalidArgument;
  // These hosts ask for layouts the plug-in cannot take and cope with the ones it has.
  if (GetHost() == kHostArdour || GetHost() == kHostMixbus) return kResultOk;

  SetChannelConnections(kInput, 0, NChannels(kInput), false);
  SetChannelConnections(kOutput, 0, NChannels(kOutput), false);
  try {
    const int configIdx = vst3::MatchArrangements(*this, std::vector<uint64_t>(inputs, inputs + numIns),
                                                  std::vector<uint64_t>(outputs, outputs + numOuts));
    if (configIdx < 0) return kResultFalse;
    const IOConfig& config = *GetIOConfig(configIdx);
    const auto inputBuses = vst3::BusesOfConfig(*this, config, kInput);
    const auto outputBuses = vst3::BusesOfConfig(*this, config, kOutput);
    removeAudioBusses();
    AddAudioBuses(kInput, inputBuses);
    AddAudioBuses(kOutput, outputBuses);
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::setActive(TBool state)
{
  OnActivate(state != 0);
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::setupProcessing(ProcessSetup& setup)
{
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultOk) return kResultFalse;
  // No block or no time base: nothing could run on such a set-up.
  if (setup.maxSamplesPerBlock <= 0 || !std::isfinite(setup.sampleRate) || setup.sampleRate <= 0.0)
    return kInvalidArgument;
  const ProcessSetup previous = processSetup;
  if (SingleComponentEffect::setupProcessing(setup) != kResultOk) return kResultFalse;
  if (!IPluginVST3ProcessorBase::SetupProcessing(setup.sampleRate, setup.maxSamplesPerBlock)) {
    processSetup = previous;
    return kOutOfMemory;
  }
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::setProcessing(TBool state)
{
  if (!state) OnReset();
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::process(ProcessData& data)
{
  // Each call's own sample size decides how its buffers are read: 64-bit ones are attached by
  // pointer, 32-bit ones converted through the scratch buffers that every set-up sizes.
  Queues queues{mMidiMsgsFromEditor, mMidiMsgsFromProcessor, mSysExDataFromEditor, mSysexBuf};
  IPluginVST3ProcessorBase::Process(data, processSetup, mBusLists, queues);
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::canProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultOk : kResultFalse;
}

uint32 PLUGIN_API IPluginVST3::getLatencySamples()
{
  return static_cast<uint32>(std::max(GetLatency(), 0));
}

uint32 PLUGIN_API IPluginVST3::getTailSamples()
{
  const int tail = GetTailSize();
  return tail == kInfiniteTailSize ? kInfiniteTail : static_cast<uint32>(std::max(tail, 0));
}

int IPluginVST3::BusLists::NAudioBuses(ERoute direction) const noexcept
{
  int n = 0;
  while ((direction == kInput ? mOwner.getAudioInput(n) : mOwner.getAudioOutput(n)) != nullptr)
    ++n;
  return n;
}

bool IPluginVST3::BusLists::IsAudioBusActive(ERoute direction, int bus) const noexcept
{
  const AudioBus* object = direction == kInput ? mOwner.getAudioInput(bus) : mOwner.getAudioOutput(bus);
  return object && object->isActive();
}

// --- Edit controller ---

ParamValue PLUGIN_API IPluginVST3::getParamNormalized(ParamID id)
{
  CatchUpParamsSetByProcessor();
  const Parameter* object = parameters.getParameter(id);
  return object ? object->getNormalized() : 0.0;
}

tresult PLUGIN_API IPluginVST3::setParamNormalized(ParamID id, ParamValue value)
{
  if (!std::isfinite(value)) return kInvalidArgument;
  value = std::clamp(value, 0.0, 1.0);
  Parameter* object = parameters.getParameter(id);
  if (!object) return kResultFalse;
  CatchUpParamsSetByProcessor();
  object->setNormalized(value);
  if (id < static_cast<ParamID>(NParams())) {
    const int idx = static_cast<int>(id);
    IParam* param = GetParam(idx);
    param->Set(vst3::RealFromNormalized(*param, value));
    if (mInformingHost == 0) OnControllerParamChange(idx);
    // The editor follows the host; the processor hears of the change through process.
    OnParamChangeUI(idx, kHost);
    SendParameterValueFromDelegate(idx, value, true);
  }
  return kResultOk;
}

bool IPluginVST3::PopupHostContextMenu(std::function<ui::IControl*()> findTarget, int paramIdx,
                                       ui::IPopupMenu& items, int x, int y)
{
  if (paramIdx < 0 || paramIdx >= NParams()) return false;
  IPlugView* view = mLastView;
  return vst3::PopupHostContextMenu(getComponentHandler(), view, static_cast<ParamID>(paramIdx), items,
                                    std::move(findTarget), x, y);
}

IPlugView* PLUGIN_API IPluginVST3::createView(FIDString name)
{
  if (!HasUI() || !name || std::strcmp(name, ViewType::kEditor) != 0) return nullptr;
  View* view = new (std::nothrow) View(*this);
  if (view) mLastView = view;
  return view;
}

tresult PLUGIN_API IPluginVST3::getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                            CtrlNumber midiControllerNumber, ParamID& id)
{
  if (!DoesMidiIn()) return kResultFalse;
  uint32_t mapped = 0;
  if (!vst3::MidiControllerParamId(busIndex, channel, midiControllerNumber, mapped)) return kResultFalse;
  id = mapped;
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::getProgramName(ProgramListID listId, int32 programIndex, String128 name)
{
  if (!name) return kInvalidArgument;
  if (listId != static_cast<ProgramListID>(vst3::kPresetParamId) || NPresets() < 1) return kResultFalse;
  text::Utf8ToUtf16(GetPresetName(programIndex), name, kString128);
  return kResultOk;
}

int32 PLUGIN_API IPluginVST3::getProgramListCount()
{
  return 0;
}

tresult PLUGIN_API IPluginVST3::getProgramListInfo(int32, ProgramListInfo&)
{
  return kResultFalse;
}

tresult PLUGIN_API IPluginVST3::setChannelContextInfos(IAttributeList* list)
{
  try {
    return SetChannelContext(list) ? kResultOk : kResultFalse;
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
}

// --- Run-time type and interfaces ---

bool IPluginVST3::isTypeOf(FClassID s, bool askBaseClass) const
{
  if (FObject::classIDsEqual(s, getFClassID())) return true;
  return askBaseClass && SingleComponentEffect::isTypeOf(s, true);
}

tresult PLUGIN_API IPluginVST3::queryInterface(const TUID iid, void** obj)
{
  if (!obj) return kInvalidArgument;
  if (FUnknownPrivate::iidEqual(iid, IMidiMapping::iid)) {
    addRef();
    *obj = static_cast<IMidiMapping*>(this);
    return kResultOk;
  }
  if (FUnknownPrivate::iidEqual(iid, ChannelContext::IInfoListener::iid)) {
    addRef();
    *obj = static_cast<ChannelContext::IInfoListener*>(this);
    return kResultOk;
  }
  return SingleComponentEffect::queryInterface(iid, obj);
}

} // namespace plugin

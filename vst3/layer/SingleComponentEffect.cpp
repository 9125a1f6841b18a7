#include "vst3/layer/SingleComponentEffect.h"

#include "framework/text/UnicodeCodec.h"

#include <algorithm>
#include <cmath>

namespace plugin::layer {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Bus names are String128 on the host side: 127 units and the terminator.
void BusName(std::string_view nameUtf8, String128 out)
{
  text::Utf8ToUtf16(nameUtf8, out, 128);
}

template <typename BusType> BusType* BusAt(const BusList& list, int32 index)
{
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return nullptr;
  return static_cast<BusType*>(list[static_cast<size_t>(index)].get());
}

// A new audio bus at the end of the list, its name cut to fit; the list owns it.
AudioBus* AppendAudioBus(BusList& list, const TChar* name, SpeakerArrangement arr, BusType type, int32 flags)
{
  String128 cut{};
  BusName(text::Utf16ToUtf8(text::Utf16View(name, 4096)), cut);
  auto* bus = new AudioBus(cut, type, flags, arr);
  list.emplace_back(bus, false);
  return bus;
}

} // namespace

SingleComponentEffect::SingleComponentEffect()
    : audioInputs(kAudio, kInput), audioOutputs(kAudio, kOutput), eventInputs(kEvent, kInput),
      eventOutputs(kEvent, kOutput)
{}

SingleComponentEffect::~SingleComponentEffect() = default;

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr, BusType type,
                                               int32 flags)
{
  return AppendAudioBus(audioInputs, name, arr, type, flags);
}

AudioBus* SingleComponentEffect::addAudioInput(std::string_view nameUtf8, SpeakerArrangement arr,
                                               BusType type, int32 flags)
{
  String128 name{};
  BusName(nameUtf8, name);
  return addAudioInput(name, arr, type, flags);
}

AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType type,
                                                int32 flags)
{
  return AppendAudioBus(audioOutputs, name, arr, type, flags);
}

AudioBus* SingleComponentEffect::addAudioOutput(std::string_view nameUtf8, SpeakerArrangement arr,
                                                BusType type, int32 flags)
{
  String128 name{};
  BusName(nameUtf8, name);
  return addAudioOutput(name, arr, type, flags);
}

EventBus* SingleComponentEffect::addEventInput(std::string_view nameUtf8, int32 channels, BusType type,
                                               int32 flags)
{
  String128 name{};
  BusName(nameUtf8, name);
  auto* bus = new EventBus(name, type, flags, channels);
  eventInputs.emplace_back(bus, false);
  return bus;
}

EventBus* SingleComponentEffect::addEventOutput(std::string_view nameUtf8, int32 channels, BusType type,
                                                int32 flags)
{
  String128 name{};
  BusName(nameUtf8, name);
  auto* bus = new EventBus(name, type, flags, channels);
  eventOutputs.emplace_back(bus, false);
  return bus;
}

void SingleComponentEffect::removeAudioBusses()
{
  audioInputs.clear();
  audioOutputs.clear();
}

void SingleComponentEffect::removeEventBusses()
{
  eventInputs.clear();
  eventOutputs.clear();
}

void SingleComponentEffect::removeAllBusses()
{
  removeAudioBusses();
  removeEventBusses();
}

AudioBus* SingleComponentEffect::getAudioInput(int32 index) const
{
  return BusAt<AudioBus>(audioInputs, index);
}

AudioBus* SingleComponentEffect::getAudioOutput(int32 index) const
{
  return BusAt<AudioBus>(audioOutputs, index);
}

EventBus* SingleComponentEffect::getEventInput(int32 index) const
{
  return BusAt<EventBus>(eventInputs, index);
}

EventBus* SingleComponentEffect::getEventOutput(int32 index) const
{
  return BusAt<EventBus>(eventOutputs, index);
}

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir)
{
  return listFor(type, dir);
}

BusList* SingleComponentEffect::listFor(MediaType type, BusDirection dir) const
{
  auto* self = const_cast<SingleComponentEffect*>(this);
  if (type == kAudio && dir == kInput) return &self->audioInputs;
  if (type == kAudio && dir == kOutput) return &self->audioOutputs;
  if (type == kEvent && dir == kInput) return &self->eventInputs;
  if (type == kEvent && dir == kOutput) return &self->eventOutputs;
  return nullptr;
}

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context)
{
  return ControllerStateSide::initialize(context);
}

tresult PLUGIN_API SingleComponentEffect::terminate()
{
  removeAllBusses();
  // The SDK controller drops parameters, units, program lists and the host's handlers.
  return ControllerStateSide::terminate();
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID)
{
  return kNotImplemented; // the controller is this object
}

tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode)
{
  return kNotImplemented;
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir)
{
  const BusList* list = listFor(type, dir);
  return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                                     BusInfo& info)
{
  const BusList* list = listFor(type, dir);
  if (!list) return kInvalidArgument;
  Vst::Bus* bus = BusAt<Vst::Bus>(*list, index);
  if (!bus) return kInvalidArgument;
  info = BusInfo{};
  info.mediaType = type;
  info.direction = dir;
  return bus->getInfo(info) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo&, RoutingInfo&)
{
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                                      TBool state)
{
  const BusList* list = listFor(type, dir);
  if (!list) return kInvalidArgument;
  Vst::Bus* bus = BusAt<Vst::Bus>(*list, index);
  if (!bus) return kInvalidArgument;
  bus->setActive(state ? true : false);
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool)
{
  return kResultOk;
}

tresult SingleComponentEffect::loadComponentState(IBStream*)
{
  return kNotImplemented;
}

tresult SingleComponentEffect::saveComponentState(IBStream*)
{
  return kNotImplemented;
}

tresult SingleComponentEffect::loadControllerState(IBStream*)
{
  return kNotImplemented;
}

tresult SingleComponentEffect::saveControllerState(IBStream*)
{
  return kNotImplemented;
}

tresult PLUGIN_API SingleComponentEffect::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
  if (paramIndex < 0 || paramIndex >= parameters.getParameterCount()) return kResultFalse;
  return ControllerStateSide::getParameterInfo(paramIndex, info);
}

tresult PLUGIN_API SingleComponentEffect::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                                String128 string)
{
  if (!string || !std::isfinite(valueNormalized)) return kInvalidArgument;
  return ControllerStateSide::getParamStringByValue(id, std::clamp(valueNormalized, 0.0, 1.0), string);
}

tresult PLUGIN_API SingleComponentEffect::getParamValueByString(ParamID id, TChar* string,
                                                                ParamValue& valueNormalized)
{
  if (!string) return kInvalidArgument;
  return ControllerStateSide::getParamValueByString(id, string, valueNormalized);
}

tresult PLUGIN_API SingleComponentEffect::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
  if (unitIndex < 0 || static_cast<size_t>(unitIndex) >= units.size()) return kResultFalse;
  return ControllerStateSide::getUnitInfo(unitIndex, info);
}

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                             SpeakerArrangement* outputs, int32 numOuts)
{
  if (numIns < 0 || numOuts < 0) return kInvalidArgument;
  if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs)) return kInvalidArgument;
  if (static_cast<size_t>(numIns) != audioInputs.size() ||
      static_cast<size_t>(numOuts) != audioOutputs.size())
    return kResultFalse;
  for (int32 i = 0; i < numIns; ++i)
    getAudioInput(i)->setArrangement(inputs[i]);
  for (int32 i = 0; i < numOuts; ++i)
    getAudioOutput(i)->setArrangement(outputs[i]);
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index,
                                                            SpeakerArrangement& arr)
{
  AudioBus* bus = dir == kInput ? getAudioInput(index) : dir == kOutput ? getAudioOutput(index) : nullptr;
  if (!bus) return kInvalidArgument;
  arr = bus->getArrangement();
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API SingleComponentEffect::getLatencySamples()
{
  return 0;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup)
{
  if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue) return kResultFalse;
  processSetup = setup;
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool)
{
  return kNotImplemented;
}

uint32 PLUGIN_API SingleComponentEffect::getTailSamples()
{
  return kNoTail;
}

uint32 PLUGIN_API SingleComponentEffect::getProcessContextRequirements()
{
  return 0;
}

bool SingleComponentEffect::isTypeOf(FClassID s, bool askBaseClass) const
{
  if (classIDsEqual(s, getFClassID())) return true;
  return askBaseClass && EditControllerEx1::isTypeOf(s, true);
}

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID iid, void** obj)
{
  if (!obj) return kInvalidArgument;
  if (FUnknownPrivate::iidEqual(iid, IComponent::iid)) {
    addRef();
    *obj = static_cast<IComponent*>(this);
    return kResultOk;
  }
  if (FUnknownPrivate::iidEqual(iid, IAudioProcessor::iid)) {
    addRef();
    *obj = static_cast<IAudioProcessor*>(this);
    return kResultOk;
  }
  if (FUnknownPrivate::iidEqual(iid, IProcessContextRequirements::iid)) {
    addRef();
    *obj = static_cast<IProcessContextRequirements*>(this);
    return kResultOk;
  }
  // IEditController, IEditController2, IUnitInfo, IPluginBase, IConnectionPoint, FUnknown.
  return ControllerStateSide::queryInterface(iid, obj);
}

} // namespace plugin::layer

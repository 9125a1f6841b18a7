#pragma once

#include "vst3/layer/SeparateStates.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "public.sdk/source/vst/vstbus.h"

#include <string_view>

namespace plugin::layer {

// An audio effect whose edit controller, component and audio processor are one object: the
// SDK's edit controller (parameters, units, program lists, component handler) plus IComponent
// (bus lists, bus info and activation) and IAudioProcessor (arrangements, sample sizes, process
// set-up). Reference-counted; created with one reference; the last release deletes it.
//
// A subclass overrides `process` and usually initialize/terminate (add buses and parameters
// after calling this class's version), canProcessSampleSize (32-bit only here),
// setBusArrangements, setActive, setProcessing, the four state calls and the controller calls
// of the SDK base (getParamNormalized, setParamNormalized, createView, ...). It answers
// queryInterface for further interfaces and then calls this class's version.
class SingleComponentEffect : public ControllerStateSide,
                              public ComponentStateSide,
                              public Steinberg::Vst::IAudioProcessor,
                              public Steinberg::Vst::IProcessContextRequirements
{
public:
  SingleComponentEffect();
  ~SingleComponentEffect() override;

  SingleComponentEffect(const SingleComponentEffect&) = delete;
  SingleComponentEffect& operator=(const SingleComponentEffect&) = delete;

  // Bus lists (main thread, during initialize or setBusArrangements; allocate). A name longer
  // than 127 UTF-16 units is cut at a whole code point.
  Steinberg::Vst::AudioBus* addAudioInput(const Steinberg::Vst::TChar* name,
                                          Steinberg::Vst::SpeakerArrangement arr,
                                          Steinberg::Vst::BusType type = Steinberg::Vst::kMain,
                                          Steinberg::int32 flags = Steinberg::Vst::BusInfo::kDefaultActive);
  Steinberg::Vst::AudioBus* addAudioInput(std::string_view nameUtf8, Steinberg::Vst::SpeakerArrangement arr,
                                          Steinberg::Vst::BusType type = Steinberg::Vst::kMain,
                                          Steinberg::int32 flags = Steinberg::Vst::BusInfo::kDefaultActive);
  Steinberg::Vst::AudioBus* addAudioOutput(const Steinberg::Vst::TChar* name,
                                           Steinberg::Vst::SpeakerArrangement arr,
                                           Steinberg::Vst::BusType type = Steinberg::Vst::kMain,
                                           Steinberg::int32 flags = Steinberg::Vst::BusInfo::kDefaultActive);
  Steinberg::Vst::AudioBus* addAudioOutput(std::string_view nameUtf8, Steinberg::Vst::SpeakerArrangement arr,
                                           Steinberg::Vst::BusType type = Steinberg::Vst::kMain,
                                           Steinberg::int32 flags = Steinberg::Vst::BusInfo::kDefaultActive);
  Steinberg::Vst::EventBus* addEventInput(std::string_view nameUtf8, Steinberg::int32 channels = 16,
                                          Steinberg::Vst::BusType type = Steinberg::Vst::kMain,
                                          Steinberg::int32 flags = Steinberg::Vst::BusInfo::kDefaultActive);
  Steinberg::Vst::EventBus* addEventOutput(std::string_view nameUtf8, Steinberg::int32 channels = 16,
                                           Steinberg::Vst::BusType type = Steinberg::Vst::kMain,
                                           Steinberg::int32 flags = Steinberg::Vst::BusInfo::kDefaultActive);
  // Remove every audio bus / every event bus / both (main thread).
  void removeAudioBusses();
  void removeEventBusses();
  void removeAllBusses();

  // The bus of that direction and index, null when there is none (any thread; no allocation).
  Steinberg::Vst::AudioBus* getAudioInput(Steinberg::int32 index) const;
  Steinberg::Vst::AudioBus* getAudioOutput(Steinberg::int32 index) const;
  Steinberg::Vst::EventBus* getEventInput(Steinberg::int32 index) const;
  Steinberg::Vst::EventBus* getEventOutput(Steinberg::int32 index) const;
  // The list of that media type and direction, null for an unknown pair.
  Steinberg::Vst::BusList* getBusList(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir);

  // The set-up stored by the last accepted setupProcessing.
  const Steinberg::Vst::ProcessSetup& getProcessSetup() const { return processSetup; }

  // IPluginBase (host, main thread). initialize fails when already initialised; terminate
  // removes buses, parameters, units and program lists, so a second initialize starts afresh.
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  Steinberg::tresult PLUGIN_API terminate() override;

  // IComponent (host, main thread).
  Steinberg::tresult PLUGIN_API getControllerClassId(Steinberg::TUID classId) override;
  Steinberg::tresult PLUGIN_API setIoMode(Steinberg::Vst::IoMode mode) override;
  Steinberg::int32 PLUGIN_API getBusCount(Steinberg::Vst::MediaType type,
                                          Steinberg::Vst::BusDirection dir) override;
  Steinberg::tresult PLUGIN_API getBusInfo(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir,
                                           Steinberg::int32 index, Steinberg::Vst::BusInfo& info) override;
  Steinberg::tresult PLUGIN_API getRoutingInfo(Steinberg::Vst::RoutingInfo& inInfo,
                                               Steinberg::Vst::RoutingInfo& outInfo) override;
  Steinberg::tresult PLUGIN_API activateBus(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir,
                                            Steinberg::int32 index, Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
  // Host, main thread: both return kNotImplemented here.
  Steinberg::tresult loadComponentState(Steinberg::IBStream* state) override;
  Steinberg::tresult saveComponentState(Steinberg::IBStream* state) override;
  Steinberg::tresult loadControllerState(Steinberg::IBStream* state) override;
  Steinberg::tresult saveControllerState(Steinberg::IBStream* state) override;

  // IEditController / IUnitInfo calls whose SDK versions index or convert unchecked (an
  // out-of-range index or value would throw through the host): checked here, then forwarded.
  // Host, main thread.
  Steinberg::tresult PLUGIN_API getParameterInfo(Steinberg::int32 paramIndex,
                                                 Steinberg::Vst::ParameterInfo& info) override;
  // Non-finite values are refused; others are clamped to 0..1.
  Steinberg::tresult PLUGIN_API getParamStringByValue(Steinberg::Vst::ParamID id,
                                                      Steinberg::Vst::ParamValue valueNormalized,
                                                      Steinberg::Vst::String128 string) override;
  Steinberg::tresult PLUGIN_API getParamValueByString(Steinberg::Vst::ParamID id,
                                                      Steinberg::Vst::TChar* string,
                                                      Steinberg::Vst::ParamValue& valueNormalized) override;
  Steinberg::tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex,
                                            Steinberg::Vst::UnitInfo& info) override;

  // IAudioProcessor (host; main thread except process, which runs on the audio thread).
  // Accepts arrangements only for exactly the existing bus counts and stores them.
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                   Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override;
  Steinberg::tresult PLUGIN_API getBusArrangement(Steinberg::Vst::BusDirection dir, Steinberg::int32 index,
                                                  Steinberg::Vst::SpeakerArrangement& arr) override;
  // 32-bit only here.
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override;
  // Stores the set-up when canProcessSampleSize accepts its sample size, else kResultFalse.
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
  // Audio thread: must not allocate, lock or block.
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override = 0;
  Steinberg::uint32 PLUGIN_API getTailSamples() override;

  // IProcessContextRequirements (host, main thread, between initialize and setActive): the
  // process-context fields the effect reads, as the interface's kNeed* flags. None here.
  Steinberg::uint32 PLUGIN_API getProcessContextRequirements() override;

  // Run-time type names: "SingleComponentEffect", then the SDK controller's chain.
  static Steinberg::FClassID getFClassID() { return "SingleComponentEffect"; }
  Steinberg::FClassID isA() const override { return getFClassID(); }
  bool isA(Steinberg::FClassID s) const override { return isTypeOf(s, false); }
  bool isTypeOf(Steinberg::FClassID s, bool askBaseClass = true) const override;

  // FUnknown (host, any thread).
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return ControllerStateSide::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return ControllerStateSide::release(); }

protected:
  Steinberg::Vst::BusList audioInputs;
  Steinberg::Vst::BusList audioOutputs;
  Steinberg::Vst::BusList eventInputs;
  Steinberg::Vst::BusList eventOutputs;
  Steinberg::Vst::ProcessSetup processSetup{};

private:
  Steinberg::Vst::BusList* listFor(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir) const;
};

} // namespace plugin::layer

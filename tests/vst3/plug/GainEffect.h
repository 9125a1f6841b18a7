#pragma once

#include "vst3/layer/SingleComponentEffect.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <atomic>

namespace plugin::testplug {

// A small effect on the single-component base, used to prove our SDK layer through a real
// bundle: output = gain x main input (+ side chain when its bus is active), gain changes are
// sample-accurate at the points' offsets, 32- and 64-bit processing.
class GainEffect : public plugin::layer::SingleComponentEffect
{
public:
  // Factory create function (host main thread).
  static Steinberg::FUnknown* Create(void* context);

  // Host, main thread: adds the buses (stereo main in, stereo side chain, stereo out) and the
  // gain parameter.
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  // Host, main thread: 32- and 64-bit.
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  // Host, main thread.
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
  // Host audio thread; no allocation, no locks.
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
  // Host, main thread: the 12-byte component state; a short, failing or corrupt stream changes
  // nothing and gives kResultFalse.
  Steinberg::tresult loadComponentState(Steinberg::IBStream* state) override;
  Steinberg::tresult saveComponentState(Steinberg::IBStream* state) override;
  // Host, main thread: the 4-byte controller tag.
  Steinberg::tresult loadControllerState(Steinberg::IBStream* state) override;
  Steinberg::tresult saveControllerState(Steinberg::IBStream* state) override;
  // Host, main thread: accepted without reading (the component state carries everything).
  Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;
  // Host, main thread: non-finite values are refused with kInvalidArgument.
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID id,
                                                   Steinberg::Vst::ParamValue value) override;

private:
  template <typename Sample>
  void render(Steinberg::Vst::ProcessData& data, Steinberg::Vst::IParamValueQueue* queue);

  std::atomic<double> mGain{1.0};
  bool mActive = false;
};

} // namespace plugin::testplug

#include "tools/render/Vst3Target.h"

#include "engine/dsp/KelmoParams.h"
#include "tools/render/EngineTarget.h"
#include "tools/render/UserPresetIsolation.h"
#include "tools/vst3host/PluginInstance.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>

namespace kelmo::render {

namespace {

// Parameter ids from here on are the binding's own (bypass, MIDI controllers).
constexpr uint32_t kFirstBindingParamId = 0x10000;

} // namespace

std::unique_ptr<Vst3Target> Vst3Target::Load(const std::string& bundlePath, std::string& error)
{
  using plugin::vst3host::Module;
  using plugin::vst3host::PluginInstance;
  // The module stays mapped until the process ends: the framework inside keeps objects for the
  // process's lifetime, which unloading would strand.
  const std::string binary = Module::BinaryPathOf(bundlePath);
  if (!::dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {
    const char* reason = ::dlerror();
    error = "cannot load VST3 bundle '" + bundlePath + "': " + (reason ? reason : "unknown reason");
    return nullptr;
  }
  std::unique_ptr<Vst3Target> target(new Vst3Target);
  {
    UserPresetIsolation isolation;
    std::string reason;
    target->mInstance = PluginInstance::Load(bundlePath, reason, "Kelmo Render");
    if (!target->mInstance) {
      error = "cannot load VST3 bundle '" + bundlePath + "': " + reason;
      return nullptr;
    }
  }
  PluginInstance& p = *target->mInstance;
  for (int i = 0; i < p.ParameterCount(); ++i) {
    PluginInstance::ParameterInfo info;
    if (!p.GetParameterInfo(i, info) || info.id >= kFirstBindingParamId) continue;
    ParamInfo param;
    param.index = static_cast<int>(info.id);
    param.name = info.title;
    param.minValue = p.ToPlain(info.id, 0.0);
    param.maxValue = p.ToPlain(info.id, 1.0);
    param.whole = info.stepCount > 0;
    target->mParams.push_back(param);
  }
  std::sort(target->mParams.begin(), target->mParams.end(),
            [](const ParamInfo& a, const ParamInfo& b) { return a.index < b.index; });
  for (size_t i = 0; i < target->mParams.size(); ++i) {
    if (target->mParams[i].index != static_cast<int>(i)) {
      error = "VST3 bundle '" + bundlePath + "' does not number its parameters 0, 1, 2, ...";
      return nullptr;
    }
  }
  return target;
}

Vst3Target::~Vst3Target() = default;

bool Vst3Target::ReadState(std::vector<uint8_t>& state, std::string& error) const
{
  if (!mInstance->GetState(state)) {
    error = "the VST3 plug-in refused to give its state";
    return false;
  }
  if (state.size() < mParams.size() * sizeof(double)) {
    error = "the VST3 plug-in's state does not hold one value per parameter";
    return false;
  }
  return true;
}

bool Vst3Target::GetValues(std::vector<double>& values, std::string& error)
{
  std::vector<uint8_t> state;
  if (!ReadState(state, error)) return false;
  values.assign(mParams.size(), 0.0);
  std::memcpy(values.data(), state.data(), values.size() * sizeof(double));
  return true;
}

bool Vst3Target::RestoreValues(const std::vector<double>& values, std::string& error)
{
  std::vector<uint8_t> state;
  if (!ReadState(state, error)) return false;
  if (values.size() != mParams.size()) {
    error = "internal error: " + std::to_string(values.size()) + " values for " +
            std::to_string(mParams.size()) + " parameters";
    return false;
  }
  // The state's parameter block is replaced; whatever follows it (the bypass flag) is kept.
  std::memcpy(state.data(), values.data(), values.size() * sizeof(double));
  if (!mInstance->SetState(state)) {
    error = "the VST3 plug-in refused the parameter state";
    return false;
  }
  return true;
}

bool Vst3Target::RecallFactoryPreset(int index, std::string& error)
{
  if (mParams.size() != static_cast<size_t>(kNumParams)) {
    error = "the VST3 plug-in does not have the compressor's parameters, so not its factory presets";
    return false;
  }
  // No VST3 interface recalls a preset: the values the compressor's own recall gives (linking
  // included) are computed by the built-in engine and handed over as a state.
  EngineTarget recall;
  std::vector<double> values;
  if (!recall.RecallFactoryPreset(index, error) || !recall.GetValues(values, error)) return false;
  return RestoreValues(values, error);
}

bool Vst3Target::Prepare(const ProcessLayout& layout, std::string& error)
{
  using plugin::vst3host::PluginInstance;
  const int sidechainBus = layout.sidechainChannels > 0 ? layout.sidechainChannels : 2;
  if (!mInstance->SetBusArrangements({layout.mainChannels, sidechainBus}, {layout.mainChannels})) {
    error = "the VST3 plug-in refused " + std::to_string(layout.mainChannels) + " main channel(s) with a " +
            std::to_string(sidechainBus) + "-channel side-chain";
    return false;
  }
  if (layout.sidechainChannels > 0 && !mInstance->SetSidechainActive(true)) {
    error = "the VST3 plug-in refused to switch its side-chain on";
    return false;
  }
  PluginInstance::Setup setup;
  setup.sampleRate = layout.sampleRate;
  setup.maxBlockSize = layout.blockSize;
  setup.doublePrecision = layout.doublePrecision;
  setup.offline = true;
  setup.tempoBpm = layout.tempoBpm; // the synced releases follow the transport's tempo
  std::string reason;
  if (!mInstance->Prepare(setup, reason)) {
    error = "VST3 set-up failed: " + reason;
    return false;
  }
  mLayout = layout;
  return true;
}

bool Vst3Target::Automate(int index, double value, std::string& error)
{
  if (!mInstance->SetParameter(static_cast<uint32_t>(index), value, false)) {
    error = "the VST3 plug-in refused a value for parameter " + std::to_string(index);
    return false;
  }
  return true;
}

bool Vst3Target::Process(const float* const* main, const float* const* sidechain, float* const* outputs,
                         int nFrames)
{
  return mInstance->Process(main, mLayout.mainChannels, sidechain, sidechain ? mLayout.sidechainChannels : 0,
                            outputs, mLayout.mainChannels, nFrames);
}

bool Vst3Target::Process(const double* const* main, const double* const* sidechain, double* const* outputs,
                         int nFrames)
{
  return mInstance->Process(main, mLayout.mainChannels, sidechain, sidechain ? mLayout.sidechainChannels : 0,
                            outputs, mLayout.mainChannels, nFrames);
}

} // namespace kelmo::render

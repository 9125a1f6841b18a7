#include "tools/render/EngineTarget.h"

#include "engine/Kelmo.h"
#include "framework/buffers/IByteChunk.h"
#include "tools/render/UserPresetIsolation.h"

#include <type_traits>

namespace kelmo::render {

// The plug-in with the frame's set-up calls that a host binding makes reachable.
class EngineTarget::Plugin : public Kelmo
{
public:
  Plugin() : Kelmo(plugin::InstanceInfo{}) {}

  using plugin::IPluginProcessor::SetSampleRate;
  using plugin::IPluginProcessor::TimeInfo;
};

EngineTarget::EngineTarget()
{
  {
    UserPresetIsolation isolation;
    mPlugin = new Plugin; // one reference, owned here
  }
  for (int i = 0; i < mPlugin->NParams(); ++i) {
    const plugin::IParam* p = mPlugin->GetParam(i);
    ParamInfo info;
    info.index = i;
    info.name = p->GetName();
    info.minValue = p->GetMin();
    info.maxValue = p->GetMax();
    info.whole = p->GetStepped() && p->GetStep() == 1.0;
    mParams.push_back(info);
  }
}

EngineTarget::~EngineTarget()
{
  if (mPlugin) mPlugin->release();
}

bool EngineTarget::GetValues(std::vector<double>& values, std::string&)
{
  values.clear();
  for (int i = 0; i < mPlugin->NParams(); ++i)
    values.push_back(mPlugin->GetParam(i)->Value());
  return true;
}

bool EngineTarget::RestoreValues(const std::vector<double>& values, std::string& error)
{
  if (static_cast<int>(values.size()) != mPlugin->NParams()) {
    error = "internal error: " + std::to_string(values.size()) + " values for " +
            std::to_string(mPlugin->NParams()) + " parameters";
    return false;
  }
  plugin::IByteChunk chunk;
  for (double v : values)
    if (chunk.Put(&v) <= 0) {
      error = "out of memory";
      return false;
    }
  // Applied as a host applies a saved session: every value exactly as given, no channel linking.
  mPlugin->SetRestoringHostState(true);
  const int end = mPlugin->UnserializeParams(chunk, 0);
  mPlugin->SetRestoringHostState(false);
  if (end < 0) {
    error = "the plug-in could not read the parameter values";
    return false;
  }
  return true;
}

bool EngineTarget::RecallFactoryPreset(int index, std::string& error)
{
  if (!mPlugin->RestorePreset(index)) {
    error = "the plug-in could not recall preset " + std::to_string(index);
    return false;
  }
  return true;
}

bool EngineTarget::Prepare(const ProcessLayout& layout, std::string& error)
{
  mPlugin->SetSampleRate(layout.sampleRate);
  if (!mPlugin->SetBlockSize(layout.blockSize)) {
    error = "out of memory for blocks of " + std::to_string(layout.blockSize) + " frames";
    return false;
  }
  mPlugin->ZeroScratchBuffers();
  mPlugin->TimeInfo().mTempo = layout.tempoBpm;
  mLayout = layout;
  // Connections as the host would make them, then the processing set-up's reset.
  mPlugin->SetChannelConnections(plugin::kInput, 0, mPlugin->NChannels(plugin::kInput), false);
  mPlugin->SetChannelConnections(plugin::kInput, 0, layout.mainChannels, true);
  if (layout.sidechainChannels > 0)
    mPlugin->SetChannelConnections(plugin::kInput, 2, layout.sidechainChannels, true);
  mPlugin->SetChannelConnections(plugin::kOutput, 0, mPlugin->NChannels(plugin::kOutput), false);
  mPlugin->SetChannelConnections(plugin::kOutput, 0, layout.mainChannels, true);
  mPlugin->OnReset();
  mPrepared = true;
  return true;
}

bool EngineTarget::Automate(int index, double value, std::string& error)
{
  plugin::IParam* param = mPlugin->GetParam(index);
  if (!param) {
    error = "no parameter has index " + std::to_string(index);
    return false;
  }
  param->Set(value);
  mPlugin->OnParamChange(index, plugin::kHost, 0);
  return true;
}

template <typename T>
bool EngineTarget::Run(const T* const* main, const T* const* sidechain, T* const* outputs, int nFrames)
{
  if (!mPrepared || (mLayout.doublePrecision != std::is_same_v<T, double>)) return false;
  // The frame takes mutable pointers; inputs are only read.
  T* ins[2] = {};
  T* sc[2] = {};
  T* outs[2] = {};
  for (int c = 0; c < mLayout.mainChannels && c < 2; ++c) {
    ins[c] = const_cast<T*>(main[c]);
    outs[c] = outputs[c];
  }
  for (int c = 0; sidechain && c < mLayout.sidechainChannels && c < 2; ++c)
    sc[c] = const_cast<T*>(sidechain[c]);
  if constexpr (std::is_same_v<T, double>) {
    mPlugin->AttachBuffers(plugin::kInput, 0, mLayout.mainChannels, ins);
    if (mLayout.sidechainChannels > 0)
      mPlugin->AttachBuffers(plugin::kInput, 2, mLayout.sidechainChannels, sc);
    mPlugin->AttachBuffers(plugin::kOutput, 0, mLayout.mainChannels, outs);
    return mPlugin->ProcessBuffers(0.0, nFrames);
  } else {
    mPlugin->AttachBuffers(plugin::kInput, 0, mLayout.mainChannels, ins, nFrames);
    if (mLayout.sidechainChannels > 0)
      mPlugin->AttachBuffers(plugin::kInput, 2, mLayout.sidechainChannels, sc, nFrames);
    mPlugin->AttachBuffers(plugin::kOutput, 0, mLayout.mainChannels, outs, nFrames);
    return mPlugin->ProcessBuffers(0.0f, nFrames);
  }
}

bool EngineTarget::Process(const float* const* main, const float* const* sidechain, float* const* outputs,
                           int nFrames)
{
  return Run(main, sidechain, outputs, nFrames);
}

bool EngineTarget::Process(const double* const* main, const double* const* sidechain, double* const* outputs,
                           int nFrames)
{
  return Run(main, sidechain, outputs, nFrames);
}

std::optional<MeterReading> EngineTarget::Meter(int channel) const
{
  MeterReading m;
  m.gainReductionDb = mPlugin->Dsp().MeterReadout(channel);
  m.needle = mPlugin->Dsp().MeterNeedle(channel);
  return m;
}

} // namespace kelmo::render

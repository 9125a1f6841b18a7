#include "tools/editor/LinkedPlugin.h"

#include "engine/Kelmo.h"
#include "tools/vst3host/HostApplication.h"
#include "vst3/PlugFactory.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <algorithm>
#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace kelmo::editor {

std::unique_ptr<LinkedPlugin> LinkedPlugin::Create(std::string& error)
{
  std::unique_ptr<LinkedPlugin> p(new LinkedPlugin);
  FUnknown* instance = plugin::CreateInstance<Kelmo>(nullptr);
  if (!instance) {
    error = "the plug-in could not be created";
    return nullptr;
  }
  // The instance comes with one reference, which the component pointer takes over.
  IPtr<FUnknown> unknown = owned(instance);
  p->mComponent = FUnknownPtr<IComponent>(unknown);
  p->mProcessor = FUnknownPtr<IAudioProcessor>(unknown);
  p->mController = FUnknownPtr<IEditController>(unknown);
  if (!p->mComponent || !p->mProcessor || !p->mController) {
    error = "the plug-in lacks a VST3 interface";
    return nullptr;
  }
  p->mHost = owned(static_cast<FUnknown*>(new plugin::vst3host::HostApplication("Kelmo Editor")));
  if (p->mComponent->initialize(p->mHost.get()) != kResultOk) {
    error = "the plug-in refused to initialise";
    return nullptr;
  }
  p->mInitialized = true;
  return p;
}

LinkedPlugin::~LinkedPlugin()
{
  if (mActive) {
    mProcessor->setProcessing(false);
    mComponent->setActive(false);
  }
  if (mInitialized) mComponent->terminate();
}

bool LinkedPlugin::Prepare(double sampleRate, int maxBlockSize, std::string& error)
{
  ProcessSetup setup{kRealtime, kSample32, maxBlockSize, sampleRate};
  if (maxBlockSize <= 0 || mProcessor->setupProcessing(setup) != kResultOk) {
    error = "the plug-in refused the processing set-up";
    return false;
  }
  mMaxBlock = maxBlockSize;
  mSilence.assign(static_cast<size_t>(maxBlockSize), 0.f);
  mScratch.assign(static_cast<size_t>(maxBlockSize), 0.f);
  const auto build = [this](BusDirection dir, std::vector<AudioBusBuffers>& buses,
                            std::vector<std::vector<float*>>& pointers) {
    const int32 n = mComponent->getBusCount(kAudio, dir);
    buses.assign(static_cast<size_t>(std::max(n, 0)), AudioBusBuffers{});
    pointers.assign(buses.size(), {});
    for (int32 b = 0; b < n; ++b) {
      BusInfo info{};
      mComponent->getBusInfo(kAudio, dir, b, info);
      pointers[static_cast<size_t>(b)].assign(static_cast<size_t>(std::max(info.channelCount, 0)),
                                              dir == kInput ? mSilence.data() : mScratch.data());
      buses[static_cast<size_t>(b)].numChannels = info.channelCount;
    }
  };
  build(kInput, mInBuses, mInPointers);
  build(kOutput, mOutBuses, mOutPointers);
  if (mComponent->setActive(true) != kResultOk) {
    error = "the plug-in refused to activate";
    return false;
  }
  mProcessor->setProcessing(true);
  mActive = true;
  return true;
}

bool LinkedPlugin::Process(const float* const* in, float* const* out, int nFrames)
{
  if (!mActive || nFrames <= 0 || nFrames > mMaxBlock || mInPointers.empty() || mOutPointers.empty())
    return false;
  for (size_t c = 0; c < mInPointers[0].size() && c < 2; ++c)
    mInPointers[0][c] = const_cast<float*>(in[c]);
  for (size_t c = 0; c < mOutPointers[0].size() && c < 2; ++c)
    mOutPointers[0][c] = out[c];
  for (size_t b = 0; b < mInBuses.size(); ++b)
    mInBuses[b].channelBuffers32 = mInPointers[b].data();
  for (size_t b = 0; b < mOutBuses.size(); ++b)
    mOutBuses[b].channelBuffers32 = mOutPointers[b].data();
  ProcessData data;
  data.processMode = kRealtime;
  data.symbolicSampleSize = kSample32;
  data.numSamples = nFrames;
  data.numInputs = static_cast<int32>(mInBuses.size());
  data.numOutputs = static_cast<int32>(mOutBuses.size());
  data.inputs = mInBuses.data();
  data.outputs = mOutBuses.data();
  data.inputParameterChanges = &mInChanges;
  const bool processed = mProcessor->process(data) == kResultOk;
  mInChanges.clear();
  return processed;
}

bool LinkedPlugin::SetParameter(ParamID id, double plainValue)
{
  const double normalized = mController->plainParamToNormalized(id, plainValue);
  if (!std::isfinite(normalized) || mController->setParamNormalized(id, normalized) != kResultOk)
    return false;
  return mInChanges.add(id, 0, normalized);
}

IPtr<IPlugView> LinkedPlugin::CreateEditorView() const
{
  return owned(mController->createView(ViewType::kEditor));
}

} // namespace kelmo::editor

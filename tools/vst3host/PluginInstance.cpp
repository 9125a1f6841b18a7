#include "tools/vst3host/PluginInstance.h"

#include "framework/text/UnicodeCodec.h"
#include "tools/vst3host/MemoryStream.h"
#include "tools/vst3host/PlayingTransport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace plugin::vst3host {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kString128 = 128;

std::string Utf8Of(const TChar* text)
{
  return plugin::text::Utf16ToUtf8(plugin::text::Utf16View(text, kString128));
}

} // namespace

std::unique_ptr<PluginInstance> PluginInstance::Load(const std::string& bundlePath, std::string& error,
                                                     const std::string& hostName)
{
  std::unique_ptr<PluginInstance> instance(new PluginInstance);
  instance->mModule = Module::Load(bundlePath, error);
  if (!instance->mModule) return nullptr;

  IPluginFactory* factory = instance->mModule->factory();
  const int32 nClasses = factory->countClasses();
  for (int32 i = 0; i < nClasses && !instance->mProcessor; ++i) {
    PClassInfo info{};
    if (factory->getClassInfo(i, &info) != kResultOk) continue;
    if (std::strncmp(info.category, kVstAudioEffectClass, sizeof(info.category)) != 0) continue;
    instance->mProcessor = instance->mModule->createInstance<IAudioProcessor>(info.cid);
    instance->mClassName.assign(info.name, strnlen(info.name, sizeof(info.name)));
  }
  if (!instance->mProcessor) {
    error = "no audio effect class could be created from " + bundlePath;
    return nullptr;
  }
  instance->mComponent = FUnknownPtr<IComponent>(instance->mProcessor);
  instance->mController = FUnknownPtr<IEditController>(instance->mProcessor);
  if (!instance->mComponent || !instance->mController) {
    error = "the plug-in is not a single-component effect (no component or controller interface)";
    return nullptr;
  }
  instance->mHost = owned(new HostApplication(hostName));
  if (instance->mComponent->initialize(instance->mHost.get()) != kResultOk) {
    error = "the plug-in refused to initialise";
    return nullptr;
  }
  instance->mInitialized = true;
  instance->ActivateDefaultBuses();
  instance->BuildBuffers();
  return instance;
}

PluginInstance::~PluginInstance()
{
  if (mPrepared) {
    mProcessor->setProcessing(false);
    mComponent->setActive(false);
  }
  if (mInitialized) mComponent->terminate();
  mController = nullptr;
  mComponent = nullptr;
  mProcessor = nullptr;
  mModule.reset(); // the plug-in is gone before its code is unloaded
}

int PluginInstance::NumAudioBuses(BusDirection direction) const
{
  return mComponent->getBusCount(kAudio, direction);
}

int PluginInstance::BusChannels(BusDirection direction, int bus) const
{
  BusInfo info{};
  if (mComponent->getBusInfo(kAudio, direction, bus, info) != kResultOk) return 0;
  return std::max<int32>(info.channelCount, 0);
}

bool PluginInstance::SetBusArrangements(const std::vector<int>& inputChannels,
                                        const std::vector<int>& outputChannels)
{
  if (mPrepared) return false;
  auto arrangement = [](int channels) -> SpeakerArrangement {
    if (channels <= 0 || channels >= 64) return 0;
    return channels == 1 ? SpeakerArr::kMono : (SpeakerArrangement{1} << channels) - 1;
  };
  std::vector<SpeakerArrangement> ins, outs;
  for (int c : inputChannels)
    ins.push_back(arrangement(c));
  for (int c : outputChannels)
    outs.push_back(arrangement(c));
  const tresult result = mProcessor->setBusArrangements(ins.data(), static_cast<int32>(ins.size()),
                                                        outs.data(), static_cast<int32>(outs.size()));
  ActivateDefaultBuses(); // rebuilt buses start off
  BuildBuffers();
  return result == kResultOk;
}

void PluginInstance::ActivateDefaultBuses()
{
  for (BusDirection direction : {kInput, kOutput}) {
    for (int32 i = 0; i < NumAudioBuses(direction); ++i) {
      BusInfo info{};
      if (mComponent->getBusInfo(kAudio, direction, i, info) == kResultOk &&
          (info.flags & BusInfo::kDefaultActive))
        mComponent->activateBus(kAudio, direction, i, true);
    }
  }
}

bool PluginInstance::SetSidechainActive(bool active)
{
  if (NumAudioBuses(kInput) < 2) return false;
  return mComponent->activateBus(kAudio, kInput, 1, active) == kResultOk;
}

bool PluginInstance::Prepare(const Setup& setup, std::string& error)
{
  if (mPrepared) {
    mProcessor->setProcessing(false);
    mComponent->setActive(false);
    mPrepared = false;
  }
  if (!(setup.sampleRate > 0.0) || !std::isfinite(setup.sampleRate) || setup.maxBlockSize <= 0) {
    error = "invalid processing set-up";
    return false;
  }
  if (setup.tempoBpm && !(*setup.tempoBpm > 0.0 && std::isfinite(*setup.tempoBpm))) {
    error = "invalid tempo";
    return false;
  }
  ProcessSetup vstSetup{};
  vstSetup.processMode = setup.offline ? kOffline : kRealtime;
  vstSetup.symbolicSampleSize = setup.doublePrecision ? kSample64 : kSample32;
  vstSetup.maxSamplesPerBlock = setup.maxBlockSize;
  vstSetup.sampleRate = setup.sampleRate;
  if (mProcessor->setupProcessing(vstSetup) != kResultOk) {
    error = setup.doublePrecision ? "the plug-in refused 64-bit processing at this set-up"
                                  : "the plug-in refused 32-bit processing at this set-up";
    return false;
  }
  mSetup = setup;
  BuildBuffers();
  if (mComponent->setActive(true) != kResultOk) {
    error = "the plug-in refused to activate";
    return false;
  }
  mProcessor->setProcessing(true); // optional for a plug-in: its answer does not matter
  mPrepared = true;
  mFramesProcessed = 0;
  return true;
}

void PluginInstance::BuildBuffers()
{
  const size_t frames = static_cast<size_t>(std::max(mSetup.maxBlockSize, 1));
  auto build = [&](BusDirection direction, std::vector<AudioBusBuffers>& buses,
                   std::vector<BusBuffers>& buffers) {
    const int n = NumAudioBuses(direction);
    buses.assign(static_cast<size_t>(n), AudioBusBuffers{});
    buffers.assign(static_cast<size_t>(n), BusBuffers{});
    for (int b = 0; b < n; ++b) {
      const int channels = BusChannels(direction, b);
      BusBuffers& bus = buffers[static_cast<size_t>(b)];
      bus.pointers32.assign(static_cast<size_t>(channels), nullptr);
      bus.pointers64.assign(static_cast<size_t>(channels), nullptr);
      bus.spare32.assign(static_cast<size_t>(channels), std::vector<float>(frames, 0.0f));
      bus.spare64.assign(static_cast<size_t>(channels), std::vector<double>(frames, 0.0));
      buses[static_cast<size_t>(b)].numChannels = channels;
    }
  };
  build(kInput, mInBuses, mInBuffers);
  build(kOutput, mOutBuses, mOutBuffers);
}

int PluginInstance::ParameterCount() const
{
  return mController->getParameterCount();
}

bool PluginInstance::GetParameterInfo(int index, ParameterInfo& out) const
{
  Vst::ParameterInfo info{};
  if (mController->getParameterInfo(index, info) != kResultOk) return false;
  out.id = info.id;
  out.title = Utf8Of(info.title);
  out.units = Utf8Of(info.units);
  out.stepCount = info.stepCount;
  out.defaultNormalized = info.defaultNormalizedValue;
  out.flags = info.flags;
  out.unitId = info.unitId;
  return true;
}

bool PluginInstance::FindParameter(const std::string& title, uint32_t& id) const
{
  ParameterInfo info;
  for (int i = 0; i < ParameterCount(); ++i) {
    if (GetParameterInfo(i, info) && info.title == title) {
      id = info.id;
      return true;
    }
  }
  return false;
}

double PluginInstance::ToNormalized(uint32_t id, double plain) const
{
  return mController->plainParamToNormalized(id, plain);
}

double PluginInstance::ToPlain(uint32_t id, double normalized) const
{
  return mController->normalizedParamToPlain(id, normalized);
}

std::string PluginInstance::ValueText(uint32_t id, double normalized) const
{
  String128 text{};
  if (mController->getParamStringByValue(id, normalized, text) != kResultOk) return "";
  return Utf8Of(text);
}

double PluginInstance::GetNormalized(uint32_t id) const
{
  return mController->getParamNormalized(id);
}

bool PluginInstance::SetParameter(uint32_t id, double value, bool normalized)
{
  if (!std::isfinite(value)) return false;
  const double n = normalized ? value : ToNormalized(id, value);
  if (!std::isfinite(n) || mController->setParamNormalized(id, n) != kResultOk) return false;
  return mInChanges.add(id, 0, n);
}

bool PluginInstance::GetState(std::vector<uint8_t>& out) const
{
  auto stream = owned(new MemoryStream);
  if (mComponent->getState(stream.get()) != kResultOk) return false;
  out = stream->bytes();
  return true;
}

bool PluginInstance::SetState(const std::vector<uint8_t>& bytes)
{
  auto stream = owned(new MemoryStream(bytes));
  return mComponent->setState(stream.get()) == kResultOk;
}

bool PluginInstance::Process(const float* const* main, int nMain, const float* const* sidechain,
                             int nSidechain, float* const* outputs, int nOutputs, int nFrames)
{
  if (mSetup.doublePrecision) return false;
  return Run(main, nMain, sidechain, nSidechain, outputs, nOutputs, nFrames);
}

bool PluginInstance::Process(const double* const* main, int nMain, const double* const* sidechain,
                             int nSidechain, double* const* outputs, int nOutputs, int nFrames)
{
  if (!mSetup.doublePrecision) return false;
  return Run(main, nMain, sidechain, nSidechain, outputs, nOutputs, nFrames);
}

template <typename Sample>
bool PluginInstance::Run(const Sample* const* main, int nMain, const Sample* const* sidechain, int nSidechain,
                         Sample* const* outputs, int nOutputs, int nFrames)
{
  constexpr bool is64 = std::is_same_v<Sample, double>;
  if (!mPrepared || nFrames < 0) return false;

  bool ok = true;
  int done = 0;
  do {
    const int frames = std::min(nFrames - done, mSetup.maxBlockSize);
    // Point every bus channel at the caller's samples for this block, or at its spare buffer.
    auto point = [&](std::vector<AudioBusBuffers>& buses, std::vector<BusBuffers>& buffers, int bus,
                     const Sample* const* given, int nGiven, bool input) {
      BusBuffers& b = buffers[static_cast<size_t>(bus)];
      const int channels = buses[static_cast<size_t>(bus)].numChannels;
      for (int c = 0; c < channels; ++c) {
        Sample* ptr = nullptr;
        if (given && c < nGiven && given[c]) ptr = const_cast<Sample*>(given[c]) + done;
        if (!ptr) {
          if constexpr (is64) {
            ptr = b.spare64[static_cast<size_t>(c)].data();
          } else {
            ptr = b.spare32[static_cast<size_t>(c)].data();
          }
          if (input) std::fill(ptr, ptr + frames, Sample(0));
        }
        if constexpr (is64) {
          b.pointers64[static_cast<size_t>(c)] = ptr;
        } else {
          b.pointers32[static_cast<size_t>(c)] = ptr;
        }
      }
      if constexpr (is64) {
        buses[static_cast<size_t>(bus)].channelBuffers64 = b.pointers64.data();
      } else {
        buses[static_cast<size_t>(bus)].channelBuffers32 = b.pointers32.data();
      }
      buses[static_cast<size_t>(bus)].silenceFlags = 0;
    };
    for (int b = 0; b < static_cast<int>(mInBuses.size()); ++b)
      point(mInBuses, mInBuffers, b,
            b == 0   ? main
            : b == 1 ? sidechain
                     : nullptr,
            b == 0   ? nMain
            : b == 1 ? nSidechain
                     : 0,
            true);
    for (int b = 0; b < static_cast<int>(mOutBuses.size()); ++b)
      point(mOutBuses, mOutBuffers, b, b == 0 ? const_cast<const Sample* const*>(outputs) : nullptr,
            b == 0 ? nOutputs : 0, false);

    ProcessData data{};
    data.processMode = mSetup.offline ? kOffline : kRealtime;
    data.symbolicSampleSize = is64 ? kSample64 : kSample32;
    data.numSamples = frames;
    data.numInputs = static_cast<int32>(mInBuses.size());
    data.numOutputs = static_cast<int32>(mOutBuses.size());
    data.inputs = mInBuses.empty() ? nullptr : mInBuses.data();
    data.outputs = mOutBuses.empty() ? nullptr : mOutBuses.data();
    data.inputParameterChanges = &mInChanges;
    data.outputParameterChanges = &mOutChanges;
    if (mSetup.tempoBpm) {
      mTransport = PlayingTransport(mSetup.sampleRate, *mSetup.tempoBpm, mFramesProcessed);
      data.processContext = &mTransport;
    }
    mOutChanges.clear();
    if (mProcessor->process(data) != kResultOk) ok = false;
    mInChanges.clear(); // taken by the first block
    done += frames;
    mFramesProcessed += frames;
  } while (done < nFrames);
  return ok;
}

} // namespace plugin::vst3host

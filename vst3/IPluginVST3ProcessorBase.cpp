#include "vst3/IPluginVST3ProcessorBase.h"

#include "vst3/adapter/EventTranslation.h"
#include "vst3/adapter/MidiControllers.h"
#include "vst3/adapter/ParamIds.h"
#include "vst3/adapter/ParamMapping.h"
#include "vst3/adapter/TransportInfo.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plugin {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kInitialBlockSize = 512;

} // namespace

IPluginVST3ProcessorBase::IPluginVST3ProcessorBase(const IPluginConfig& config, IPluginAPIBase& plug)
    : IPluginProcessor(config, kAPIVST3), mPlug(plug)
{
  SetChannelConnections(kInput, 0, NChannels(kInput), true);
  SetChannelConnections(kOutput, 0, NChannels(kOutput), true);
  // A wildcard main bus leaves no fixed place for a side-chain: it then starts after every input.
  const int mainMax = MaxNChannelsForBus(kInput, 0);
  mMainInputChannels = mainMax < 0 ? NChannels(kInput) : std::min(mainMax, NChannels(kInput));
  InitLatencyDelay();
  SetBlockSize(kInitialBlockSize);
  mOutputAttachments.resize(static_cast<size_t>(NChannels(kOutput)) + 1);
  const size_t widest = static_cast<size_t>(std::max(NChannels(kInput), NChannels(kOutput)));
  mSlicePointers32.resize(widest);
  mSlicePointers64.resize(widest);
}

IPluginVST3ProcessorBase::~IPluginVST3ProcessorBase() = default;

bool IPluginVST3ProcessorBase::SetupProcessing(double sampleRate, int maxSamplesPerBlock)
{
  const int previous = GetBlockSize();
  if (!SetBlockSize(maxSamplesPerBlock)) {
    SetBlockSize(previous);
    return false;
  }
  SetSampleRate(sampleRate);
  mMidiOutputQueue.Resize(maxSamplesPerBlock); // on failure the old room stays: more messages drop
  OnReset();
  return true;
}

bool IPluginVST3ProcessorBase::SendMidiMsg(const IMidiMsg& msg)
{
  IMidiMsg atBlock = msg;
  atBlock.mOffset += mSliceStart;
  return mMidiOutputQueue.Insert(atBlock);
}

void IPluginVST3ProcessorBase::Process(ProcessData& data, const ProcessSetup& setup, const BusState& buses,
                                       const Queues& queues) noexcept
{
  const int nFrames = std::max<int32>(data.numSamples, 0);
  mOutputChanges = data.outputParameterChanges;
  PrepareProcessContext(data, setup);
  ProcessParameterChanges(data, nFrames, queues);
  if (DoesMidiIn()) ProcessMidiIn(data, queues);
  ProcessAudio(data, buses);
  if (DoesMidiOut()) ProcessMidiOut(data, nFrames, queues);
  mOutputChanges = nullptr;
}

bool IPluginVST3ProcessorBase::OutputParamChange(int paramIdx, double normalized, int sampleOffset) noexcept
{
  if (paramIdx < 0 || paramIdx >= mPlug.NParams()) return false;
  mSetByProcessor.fetch_or(ParamBit(paramIdx), std::memory_order_acq_rel);
  if (!mOutputChanges) return false;
  int32 queueIndex = 0;
  IParamValueQueue* queue = mOutputChanges->addParameterData(static_cast<ParamID>(paramIdx), queueIndex);
  int32 pointIndex = 0;
  return queue && queue->addPoint(std::max(sampleOffset, 0), normalized, pointIndex) == kResultOk;
}

void IPluginVST3ProcessorBase::PrepareProcessContext(const ProcessData& data,
                                                     const ProcessSetup& setup) noexcept
{
  if (data.processContext) mProcessContext = *data.processContext;
  vst3::FillTimeInfo(mProcessContext, TimeInfo());
  SetRenderingOffline(setup.processMode == kOffline);
}

void IPluginVST3ProcessorBase::ProcessParameterChanges(const ProcessData& data, int nFrames,
                                                       const Queues& queues) noexcept
{
  // A restored state may have changed the bypass flag since the last block.
  SetBypassed(GetSharedBypass());

  IParameterChanges* changes = data.inputParameterChanges;
  if (!changes) return;
  const int32 nQueues = changes->getParameterCount();
  for (int32 q = 0; q < nQueues; ++q) {
    IParamValueQueue* queue = changes->getParameterData(q);
    if (!queue) continue;
    const int32 nPoints = queue->getPointCount();
    if (nPoints <= 0) continue;
    int32 offset = 0;
    ParamValue value = 0.0;
    // Only the block's last value counts.
    if (queue->getPoint(nPoints - 1, offset, value) != kResultOk || !std::isfinite(value)) continue;
    value = std::clamp(value, 0.0, 1.0);
    offset = std::clamp(offset, 0, std::max(nFrames - 1, 0));

    const ParamID id = queue->getParameterId();
    if (id == vst3::kBypassParamId) {
      const bool bypassed = value > 0.5;
      SetSharedBypass(bypassed);
      SetBypassed(bypassed);
    } else if (id < static_cast<ParamID>(mPlug.NParams())) {
      const int idx = static_cast<int>(id);
      IParam* param = mPlug.GetParam(idx);
      param->Set(vst3::RealFromNormalized(*param, value));
      mPlug.OnParamChange(idx, kHost, offset);
    } else if (DoesMidiIn()) {
      IMidiMsg msg;
      if (!vst3::MidiMsgFromControllerParam(id, value, offset, msg)) continue;
      queues.midiToEditor.Push(msg);
      ProcessMidiMsg(msg);
    }
  }
}

void IPluginVST3ProcessorBase::ProcessMidiIn(const ProcessData& data, const Queues& queues) noexcept
{
  if (IEventList* events = data.inputEvents) {
    const int32 n = events->getEventCount();
    for (int32 i = 0; i < n; ++i) {
      Event event{};
      if (events->getEvent(i, event) != kResultOk) continue;
      if (event.type == Event::kDataEvent) {
        ISysEx sysex;
        sysex.mOffset = event.sampleOffset;
        sysex.mSize = static_cast<int32_t>(std::min<uint32>(event.data.size, 0x7FFFFFFF));
        sysex.mData = event.data.bytes;
        if (!sysex.mData) sysex.mSize = 0;
        ProcessSysEx(sysex);
        continue;
      }
      IMidiMsg msg;
      if (!vst3::MidiMsgFromEvent(event, msg)) continue;
      ProcessMidiMsg(msg);
      queues.midiToEditor.Push(msg);
    }
  }
  IMidiMsg msg;
  while (queues.midiFromEditor.Pop(msg))
    ProcessMidiMsg(msg);
}

void IPluginVST3ProcessorBase::ProcessAudio(ProcessData& data, const BusState& buses) noexcept
{
  if (data.symbolicSampleSize != kSample32 && data.symbolicSampleSize != kSample64) return;
  const bool is64 = data.symbolicSampleSize == kSample64;
  const int nFrames = std::max<int32>(data.numSamples, 0);

  ConnectInputs(data, buses);
  ConnectOutputs(data, buses);

  const int blockSize = GetBlockSize();
  if (nFrames > 0 && blockSize <= 0) {
    ZeroHostOutputs(data, nFrames); // nothing can be processed without scratch room
    return;
  }

  // A block longer than the set-up promised runs in slices of the block size; a 0-sample block
  // still runs once, so that the plug-in takes the new parameter values.
  int start = 0;
  do {
    const int frames = std::min(nFrames - start, blockSize);
    mSliceStart = start;
    AttachSlice(data, start, frames);
    if (GetBypassed())
      is64 ? PassThroughBuffers(0.0, frames) : PassThroughBuffers(0.0f, frames);
    else
      is64 ? ProcessBuffers(0.0, frames) : ProcessBuffers(0.0f, frames);
    start += frames;
  } while (start < nFrames);
  mSliceStart = 0;

  FinishOutputs(data, nFrames);
}

void IPluginVST3ProcessorBase::ConnectInputs(const ProcessData& data, const BusState& buses) noexcept
{
  mNInputAttachments = 0;
  const int nChannels = NChannels(kInput);
  const int hostBuses = data.inputs ? std::max<int32>(data.numInputs, 0) : 0;
  const int plugBuses = buses.NAudioBuses(kInput);
  if (hostBuses == 0 || plugBuses == 0) {
    SetChannelConnections(kInput, 0, nChannels, false);
    // Scratch buffers may still hold the host's last converted samples.
    if (mHostGaveInputs) ZeroScratchBuffers();
    mHostGaveInputs = false;
    mSidechainActive = false;
    return;
  }
  mHostGaveInputs = true;
  SetChannelConnections(kInput, 0, nChannels, false);

  const bool sidechain = plugBuses > 1 && hostBuses > 1 && buses.IsAudioBusActive(kInput, 1);
  const int mainRoom = plugBuses > 1 ? mMainInputChannels : nChannels;
  const int nMain = std::clamp<int32>(data.inputs[0].numChannels, 0, mainRoom);
  if (!sidechain && mSidechainActive) {
    ZeroScratchBuffers();
    mSidechainActive = false;
  }
  SetChannelConnections(kInput, 0, nMain, true);
  mInputAttachments[mNInputAttachments++] = Attachment{0, 0, nMain};
  if (sidechain) {
    mSidechainActive = true;
    const int nSide = std::clamp<int32>(data.inputs[1].numChannels, 0, nChannels - mMainInputChannels);
    SetChannelConnections(kInput, mMainInputChannels, nSide, true);
    mInputAttachments[mNInputAttachments++] = Attachment{1, mMainInputChannels, nSide};
  }
}

void IPluginVST3ProcessorBase::ConnectOutputs(const ProcessData& data, const BusState& buses) noexcept
{
  mNOutputAttachments = 0;
  const int nChannels = NChannels(kOutput);
  const int hostBuses = data.outputs ? std::max<int32>(data.numOutputs, 0) : 0;
  // Only buses that both sides have are touched.
  const int nBuses = std::min(hostBuses, buses.NAudioBuses(kOutput));
  SetChannelConnections(kOutput, 0, nChannels, false);
  int first = 0;
  for (int b = 0; b < nBuses && mNOutputAttachments < static_cast<int>(mOutputAttachments.size()); ++b) {
    const int n = std::clamp<int32>(data.outputs[b].numChannels, 0, nChannels - first);
    SetChannelConnections(kOutput, first, n, buses.IsAudioBusActive(kOutput, b));
    mOutputAttachments[static_cast<size_t>(mNOutputAttachments++)] = Attachment{b, first, n};
    first += n;
  }
}

void IPluginVST3ProcessorBase::AttachSlice(ProcessData& data, int start, int frames) noexcept
{
  const bool is64 = data.symbolicSampleSize == kSample64;
  for (int i = 0; i < mNInputAttachments; ++i) {
    const Attachment& at = mInputAttachments[i];
    AttachBus(kInput, data.inputs[at.bus], at, is64, start, frames);
  }
  for (int i = 0; i < mNOutputAttachments; ++i) {
    const Attachment& at = mOutputAttachments[static_cast<size_t>(i)];
    AttachBus(kOutput, data.outputs[at.bus], at, is64, start, frames);
  }
}

void IPluginVST3ProcessorBase::AttachBus(ERoute direction, const AudioBusBuffers& bus, const Attachment& at,
                                         bool is64, int start, int frames) noexcept
{
  const int n = std::min(at.nChannels, static_cast<int>(mSlicePointers64.size()));
  if (is64) {
    double** host = bus.channelBuffers64;
    for (int c = 0; host && c < n; ++c)
      mSlicePointers64[static_cast<size_t>(c)] = host[c] ? host[c] + start : nullptr;
    AttachBuffers(direction, at.firstChannel, n, host ? mSlicePointers64.data() : nullptr);
  } else {
    float** host = bus.channelBuffers32;
    for (int c = 0; host && c < n; ++c)
      mSlicePointers32[static_cast<size_t>(c)] = host[c] ? host[c] + start : nullptr;
    AttachBuffers(direction, at.firstChannel, n, host ? mSlicePointers32.data() : nullptr, frames);
  }
}

void IPluginVST3ProcessorBase::ZeroHostOutputs(ProcessData& data, int frames) noexcept
{
  const bool is64 = data.symbolicSampleSize == kSample64;
  for (int i = 0; i < mNOutputAttachments; ++i) {
    AudioBusBuffers& bus = data.outputs[mOutputAttachments[static_cast<size_t>(i)].bus];
    for (int32 c = 0; c < bus.numChannels; ++c) {
      if (is64 && bus.channelBuffers64 && bus.channelBuffers64[c])
        std::memset(bus.channelBuffers64[c], 0, sizeof(double) * static_cast<size_t>(frames));
      if (!is64 && bus.channelBuffers32 && bus.channelBuffers32[c])
        std::memset(bus.channelBuffers32[c], 0, sizeof(float) * static_cast<size_t>(frames));
    }
    const int32 channels = std::max<int32>(bus.numChannels, 0);
    bus.silenceFlags = channels >= 64 ? ~uint64{0} : (uint64{1} << channels) - 1;
  }
}

void IPluginVST3ProcessorBase::FinishOutputs(ProcessData& data, int frames) noexcept
{
  const bool is64 = data.symbolicSampleSize == kSample64;
  for (int i = 0; i < mNOutputAttachments; ++i) {
    const Attachment& at = mOutputAttachments[static_cast<size_t>(i)];
    AudioBusBuffers& bus = data.outputs[at.bus];
    if (!IsChannelConnected(kOutput, at.firstChannel) && at.nChannels > 0) continue; // inactive bus
    uint64 silence = 0;
    for (int32 c = 0; c < bus.numChannels; ++c) {
      bool silent = true;
      if (is64 && bus.channelBuffers64 && bus.channelBuffers64[c]) {
        double* samples = bus.channelBuffers64[c];
        if (c >= at.nChannels) std::memset(samples, 0, sizeof(double) * static_cast<size_t>(frames));
        for (int f = 0; f < frames && silent; ++f)
          silent = samples[f] == 0.0;
      } else if (!is64 && bus.channelBuffers32 && bus.channelBuffers32[c]) {
        float* samples = bus.channelBuffers32[c];
        if (c >= at.nChannels) std::memset(samples, 0, sizeof(float) * static_cast<size_t>(frames));
        for (int f = 0; f < frames && silent; ++f)
          silent = samples[f] == 0.0f;
      }
      if (silent && c < 64) silence |= uint64{1} << c;
    }
    bus.silenceFlags = silence;
  }
}

void IPluginVST3ProcessorBase::ProcessMidiOut(ProcessData& data, int nFrames, const Queues& queues) noexcept
{
  IEventList* events = data.outputEvents;
  if (!events) {
    // Nobody took them this block: keep them, counted from the next block's start.
    mMidiOutputQueue.ShiftOffsets(nFrames);
    return;
  }
  for (int i = 0; i < mMidiOutputQueue.Size(); ++i) {
    Event event{};
    if (vst3::EventFromMidiMsg(mMidiOutputQueue.At(i), event)) events->addEvent(event);
  }
  mMidiOutputQueue.Clear();

  // One system-exclusive message per block: its event points into the single scratch record.
  if (queues.sysexFromEditor.Pop(queues.sysexScratch)) {
    Event event{};
    event.busIndex = 0;
    event.sampleOffset = queues.sysexScratch.mOffset;
    event.type = Event::kDataEvent;
    event.data.type = DataEvent::kMidiSysEx;
    event.data.size = static_cast<uint32>(std::max(queues.sysexScratch.mSize, 0));
    event.data.bytes = queues.sysexScratch.mData;
    events->addEvent(event);
  }
}

} // namespace plugin

#include "support/vst3/ProcessBlock.h"

#include <algorithm>

namespace plugin::testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

ProcessSetup MakeSetup(int32 symbolicSampleSize, double sampleRate, int32 maxSamplesPerBlock,
                       int32 processMode)
{
  ProcessSetup setup{};
  setup.processMode = processMode;
  setup.symbolicSampleSize = symbolicSampleSize;
  setup.maxSamplesPerBlock = maxSamplesPerBlock;
  setup.sampleRate = sampleRate;
  return setup;
}

namespace {

// First flat channel index of each bus.
std::vector<int> FirstChannels(const std::vector<int>& channels)
{
  std::vector<int> first;
  int next = 0;
  for (int n : channels) {
    first.push_back(next);
    next += n;
  }
  first.push_back(next);
  return first;
}

} // namespace

ProcessBlock::ProcessBlock(int32 symbolicSampleSize, std::vector<int> inputChannels,
                           std::vector<int> outputChannels, int capacity)
    : mSampleSize(symbolicSampleSize), mInChannels(std::move(inputChannels)),
      mOutChannels(std::move(outputChannels)), mCapacity(std::max(capacity, 1)),
      mHostInputs(static_cast<int>(mInChannels.size())), mHostOutputs(static_cast<int>(mOutChannels.size()))
{
  mInFirst = FirstChannels(mInChannels);
  mOutFirst = FirstChannels(mOutChannels);
  const size_t ins = static_cast<size_t>(mInFirst.back());
  const size_t outs = static_cast<size_t>(mOutFirst.back());
  const size_t cap = static_cast<size_t>(mCapacity);
  mIn32.assign(ins, std::vector<float>(cap, 0.0f));
  mOut32.assign(outs, std::vector<float>(cap, 0.0f));
  mIn64.assign(ins, std::vector<double>(cap, 0.0));
  mOut64.assign(outs, std::vector<double>(cap, 0.0));
  for (size_t c = 0; c < ins; ++c) {
    mInPtr32.push_back(mIn32[c].data());
    mInPtr64.push_back(mIn64[c].data());
  }
  for (size_t c = 0; c < outs; ++c) {
    mOutPtr32.push_back(mOut32[c].data());
    mOutPtr64.push_back(mOut64[c].data());
  }
  mInBuses.resize(mInChannels.size());
  mOutBuses.resize(mOutChannels.size());
  mNumSamples = mCapacity;
}

void ProcessBlock::setNumSamples(int numSamples)
{
  mNumSamples = std::clamp(numSamples, 0, mCapacity);
}

void ProcessBlock::setInput(int bus, int channel, int index, double value)
{
  const size_t c = static_cast<size_t>(mInFirst.at(static_cast<size_t>(bus)) + channel);
  mIn32.at(c).at(static_cast<size_t>(index)) = static_cast<float>(value);
  mIn64.at(c).at(static_cast<size_t>(index)) = value;
}

void ProcessBlock::setInput(int bus, int channel, const std::vector<double>& values)
{
  for (int i = 0; i < mCapacity; ++i)
    setInput(bus, channel, i, static_cast<size_t>(i) < values.size() ? values[static_cast<size_t>(i)] : 0.0);
}

void ProcessBlock::fillInputs(double value)
{
  for (auto& ch : mIn32)
    std::fill(ch.begin(), ch.end(), static_cast<float>(value));
  for (auto& ch : mIn64)
    std::fill(ch.begin(), ch.end(), value);
}

void ProcessBlock::setInputSilenceFlags(int bus, uint64 flags)
{
  mInBuses.at(static_cast<size_t>(bus)).silenceFlags = flags;
}

double ProcessBlock::output(int bus, int channel, int index) const
{
  const size_t c = static_cast<size_t>(mOutFirst.at(static_cast<size_t>(bus)) + channel);
  return mSampleSize == kSample32 ? mOut32.at(c).at(static_cast<size_t>(index))
                                  : mOut64.at(c).at(static_cast<size_t>(index));
}

std::vector<double> ProcessBlock::output(int bus, int channel) const
{
  std::vector<double> out;
  for (int i = 0; i < mNumSamples; ++i)
    out.push_back(output(bus, channel, i));
  return out;
}

uint64 ProcessBlock::outputSilenceFlags(int bus) const
{
  return mOutBuses.at(static_cast<size_t>(bus)).silenceFlags;
}

void ProcessBlock::fillOutputs(double value)
{
  for (auto& ch : mOut32)
    std::fill(ch.begin(), ch.end(), static_cast<float>(value));
  for (auto& ch : mOut64)
    std::fill(ch.begin(), ch.end(), value);
}

void ProcessBlock::setHostBusCounts(int inputs, int outputs)
{
  mHostInputs = std::clamp(inputs, 0, inputBusCount());
  mHostOutputs = std::clamp(outputs, 0, outputBusCount());
}

tresult ProcessBlock::process(IAudioProcessor& processor)
{
  for (size_t b = 0; b < mInBuses.size(); ++b) {
    auto& bus = mInBuses[b];
    bus.numChannels = mInChannels[b];
    if (mSampleSize == kSample32)
      bus.channelBuffers32 = mNullArrays ? nullptr : mInPtr32.data() + mInFirst[b];
    else
      bus.channelBuffers64 = mNullArrays ? nullptr : mInPtr64.data() + mInFirst[b];
  }
  for (size_t b = 0; b < mOutBuses.size(); ++b) {
    auto& bus = mOutBuses[b];
    bus.numChannels = mOutChannels[b];
    bus.silenceFlags = 0;
    if (mSampleSize == kSample32)
      bus.channelBuffers32 = mNullArrays ? nullptr : mOutPtr32.data() + mOutFirst[b];
    else
      bus.channelBuffers64 = mNullArrays ? nullptr : mOutPtr64.data() + mOutFirst[b];
  }
  mOutChanges.clear();
  mOutEvents.clear();

  mData = ProcessData{};
  mData.processMode = mProcessMode;
  mData.symbolicSampleSize = mSampleSize;
  mData.numSamples = mClaimedSamples >= 0 ? mClaimedSamples : mNumSamples;
  mData.numInputs = mHostInputs;
  mData.numOutputs = mHostOutputs;
  mData.inputs = mHostInputs > 0 ? mInBuses.data() : nullptr;
  mData.outputs = mHostOutputs > 0 ? mOutBuses.data() : nullptr;
  mData.inputParameterChanges = mChangesEnabled ? &mInChanges : nullptr;
  mData.outputParameterChanges = mChangesEnabled ? &mOutChanges : nullptr;
  mData.inputEvents = mEventsEnabled ? &mInEvents : nullptr;
  mData.outputEvents = mEventsEnabled ? &mOutEvents : nullptr;
  mData.processContext = mContextEnabled ? &mContext : nullptr;
  return processor.process(mData);
}

tresult RunSignal(IAudioProcessor& processor, ProcessBlock& block,
                  const std::vector<std::vector<double>>& inputs, const std::vector<int>& split,
                  std::vector<std::vector<double>>& outputs,
                  const std::function<void(int start, int length, ProcessBlock& block)>& beforeBlock)
{
  size_t length = 0;
  for (const auto& ch : inputs)
    length = std::max(length, ch.size());

  // Flat channel -> (bus, channel) over the block's prepared buses.
  std::vector<std::pair<int, int>> inMap, outMap;
  for (int b = 0; b < block.inputBusCount(); ++b)
    for (int c = 0; c < block.inputChannels(b); ++c)
      inMap.push_back({b, c});
  for (int b = 0; b < block.outputBusCount(); ++b)
    for (int c = 0; c < block.outputChannels(b); ++c)
      outMap.push_back({b, c});

  outputs.assign(outMap.size(), {});
  tresult result = kResultOk;
  size_t start = 0;
  size_t k = 0;
  while (start < length) {
    const int want =
        std::clamp(split.empty() ? block.capacity() : split[k++ % split.size()], 1, block.capacity());
    const int n = static_cast<int>(std::min<size_t>(static_cast<size_t>(want), length - start));
    block.setNumSamples(n);
    for (size_t c = 0; c < inMap.size(); ++c) {
      for (int i = 0; i < n; ++i) {
        const size_t at = start + static_cast<size_t>(i);
        const double v = c < inputs.size() && at < inputs[c].size() ? inputs[c][at] : 0.0;
        block.setInput(inMap[c].first, inMap[c].second, i, v);
      }
    }
    block.inputChanges().clear();
    block.inputEvents().clear();
    if (beforeBlock) beforeBlock(static_cast<int>(start), n, block);
    if (block.process(processor) != kResultOk) result = kResultFalse;
    for (size_t c = 0; c < outMap.size(); ++c)
      for (int i = 0; i < n; ++i)
        outputs[c].push_back(block.output(outMap[c].first, outMap[c].second, i));
    start += static_cast<size_t>(n);
  }
  return result;
}

} // namespace plugin::testhost

#pragma once

#include "support/vst3/EventList.h"
#include "tools/vst3host/ParameterChanges.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <functional>
#include <vector>

namespace plugin::testhost {

// The host objects shared with the tools.
using namespace plugin::vst3host;

// A process set-up record for setupProcessing.
Steinberg::Vst::ProcessSetup MakeSetup(Steinberg::int32 symbolicSampleSize, double sampleRate,
                                       Steinberg::int32 maxSamplesPerBlock,
                                       Steinberg::int32 processMode = Steinberg::Vst::kRealtime);

// One host process call with buffers it owns: audio buses in 32-bit or 64-bit samples, input
// and output parameter changes and events, and a process context. Samples go in and come out
// as doubles whatever the sample size. Buffers are sized once (capacity); a host-side thread
// may run `process` after the test thread set the block up.
class ProcessBlock
{
public:
  ProcessBlock(Steinberg::int32 symbolicSampleSize, std::vector<int> inputChannels,
               std::vector<int> outputChannels, int capacity);

  Steinberg::int32 sampleSize() const { return mSampleSize; }
  int capacity() const { return mCapacity; }
  int inputBusCount() const { return static_cast<int>(mInChannels.size()); }
  int outputBusCount() const { return static_cast<int>(mOutChannels.size()); }
  int inputChannels(int bus) const { return mInChannels.at(static_cast<size_t>(bus)); }
  int outputChannels(int bus) const { return mOutChannels.at(static_cast<size_t>(bus)); }

  // Samples of the next call (up to the capacity; more is clamped).
  void setNumSamples(int numSamples);
  int numSamples() const { return mNumSamples; }

  void setInput(int bus, int channel, int index, double value);
  // Fills channel samples from `values` (as many as fit); the rest of the capacity becomes 0.
  void setInput(int bus, int channel, const std::vector<double>& values);
  void fillInputs(double value);
  void setInputSilenceFlags(int bus, Steinberg::uint64 flags);
  double output(int bus, int channel, int index) const;
  // The first numSamples() samples of an output channel.
  std::vector<double> output(int bus, int channel) const;
  Steinberg::uint64 outputSilenceFlags(int bus) const;
  // Writes `value` into every output sample (detects samples a plug-in leaves untouched).
  void fillOutputs(double value);

  // Hostile shapes of the next call: fewer buses than prepared, null channel arrays, a sample
  // count that differs from the buffers.
  void setHostBusCounts(int inputs, int outputs);
  void setNullChannelArrays(bool nullArrays) { mNullArrays = nullArrays; }
  void setClaimedSamples(int numSamples) { mClaimedSamples = numSamples; }

  Steinberg::Vst::ProcessContext& context() { return mContext; }
  // Whether the call carries the process context (default: yes).
  void setContextEnabled(bool enabled) { mContextEnabled = enabled; }
  void setProcessMode(Steinberg::int32 mode) { mProcessMode = mode; }

  ParameterChanges& inputChanges() { return mInChanges; }
  ParameterChanges& outputChanges() { return mOutChanges; }
  EventList& inputEvents() { return mInEvents; }
  EventList& outputEvents() { return mOutEvents; }
  // Whether the call carries parameter-change lists / event lists (default: yes).
  void setChangeListsEnabled(bool enabled) { mChangesEnabled = enabled; }
  void setEventListsEnabled(bool enabled) { mEventsEnabled = enabled; }

  // Builds the ProcessData and calls process; clears the output lists first. Audio thread of
  // the test host.
  Steinberg::tresult process(Steinberg::Vst::IAudioProcessor& processor);
  // The ProcessData of the last call.
  const Steinberg::Vst::ProcessData& data() const { return mData; }

private:
  Steinberg::int32 mSampleSize;
  std::vector<int> mInChannels;
  std::vector<int> mOutChannels;
  int mCapacity;
  int mNumSamples = 0;
  int mClaimedSamples = -1;
  int mHostInputs;
  int mHostOutputs;
  bool mNullArrays = false;
  bool mContextEnabled = true;
  bool mChangesEnabled = true;
  bool mEventsEnabled = true;
  Steinberg::int32 mProcessMode = Steinberg::Vst::kRealtime;

  // One vector per channel over all buses, in both sample sizes.
  std::vector<std::vector<float>> mIn32, mOut32;
  std::vector<std::vector<double>> mIn64, mOut64;
  std::vector<float*> mInPtr32, mOutPtr32;
  std::vector<double*> mInPtr64, mOutPtr64;
  std::vector<Steinberg::Vst::AudioBusBuffers> mInBuses, mOutBuses;
  std::vector<int> mInFirst, mOutFirst;

  ParameterChanges mInChanges;
  ParameterChanges mOutChanges;
  EventList mInEvents;
  EventList mOutEvents;
  Steinberg::Vst::ProcessContext mContext{};
  Steinberg::Vst::ProcessData mData{};
};

// Runs whole input signals through a processor in blocks whose sizes cycle through `split`.
// `inputs` holds one signal per input channel over all buses in bus order; the result holds one
// signal per output channel likewise. `beforeBlock(start, length, block)` may add parameter
// changes or events for the block. kResultOk unless a process call failed.
Steinberg::tresult
RunSignal(Steinberg::Vst::IAudioProcessor& processor, ProcessBlock& block,
          const std::vector<std::vector<double>>& inputs, const std::vector<int>& split,
          std::vector<std::vector<double>>& outputs,
          const std::function<void(int start, int length, ProcessBlock& block)>& beforeBlock = {});

} // namespace plugin::testhost

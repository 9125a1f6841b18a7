#pragma once

#include "framework/processor/ERoute.h"
#include "framework/processor/IChannelData.h"
#include "framework/queues/IMidiMsg.h"
#include "framework/processor/IOConfig.h"
#include "framework/plugin/IPluginConfig.h"
#include "framework/queues/ISysEx.h"
#include "framework/processor/ITimeInfo.h"
#include "framework/processor/MultiChannelDelayLine.h"
#include "framework/buffers/StringBuf.h"
#include "framework/buffers/TypedBuf.h"

#include <memory>
#include <vector>

namespace plugin {

// Audio-side base of every plug-in object: the channel-I/O configurations, one record per input
// and output channel, the per-channel sample pointers handed to ProcessBlock, the latency delay of
// the bypass path and the transport. All processing is in doubles; 32-bit hosts are served by
// converting through the channels' scratch buffers.
//
// Threads: construction, labels and queries on the main thread; SetBlockSize, OnReset and
// SetLatency from the host's processing set-up (never during a block); connection, attaching,
// ProcessBuffers and PassThroughBuffers on the audio thread, one block at a time, without
// allocating, locking or system calls.
class IPluginProcessor
{
public:
  // Reads the channel-I/O string, latency, plug type and MIDI flags from config and builds one
  // channel record per input and output channel (the largest totals over all configurations).
  // Main thread; allocates; an allocation failure unwinds and propagates.
  IPluginProcessor(const IPluginConfig& config, int api);
  virtual ~IPluginProcessor();
  IPluginProcessor(const IPluginProcessor&) = delete;
  IPluginProcessor& operator=(const IPluginProcessor&) = delete;

  // --- Virtual operations ---

  // The plug-in's block process, called by ProcessBuffers on the audio thread; must not allocate,
  // lock or make system calls.
  // Base: copies input i to output i for i below both counts and zeroes the further outputs.
  // inputs or outputs is null when the plug-in has no channels of that direction.
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);
  // An incoming MIDI message, from the binding on the audio thread; no allocation. Base: passes it
  // on with SendMidiMsg.
  virtual void ProcessMidiMsg(const IMidiMsg& msg);
  // An incoming system-exclusive message, from the binding on the audio thread; no allocation.
  // Base: nothing.
  virtual void ProcessSysEx(const ISysEx& msg);
  // Sample rate or block size changed; called by the binding from the host's processing set-up
  // (never during a block); may allocate.
  virtual void OnReset();
  // Processing switched on or off; called by the binding on the host's main thread. Base: nothing.
  virtual void OnActivate(bool active);
  // Sends a MIDI message to the host; called by the plug-in on the audio thread, implemented by the
  // binding without allocating or locking.
  virtual bool SendMidiMsg(const IMidiMsg& msg) = 0;
  // SendMidiMsg for every message in order (also after a failure); true when all succeeded. Audio
  // thread; no allocation.
  virtual bool SendMidiMsgs(TypedBuf<IMidiMsg>& msgs);
  // Sends a system-exclusive message to the host; audio thread, no allocation. Base: false (not
  // supported).
  virtual bool SendSysEx(const ISysEx& msg);
  // Name of audio bus busIdx of nBuses: "Input"/"Main"/"Aux"/"Input %i" and "Output"/"Output %i".
  // Called by the binding on the main thread; allocates.
  virtual void GetBusName(ERoute direction, int busIdx, int nBuses, StringBuf& out) const;
  // Stores the latency (negative reads as 0) and resizes the bypass delay. Main thread or set-up;
  // allocates. The binding also tells the host.
  virtual void SetLatency(int samples);
  // Stores the tail length in samples (negative reads as 0). Called by the plug-in on the main
  // thread; no allocation.
  virtual void SetTailSize(int samples);

  // --- Channel-I/O configurations (main thread) ---

  // See ParseChannelIOStr in IOConfig.h.
  static int ParseChannelIOStr(const char* str, std::vector<std::unique_ptr<IOConfig>>& configs, int& maxNIn,
                               int& maxNOut, int& maxNInBuses, int& maxNOutBuses)
  {
    return plugin::ParseChannelIOStr(str, configs, maxNIn, maxNOut, maxNInBuses, maxNOutBuses);
  }
  // Number of parsed configurations and configuration idx (null when out of range).
  int NIOConfigs() const noexcept { return static_cast<int>(mIOConfigs.size()); }
  const IOConfig* GetIOConfig(int idx) const noexcept;
  // Largest bus count of a direction over all configurations; *configIdx (when given) receives
  // the last configuration with that count. 0 and index 0 with no configurations.
  int MaxNBuses(ERoute direction, int* configIdx = nullptr) const noexcept;
  // -1 when the first configuration has a wildcard bus in that direction; otherwise the largest
  // channel count bus busIdx has in any configuration; 0 with no configurations or no such bus.
  int MaxNChannelsForBus(ERoute direction, int busIdx) const noexcept;
  // Index of the first configuration whose buses have exactly these channel counts; -1 for none.
  int GetIOConfigWithChanCounts(const std::vector<int>& inputChans,
                                const std::vector<int>& outputChans) const noexcept;
  // True when some configuration has nIn input and nOut output channels in total (negative: any).
  bool LegalIO(int nIn, int nOut) const noexcept;

  // --- Channels ---

  // Number of channel records of a direction.
  int NChannels(ERoute direction) const noexcept { return static_cast<int>(Channels(direction).size()); }
  // Channel record idx of a direction, or null.
  const IChannelData* GetChannelData(ERoute direction, int idx) const noexcept;
  // Number of connected channels of a direction. Any thread.
  int NChannelsConnected(ERoute direction) const noexcept;
  // True when channel idx exists and is connected.
  bool IsChannelConnected(ERoute direction, int idx) const noexcept;
  // Marks channels idx .. idx + n - 1 (cut to the list) connected or not; every marked channel
  // reads from / writes to its scratch buffer until buffers are attached. Audio thread.
  void SetChannelConnections(ERoute direction, int idx, int n, bool connected) noexcept;
  // Label of channel idx: format printed with idx + 1 (idx when zeroBased), at most 32 characters;
  // nothing for an index outside the list. Main thread; allocates.
  void SetChannelLabel(ERoute direction, int idx, const char* format, bool zeroBased = false);
  // Label of channel idx, "" when out of range.
  const char* GetChannelLabel(ERoute direction, int idx) const noexcept;
  // Disconnects the inputs from the third on and connects the outputs from the third on.
  void LimitToStereoIO() noexcept;

  // --- Per-block audio path (audio thread; no allocation) ---

  // Gives the next host pointers from data to the connected channels idx .. idx + n - 1 (cut to
  // the list), in order; disconnected channels consume none. A null pointer (or null data) counts
  // as a disconnected channel for this block: it uses its scratch buffer, zeroed for inputs.
  void AttachBuffers(ERoute direction, int idx, int n, double** data) noexcept;
  // 32-bit form: inputs convert nFrames samples (at most the block size) into their scratch
  // buffers; outputs point at their scratch buffers and keep the host pointer for the copy back.
  void AttachBuffers(ERoute direction, int idx, int n, float** data, int nFrames) noexcept;
  // Zeroes every scratch buffer.
  void ZeroScratchBuffers() noexcept;
  // Normal path: ProcessBlock on the attached buffers. A block longer than the block size (or a
  // negative one) is refused: the outputs are zeroed and the result is false.
  bool ProcessBuffers(double tag, int nFrames) noexcept;
  // 32-bit form: ProcessBlock, then each connected output's doubles go to its host float buffer.
  bool ProcessBuffers(float tag, int nFrames) noexcept;
  // As the 32-bit ProcessBuffers, but adds to the host float buffers instead of replacing them.
  bool ProcessBuffersAccumulating(float tag, int nFrames) noexcept;
  // Bypass path: inputs delayed by the latency (or copied when there is none) to the outputs;
  // outputs without a matching input are zeroed. Same refusal rule as ProcessBuffers.
  bool PassThroughBuffers(double tag, int nFrames) noexcept;
  bool PassThroughBuffers(float tag, int nFrames) noexcept;

  // --- Set-up (never during a block) ---

  // Sizes every scratch buffer to blockSize doubles (negative reads as 0), zeroed, and points the
  // channels at them. False when memory ran out: the block size is then 0 and every block is
  // refused. Allocates.
  bool SetBlockSize(int blockSize);
  // Creates the bypass delay line for the current channel counts and latency (nothing without
  // input channels). Allocates.
  void InitLatencyDelay();

  // --- Accessors ---

  double GetSampleRate() const noexcept { return mSampleRate; }
  int GetBlockSize() const noexcept { return mBlockSize; }
  int GetLatency() const noexcept { return mLatency; }
  int GetTailSize() const noexcept { return mTailSize; }
  bool GetBypassed() const noexcept { return mBypassed; }
  bool GetRenderingOffline() const noexcept { return mRenderingOffline; }
  const ITimeInfo& GetTimeInfo() const noexcept { return mTimeInfo; }
  int GetPlugType() const noexcept { return mPlugType; }
  bool DoesMidiIn() const noexcept { return mDoesMidiIn; }
  bool DoesMidiOut() const noexcept { return mDoesMidiOut; }
  bool GetPlugFlag3() const noexcept { return mPlugFlag3; }
  const MultiChannelDelayLine* GetLatencyDelay() const noexcept { return mLatencyDelay.get(); }
  // Samples per beat at the current tempo; 0 when the tempo is not positive.
  double GetSamplesPerBeat() const noexcept;
  // Component type code for plug type and MIDI input ('aumi', 'aumu', 'aumf', 'aufx').
  int GetAUPluginType() const noexcept;

protected:
  // Set by the host binding from its processing set-up and per block.
  void SetSampleRate(double sampleRate) noexcept { mSampleRate = sampleRate; }
  void SetBypassed(bool bypassed) noexcept { mBypassed = bypassed; }
  void SetRenderingOffline(bool offline) noexcept { mRenderingOffline = offline; }
  ITimeInfo& TimeInfo() noexcept { return mTimeInfo; }

private:
  std::vector<std::unique_ptr<IChannelData>>& Channels(ERoute d) noexcept
  {
    return d == kInput ? mInChannels : mOutChannels;
  }
  const std::vector<std::unique_ptr<IChannelData>>& Channels(ERoute d) const noexcept
  {
    return d == kInput ? mInChannels : mOutChannels;
  }
  // The slot array handed to ProcessBlock; null when the direction has no channels.
  double** Pointers(ERoute d) noexcept
  {
    auto& slots = d == kInput ? mInputPointers : mOutputPointers;
    return slots.empty() ? nullptr : slots.data();
  }
  // Points a channel's slot at its scratch buffer (null when the buffer is empty).
  static void UseScratch(IChannelData& channel) noexcept;
  // Zeroes the outputs of a refused block: host buffers for nFrames, scratch buffers whole.
  void ZeroOutputsAfterOverrun(int nFrames, bool hostFloat) noexcept;
  // Converts the connected outputs to their host float buffers (replacing or adding).
  void WriteBackFloat(int nFrames, bool accumulate) noexcept;
  // True when nFrames fits the scratch buffers.
  bool FitsBlock(int nFrames) const noexcept { return nFrames >= 0 && nFrames <= mBlockSize; }

  int mPlugType;
  bool mDoesMidiIn;
  bool mDoesMidiOut;
  bool mPlugFlag3;
  int mLatency;
  double mSampleRate = 48000.0;
  int mBlockSize = 0;
  int mTailSize = 0;
  bool mBypassed = false;
  bool mRenderingOffline = false;
  std::vector<std::unique_ptr<IOConfig>> mIOConfigs;
  std::vector<double*> mInputPointers;
  std::vector<double*> mOutputPointers;
  std::vector<std::unique_ptr<IChannelData>> mInChannels;
  std::vector<std::unique_ptr<IChannelData>> mOutChannels;
  std::unique_ptr<MultiChannelDelayLine> mLatencyDelay;
  ITimeInfo mTimeInfo;
};

} // namespace plugin

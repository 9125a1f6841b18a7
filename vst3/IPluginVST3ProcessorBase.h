#pragma once

#include "framework/params/ParamMask.h"
#include "framework/plugin/IPluginAPIBase.h"
#include "framework/processor/IPluginProcessor.h"
#include "framework/queues/ILockFreeQueue.h"
#include "framework/queues/IMidiMsg.h"
#include "framework/queues/ISysEx.h"
#include "vst3/adapter/MidiOutputQueue.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <atomic>
#include <vector>

namespace plugin {

// Turns one host process call into the framework's block processing: transport, the last point
// of every parameter change, incoming events, buffer attachment (main input, optional side-chain,
// outputs), the block process or the bypass pass-through, and outgoing events.
// Audio thread, except construction and the set-up calls (main thread, never during a block).
class IPluginVST3ProcessorBase : public IPluginProcessor
{
public:
  // What of the host-facing bus objects the audio path needs: counts and active flags.
  class BusState
  {
  public:
    virtual ~BusState() = default;
    // Audio thread; no allocation.
    virtual int NAudioBuses(ERoute direction) const noexcept = 0;
    virtual bool IsAudioBusActive(ERoute direction, int bus) const noexcept = 0;
  };

  // The plug-in's queues between the editor and the audio side.
  struct Queues
  {
    ILockFreeQueue<IMidiMsg>& midiFromEditor;
    ILockFreeQueue<IMidiMsg>& midiToEditor;
    ILockFreeQueue<SysExData>& sysexFromEditor;
    SysExData& sysexScratch;
  };

  // All channels connected, block size 512, the bypass delay line, an empty transport. Main
  // thread; allocates.
  IPluginVST3ProcessorBase(const IPluginConfig& config, IPluginAPIBase& plug);
  ~IPluginVST3ProcessorBase() override;

  // The whole process call, in the fixed order: transport, parameter changes, MIDI input (when
  // the plug-in takes MIDI), audio, MIDI output (when it sends MIDI). Audio thread; no allocation,
  // lock or system call.
  void Process(Steinberg::Vst::ProcessData& data, const Steinberg::Vst::ProcessSetup& setup,
               const BusState& buses, const Queues& queues) noexcept;

  // Processing set-up: sample rate, block size (scratch buffers and the MIDI output room), then
  // OnReset. False when the block size could not be allocated (the previous one is kept). Main
  // thread while processing is off; allocates.
  bool SetupProcessing(double sampleRate, int maxSamplesPerBlock);

  // Bypass flag shared with the main thread (saved state); the audio thread takes it at the start
  // of every block. Any thread; lock-free.
  bool GetSharedBypass() const noexcept { return mBypass.load(std::memory_order_acquire); }
  void SetSharedBypass(bool bypassed) noexcept { mBypass.store(bypassed, std::memory_order_release); }

  // Reports a value the plug-in set by itself while the current process call runs (a parameter
  // that follows another one) to the host, as an output parameter change at sampleOffset; the
  // controller's copy of the value catches up on the main thread (TakeParamsSetByProcessor). False
  // outside a process call, for an invalid index, or when the host's list takes no more. Audio
  // thread; no allocation.
  bool OutputParamChange(int paramIdx, double normalized, int sampleOffset) noexcept;

  // The parameters (indices below kParamMaskBits) that OutputParamChange reported since
  // the last call. Host main thread; lock-free.
  ParamMask TakeParamsSetByProcessor() noexcept
  {
    return mSetByProcessor.exchange(0, std::memory_order_acq_rel);
  }

  // The plug-in sends a MIDI message (offset within the current slice): kept, ordered by offset,
  // until the block ends. False when the queue is full. Audio thread; no allocation.
  bool SendMidiMsg(const IMidiMsg& msg) override;

private:
  // One host bus given to a run of channel records.
  struct Attachment
  {
    int bus = 0;
    int firstChannel = 0;
    int nChannels = 0;
  };

  void PrepareProcessContext(const Steinberg::Vst::ProcessData& data,
                             const Steinberg::Vst::ProcessSetup& setup) noexcept;
  void ProcessParameterChanges(const Steinberg::Vst::ProcessData& data, int nFrames,
                               const Queues& queues) noexcept;
  void ProcessMidiIn(const Steinberg::Vst::ProcessData& data, const Queues& queues) noexcept;
  void ProcessAudio(Steinberg::Vst::ProcessData& data, const BusState& buses) noexcept;
  void ProcessMidiOut(Steinberg::Vst::ProcessData& data, int nFrames, const Queues& queues) noexcept;

  // Connection of the channel records to the host's buses for this block.
  void ConnectInputs(const Steinberg::Vst::ProcessData& data, const BusState& buses) noexcept;
  void ConnectOutputs(const Steinberg::Vst::ProcessData& data, const BusState& buses) noexcept;
  // Gives the channel records the host's samples from frame `start` on, for `frames` frames.
  void AttachSlice(Steinberg::Vst::ProcessData& data, int start, int frames) noexcept;
  void AttachBus(ERoute direction, const Steinberg::Vst::AudioBusBuffers& bus, const Attachment& at,
                 bool is64, int start, int frames) noexcept;
  // Writes 0 to every host output sample of the touched buses (a block that cannot be processed).
  void ZeroHostOutputs(Steinberg::Vst::ProcessData& data, int frames) noexcept;
  // Zeroes the host channels of touched output buses beyond what the plug-in fills, and sets the
  // buses' silence flags from the samples.
  void FinishOutputs(Steinberg::Vst::ProcessData& data, int frames) noexcept;

  IPluginAPIBase& mPlug;
  int mMainInputChannels = 0; // channels of input bus 0 at most: the side-chain starts there
  Steinberg::Vst::ProcessContext mProcessContext{};
  vst3::MidiOutputQueue mMidiOutputQueue;
  bool mSidechainActive = false;
  bool mHostGaveInputs = false;
  std::atomic<bool> mBypass{false};
  std::atomic<ParamMask> mSetByProcessor{0};
  int mSliceStart = 0;
  // The host's output list of the running process call; null between calls.
  Steinberg::Vst::IParameterChanges* mOutputChanges = nullptr;

  // Fixed room decided at construction: attachments and offset channel pointers for slices.
  Attachment mInputAttachments[2];
  int mNInputAttachments = 0;
  std::vector<Attachment> mOutputAttachments;
  int mNOutputAttachments = 0;
  std::vector<float*> mSlicePointers32;
  std::vector<double*> mSlicePointers64;
};

} // namespace plugin

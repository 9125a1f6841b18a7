#pragma once

#include "tools/vst3host/HostApplication.h"
#include "tools/vst3host/ModuleLoader.h"
#include "tools/vst3host/ParameterChanges.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plugin::vst3host {

// One plug-in from a VST3 bundle, driven the way a host drives it, for offline tools: load and
// initialise, choose bus layouts and the side-chain, set up (rate, block size, 32 or 64 bits),
// read and set parameters through the controller's conversions, save and restore the state, and
// process planar buffers of any length (cut into blocks of the set-up's size), optionally with a
// playing transport.
// One thread; processing calls come from that same thread.
class PluginInstance
{
public:
  // What the controller reports about one parameter.
  struct ParameterInfo
  {
    uint32_t id = 0;
    std::string title; // UTF-8
    std::string units; // UTF-8
    int stepCount = 0;
    double defaultNormalized = 0.0;
    int flags = 0;
    int unitId = 0;
  };

  // Processing set-up.
  struct Setup
  {
    double sampleRate = 48000.0;
    int maxBlockSize = 512;
    bool doublePrecision = false; // 64-bit samples
    bool offline = true;          // offline process mode
    // When set, every process call carries a transport playing from the start at this tempo
    // (beats per minute) in 4/4, its position the frames processed since Prepare. Unset: process
    // calls carry no transport.
    std::optional<double> tempoBpm;
  };

  // Loads the bundle (folder or .so), creates its first audio-effect class and initialises it
  // with a host application called hostName. Null with `error` set on failure.
  static std::unique_ptr<PluginInstance> Load(const std::string& bundlePath, std::string& error,
                                              const std::string& hostName = "Kelmo Render");
  // Stops processing, deactivates, terminates and releases the plug-in, then unloads the module.
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  // Class name as the factory lists it.
  const std::string& ClassName() const { return mClassName; }

  // Audio buses of a direction (Steinberg::Vst::kInput / kOutput) and their channel counts.
  int NumAudioBuses(Steinberg::Vst::BusDirection direction) const;
  int BusChannels(Steinberg::Vst::BusDirection direction, int bus) const;
  // Asks for buses with these channel counts (before Prepare; the side-chain is off again
  // afterwards); false when the plug-in refuses.
  bool SetBusArrangements(const std::vector<int>& inputChannels, const std::vector<int>& outputChannels);
  // Switches input bus 1 (the side-chain) on or off; false when there is none.
  bool SetSidechainActive(bool active);

  // setupProcessing, then activation and processing on. False with `error` set on refusal or an
  // invalid set-up (rate or tempo not finite and above 0, block size below 1). Buffers are sized
  // here: nothing is allocated while processing.
  bool Prepare(const Setup& setup, std::string& error);
  bool IsPrepared() const { return mPrepared; }

  // --- Parameters (by VST3 parameter id; the list index only for enumeration) ---

  int ParameterCount() const;
  // Information of the parameter at list position index; false when there is none.
  bool GetParameterInfo(int index, ParameterInfo& out) const;
  // Id of the first parameter titled exactly title; false when none.
  bool FindParameter(const std::string& title, uint32_t& id) const;
  // The controller's conversions and texts.
  double ToNormalized(uint32_t id, double plain) const;
  double ToPlain(uint32_t id, double normalized) const;
  std::string ValueText(uint32_t id, double normalized) const;
  double GetNormalized(uint32_t id) const;
  // Sets a parameter like a host does: the controller takes the normalised value at once and the
  // processor at the start of the next Process call. A real value is converted by the controller
  // first. False for an unknown id, a non-finite value or a controller refusal.
  bool SetParameter(uint32_t id, double value, bool normalized);

  // --- State ---

  // The component state; false when the plug-in refused.
  bool GetState(std::vector<uint8_t>& out) const;
  // Restores a component state; false when the plug-in refused it.
  bool SetState(const std::vector<uint8_t>& bytes);

  // --- Processing (after Prepare) ---

  // Processes nFrames frames. main holds nMain input channels of bus 0, sidechain nSidechain
  // channels of bus 1 (null or 0: silence), outputs nOutputs channels of output bus 0. Missing
  // channels read as silence / are discarded. The sample type must match the set-up's precision.
  // False when not prepared, on a type mismatch, or when a process call failed.
  bool Process(const float* const* main, int nMain, const float* const* sidechain, int nSidechain,
               float* const* outputs, int nOutputs, int nFrames);
  bool Process(const double* const* main, int nMain, const double* const* sidechain, int nSidechain,
               double* const* outputs, int nOutputs, int nFrames);

  // Frames processed since Prepare.
  int64_t FramesProcessed() const { return mFramesProcessed; }
  // The transport handed to the last process call; null without a tempo or before the first frame.
  const Steinberg::Vst::ProcessContext* LastTransport() const
  {
    return mSetup.tempoBpm && mFramesProcessed > 0 ? &mTransport : nullptr;
  }

private:
  PluginInstance() = default;

  template <typename Sample>
  bool Run(const Sample* const* main, int nMain, const Sample* const* sidechain, int nSidechain,
           Sample* const* outputs, int nOutputs, int nFrames);
  // Switches on every bus the plug-in asks to have on, as hosts do.
  void ActivateDefaultBuses();
  // Sizes the bus buffer tables and the silence/discard buffers for the current buses.
  void BuildBuffers();

  std::unique_ptr<Module> mModule;
  Steinberg::IPtr<HostApplication> mHost;
  Steinberg::IPtr<Steinberg::Vst::IComponent> mComponent;
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> mProcessor;
  Steinberg::IPtr<Steinberg::Vst::IEditController> mController;
  std::string mClassName;
  bool mInitialized = false;
  bool mPrepared = false;
  Setup mSetup;
  int64_t mFramesProcessed = 0;

  Steinberg::Vst::ProcessContext mTransport{}; // the block's transport, when the set-up has a tempo
  ParameterChanges mInChanges{1024, 1};
  ParameterChanges mOutChanges{1024, 64};
  // Per bus: the channel pointer table handed to the plug-in and, per channel, a buffer of the
  // set-up's block size that stands in for a channel the caller does not give (silence in,
  // discarded out).
  struct BusBuffers
  {
    std::vector<float*> pointers32;
    std::vector<double*> pointers64;
    std::vector<std::vector<float>> spare32;
    std::vector<std::vector<double>> spare64;
  };
  std::vector<Steinberg::Vst::AudioBusBuffers> mInBuses, mOutBuses;
  std::vector<BusBuffers> mInBuffers, mOutBuffers;
};

} // namespace plugin::vst3host

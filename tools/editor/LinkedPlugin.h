#pragma once

#include "tools/vst3host/ParameterChanges.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <memory>
#include <string>
#include <vector>

namespace kelmo::editor {

// The compressor linked into this program, driven only through its VST3 interfaces as a host
// drives it: initialised with a host application, set up for 32-bit processing of the main
// stereo pair, processed block by block, its editor view created on request. Linked rather than
// loaded, it shares this program's system layer, run loop and clock. One thread drives set-up and
// views (the main thread); Process may come from another thread while the main thread runs.
class LinkedPlugin
{
public:
  // A new initialised instance; null with error set when it cannot be made.
  static std::unique_ptr<LinkedPlugin> Create(std::string& error);
  // Stops processing, deactivates, terminates and releases the plug-in.
  ~LinkedPlugin();
  LinkedPlugin(const LinkedPlugin&) = delete;
  LinkedPlugin& operator=(const LinkedPlugin&) = delete;

  // setupProcessing (32-bit, realtime), activation and processing on. False with error set.
  bool Prepare(double sampleRate, int maxBlockSize, std::string& error);
  // Processes nFrames (at most the block size) of the two main channels; the side-chain is
  // silent. False before Prepare or when the plug-in refuses the call. No allocation.
  bool Process(const float* const* in, float* const* out, int nFrames);

  // A parameter set as a host sets it: through the controller, and into the next Process call's
  // parameter changes. From the thread that processes. False for a value the controller refuses.
  bool SetParameter(Steinberg::Vst::ParamID id, double plainValue);

  Steinberg::Vst::IComponent& Component() const { return *mComponent; }
  Steinberg::Vst::IAudioProcessor& Processor() const { return *mProcessor; }
  Steinberg::Vst::IEditController& Controller() const { return *mController; }

  // The plug-in's editor view (createView("editor")), owned by the caller; null when refused.
  Steinberg::IPtr<Steinberg::IPlugView> CreateEditorView() const;

private:
  LinkedPlugin() = default;

  Steinberg::IPtr<Steinberg::FUnknown> mHost;
  Steinberg::IPtr<Steinberg::Vst::IComponent> mComponent;
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> mProcessor;
  Steinberg::IPtr<Steinberg::Vst::IEditController> mController;
  bool mInitialized = false;
  bool mActive = false;
  int mMaxBlock = 0;
  // Per input bus and channel: pointers to the caller's buffers or to silence.
  std::vector<Steinberg::Vst::AudioBusBuffers> mInBuses, mOutBuses;
  std::vector<std::vector<float*>> mInPointers, mOutPointers;
  std::vector<float> mSilence, mScratch;
  plugin::vst3host::ParameterChanges mInChanges;
};

} // namespace kelmo::editor

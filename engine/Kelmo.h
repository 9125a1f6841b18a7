#pragma once

#include "engine/ComparisonSlots.h"
#include "engine/EditorRefreshRequests.h"
#include "engine/KelmoBase.h"
#include "engine/MeterTransmitter.h"
#include "engine/dsp/KelmoDsp.h"
#include "engine/dsp/KelmoParams.h"
#include "framework/params/ParamMask.h"
#include "framework/plugin/InstanceInfo.h"

#include <thread>

// The binding tells the controller which values the processor set by one bit per parameter.
static_assert(kNumParams <= plugin::kParamMaskBits, "the processor's catch-up needs a bit per parameter");

// The compressor plug-in: its parameters, presets, signal path, meters, left/right control linking,
// A/B comparison and the user preset of slot 0.
//
// Threads: construction, editor edits, recalls and the idle tick on the main thread (the thread
// that built the object); processing and host automation on the audio thread. Work that touches
// the editor or the comparison snapshots is carried out on the main thread only: asked for
// elsewhere, it waits for the next idle tick.
class Kelmo : public KelmoBase
{
public:
  // Builds the whole plug-in: configuration, channel labels, parameters with their defaults,
  // factory presets, then the user preset of slot 0 (applied only over untouched defaults) and the
  // editor functions installed at that moment (KelmoEditorFunctions.h). A user file that is missing
  // or not JSON leaves the defaults. Main thread; allocates (running out of memory propagates).
  explicit Kelmo(const plugin::InstanceInfo& info);
  // Stops the timer before anything else goes. Main thread.
  ~Kelmo() override;

  // A parameter changed (host automation on the audio thread; editor edits, recalls and resets on
  // the main thread). Copies linked controls to their twins, keeps "Delta" and "Sidechain Listen"
  // exclusive and flags a filter recomputation for "OverSampling". A value the plug-in sets by
  // itself reaches the host: from the audio thread as an output parameter change, from an editor
  // edit as an edit of its own. Editor refreshes happen at once on the main thread, otherwise at
  // the next idle tick. A comparison slot change from the audio thread only asks the next tick for
  // the swap (the host's controller call normally makes it first); a recall or reset never swaps
  // snapshots. Lock-free and allocation-free off the main thread.
  void OnParamChange(int paramIdx, plugin::EParamSource source, int sampleOffset) override;

  // Timer tick on the main thread: carries out deferred editor work, sends the four meter values
  // to the editor and mirrors the editor's draw scale into "Plugin Scale". No allocation.
  void OnIdle() override;

  // The block process: snapshot of every parameter, host tempo, then the signal path. Audio
  // thread; no allocation, lock or system call.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;

  // Quiet starting state for the frame's sample rate and connected outputs. Host processing set-up
  // or activation, never during a block; no allocation.
  void OnReset() override;

  // Applies user preset file slot over the parameters, only while the current preset is 0, no
  // block has run and every parameter holds its default; then sends every value to the editor.
  // A missing or unreadable file, or one that is not JSON, changes nothing; a JSON document with
  // wrong types applies what it can (perhaps nothing) and still sends the values. Main thread;
  // never throws.
  void LoadUserPreset(int slot) noexcept;

  // Sends every parameter's normalised value to the editor. Main thread.
  void SendAllParamValuesToUI();

  // The A/B snapshots and the live slot. Main thread.
  ComparisonSlots& Comparison() noexcept { return mComparison; }
  const ComparisonSlots& Comparison() const noexcept { return mComparison; }

  // The signal path, for inspection (meters, block flag). Read-only.
  const kelmo::dsp::KelmoDsp& Dsp() const noexcept { return mDsp; }

  // Size, frame rate and draw scale the graphics factory asks for: the editor size at the
  // current "Plugin Scale". Main thread.
  struct GraphicsRequest
  {
    int width;
    int height;
    int fps;
    float drawScale;
  };
  GraphicsRequest GetGraphicsRequest() const noexcept;

  // The process-context fields the plug-in reads: the tempo (synced releases). Host main thread.
  Steinberg::uint32 PLUGIN_API getProcessContextRequirements() override;

protected:
  // The host set a parameter through the controller (host main thread): the same rules as
  // OnParamChange, carried out at once, a comparison slot switch included, so that several
  // switches between two ticks each take their own values along. Changes made by the plug-in
  // reach the host as edits of their own.
  void OnControllerParamChange(int paramIdx) override;
  // Draw scale of the open editor's graphics context; 0 while there is none. Main thread.
  virtual float EditorDrawScale() const;

private:
  // Where a parameter change is handled and how its consequences reach the host.
  struct Change
  {
    plugin::EParamSource source;
    bool immediate;   // main thread: editor and snapshots may be touched right away
    int sampleOffset; // within the block, for output parameter changes
  };

  // True when the change may touch the editor and the snapshots right away.
  bool OnOwnerThread(plugin::EParamSource source) const noexcept;
  void HandleParamChange(int paramIdx, const Change& change);
  void LinkToTwin(int paramIdx, int twinIdx, const Change& change, bool asSaved);
  void ExcludeEachOther(int changedIdx, int otherIdx, const Change& change);
  void OnComparisonSlotChange(const Change& change);
  // Sets a parameter the plug-in moves by itself and, when the value changed, tells the host.
  void SetOwnValue(int paramIdx, double value, const Change& change);
  void RunComparison(EditorRefreshRequests::EComparison what);
  void SendParamValueToUI(int paramIdx);
  void RunDeferredEditorWork();
  void SendMeters();
  void MirrorDrawScale();
  // The user file's content applied when allowed; may throw only on exhausted memory.
  void ApplyUserPresetFile(int slot);

  std::thread::id mOwnerThread;
  kelmo::dsp::KelmoDsp mDsp;
  MeterTransmitter mMeters;
  float mLastDrawScale = 1.0f;
  ComparisonSlots mComparison;
  EditorRefreshRequests mDeferred;
  // Set by the user preset loader when it finds a parameter off its default; the signal path
  // keeps its own flag for blocks that ran. Main thread only.
  bool mBlockProcessed = false;
};

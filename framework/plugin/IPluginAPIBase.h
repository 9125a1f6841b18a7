#pragma once

#include "framework/queues/ILockFreeQueue.h"
#include "framework/queues/IMidiMsg.h"
#include "framework/queues/IParamChange.h"
#include "framework/plugin/IPluginBase.h"
#include "framework/plugin/IPluginConfig.h"
#include "framework/queues/ISysEx.h"
#include "framework/runloop/RunLoop.h"
#include "framework/runloop/Timer.h"

#include <memory>

namespace plugin {
namespace ui {
class ICanvas;
} // namespace ui

// The layer between the plug-in base and a concrete plug-in API binding: copies the plug-in's
// configuration into the base, identifies the host, owns the 20 ms main-thread timer that feeds the
// editor and runs the idle work, owns the single-producer/single-consumer queues between the editor
// side and the audio side, and sets parameters for the editor. Every operation that reaches the
// host is a hook here whose base body does nothing; the API binding overrides them.
class IPluginAPIBase : public IPluginBase
{
public:
  static constexpr int kTimerIntervalMs = 20;
  static constexpr int kParamChangeQueueSize = 512;
  static constexpr int kMidiQueueSize = 32;
  static constexpr int kSysExQueueSize = 4;

  // Builds the base with the configured parameter and preset counts, the queues, and copies the
  // configuration (names cut to 128 characters; size limits reordered). No timer yet. Main thread.
  IPluginAPIBase(const IPluginConfig& config, EAPI api);
  // Stops and deletes the timer before anything else goes.
  ~IPluginAPIBase() override;

  // Creates the 20 ms timer calling OnTimer, on the main run loop (or on loop), replacing any
  // previous one. Main thread; allocates.
  void CreateTimer();
  void CreateTimer(RunLoop& loop);
  // Stops and deletes the timer. A derived class whose idle work uses its own members calls it
  // first in its destructor, so that no tick reaches a half-destroyed object. Main thread.
  void DestroyTimer() noexcept { mTimer.reset(); }
  // True while a timer exists.
  bool HasTimer() const noexcept { return mTimer != nullptr; }

  // Timer tick: drains the processor-to-editor MIDI and sysex queues towards the editor (only when
  // the plug-in has a UI), then OnIdle. Main thread.
  void OnTimer(Timer& timer);

  // Identifies the host from its name (null is no name), stores the id and version, then calls
  // HostSpecificInit and OnHostIdentified. Main thread.
  void SetHost(const char* hostName, int version);

  // The editor sets a parameter: stores the value of normalized (snapped, clamped), tells the host
  // the normalized value (clamped to 0..1; NaN is replaced by the stored value's), then
  // OnParamChange(paramIdx, kUI, -1). An invalid index is ignored. Main thread; no allocation.
  void SetParameterValue(int paramIdx, double normalized);

  // --- Editor-delegate operations: called by the editor on the main thread; no locks ---

  void InformHostOfAllParamValuesFromUI() override;
  void BeginInformHostOfParamChangeFromUI(int paramIdx) override;
  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override;
  void EndInformHostOfParamChangeFromUI(int paramIdx) override;
  bool EditorResizeFromUI(int width, int height, bool needsPlatformResize) override;
  void DeferMidiMsg(const IMidiMsg& msg) override;
  void DeferSysexMsg(const ISysEx& msg) override;
  void SendArbitraryMsgFromUI(int msgTag, int ctrlTag, int dataSize, const void* data) override;
  // Queues the message for the audio side (dropped when the queue is full). No allocation.
  void SendMidiMsgFromUI(const IMidiMsg& msg) override;
  // Queues the message for the audio side; sizes outside 0..512 and a full queue drop it.
  void SendSysexMsgFromUI(const ISysEx& msg) override;

  // --- Own hooks, in table order ---

  // True when every current value is within 1e-5 of values[startIdx + i] in single precision;
  // false for null values or a negative start. Nothing calls it here. Main thread.
  virtual bool CompareState(const double* values, int startIdx) const;
  // Host queries nothing calls here; base: false. Main thread; no allocation.
  virtual bool HostQueryA();
  virtual bool HostQueryB();
  // The host was identified (end of SetHost and of the binding's initialise). Main thread; may allocate.
  virtual void OnHostIdentified();
  // Appends 0 .. n - 1 when 1 <= n < number of parameters. Main thread; allocates.
  virtual void AppendIndexRange(int n, TypedBuf<int>& out);
  // a + b == 0. Nothing calls it here; any thread; no allocation.
  virtual bool IntPairQuery(int a, int b);
  // Host notification nothing calls here; base: nothing. Main thread.
  virtual void HostNotifyA();
  // Writes an empty text (when text is non-null) and returns false. Main thread; no allocation.
  virtual bool GetTextForInt(int value, char* text);
  // The editor's graphics context; null while there is none. Main thread; no allocation.
  virtual ui::ICanvas* GetUI();
  // Idle work, called by the timer every tick after the queues were drained. Main thread; may
  // allocate, must not block.
  virtual void OnIdle();
  // Track information from the host; base: black, unchanged names, index 0. Called by the plug-in
  // on the main thread; the binding's overrides may allocate.
  virtual void GetTrackColor(int& r, int& g, int& b);
  virtual void GetTrackName(StringBuf& out);
  virtual int GetTrackIndex();
  virtual void GetTrackNamespace(StringBuf& out);
  virtual int GetTrackNamespaceIndex();
  // Queues a parameter change (the value converted, snapped and clamped first when normalized).
  // False for an invalid index or a full queue. Single producer; no allocation.
  virtual bool EnqueueParamChange(int paramIdx, double value, bool normalized);
  // Host-specific set-up, called by SetHost right after the host id is stored. Main thread.
  virtual void HostSpecificInit();
  // Asks the host to resize the editor; base: false. Called by the editor on the main thread.
  virtual bool EditorResize(int width, int height);
  // Edit gesture towards the host: begin, perform (normalised value), end. Called for the editor on
  // the main thread; the binding forwards to the host. Base: nothing.
  virtual void BeginInformHostOfParamChange(int paramIdx);
  virtual void EndInformHostOfParamChange(int paramIdx);
  virtual void InformHostOfParamChange(int paramIdx, double normalized);
  // Host notifications nothing calls here; base: nothing. Main thread.
  virtual void HostNotifyB();
  virtual void HostNotifyC();

protected:
  std::unique_ptr<Timer> mTimer;
  // Filled by EnqueueParamChange.
  ILockFreeQueue<IParamChange> mParamChangeFromProcessor{kParamChangeQueueSize};
  // Pushed by the editor (main thread), popped by the binding's audio processing.
  ILockFreeQueue<IMidiMsg> mMidiMsgsFromEditor{kMidiQueueSize};
  // Pushed by the binding's audio processing, popped by the timer.
  ILockFreeQueue<IMidiMsg> mMidiMsgsFromProcessor{kMidiQueueSize};
  // Pushed by the editor, popped by the binding's audio processing.
  ILockFreeQueue<SysExData> mSysExDataFromEditor{kSysExQueueSize};
  // Popped by the timer.
  ILockFreeQueue<SysExData> mSysExDataFromProcessor{kSysExQueueSize};
  // Working record for the binding's processing.
  SysExData mSysexBuf;
};

} // namespace plugin

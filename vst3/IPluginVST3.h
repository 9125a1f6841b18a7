#pragma once

#include "framework/plugin/IPluginAPIBase.h"
#include "framework/plugin/IPluginConfig.h"
#include "framework/plugin/InstanceInfo.h"
#include "vst3/IPluginVST3ControllerBase.h"
#include "vst3/IPluginVST3ProcessorBase.h"
#include "vst3/adapter/BusLayout.h"
#include "vst3/layer/SingleComponentEffect.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstchannelcontextinfo.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <functional>
#include <vector>

namespace plugin {

namespace ui {
class IControl;
class IPopupMenu;
} // namespace ui

template <class Plug> class IPluginVST3View;

// The plug-in object as a VST3 host sees it: component, audio processor and edit controller in
// one object (with MIDI mapping and channel-context sub-objects), mapped onto the framework's
// plug-in base, API base and processor frame. A plug-in class derives from it and fills the
// configuration record. Reference-counted through its VST3 interfaces; the last release deletes
// the object. Entry points check the host's arguments and forward to the framework.
class IPluginVST3 : public IPluginAPIBase,
                    public IPluginVST3ProcessorBase,
                    public IPluginVST3ControllerBase,
                    public layer::SingleComponentEffect,
                    public Steinberg::Vst::IMidiMapping,
                    public Steinberg::Vst::ChannelContext::IInfoListener
{
public:
  // Builds the framework parts from config, then the SDK parts, then the 20 ms timer. Called by
  // the factory on the host's main thread, under the creation lock; allocates.
  IPluginVST3(const InstanceInfo& info, const IPluginConfig& config);
  // Stops the timer first, then tears down in reverse order. Main thread (last release).
  ~IPluginVST3() override;

  // --- Framework operations answered by the binding (main thread unless stated) ---

  // Stores the latency and, with a component handler, tells the host (latency changed).
  void SetLatency(int samples) override;
  // Track information from the host's channel context.
  void GetTrackColor(int& r, int& g, int& b) override;
  void GetTrackName(StringBuf& out) override;
  int GetTrackIndex() override;
  void GetTrackNamespace(StringBuf& out) override;
  int GetTrackNamespaceIndex() override;
  // Edit gestures towards the host's component handler; the controller's copy of the value
  // follows each performed edit.
  void BeginInformHostOfParamChange(int paramIdx) override;
  void InformHostOfParamChange(int paramIdx, double normalized) override;
  void EndInformHostOfParamChange(int paramIdx) override;
  // Parameter titles changed: the host is asked to reread them.
  void InformHostOfParameterDetailsChange() override;
  // Parameter objects catch up with the plug-in, then one grouped edit reports every value.
  void InformHostOfAllParamValuesFromUI() override;
  // The parameter object follows the editor, then the framework's own handling.
  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override;
  // A value the plug-in set by itself on the main thread (a parameter that follows another one,
  // a comparison swap): the controller's copy takes it and the host is told through one edit
  // (begin, perform, end). A value the host sets back meanwhile is stored without
  // OnControllerParamChange. Main thread.
  void InformHostOfOwnChange(int paramIdx);
  // Stores the editor's new size and asks the host frame of the open view for it; false (the
  // host was not asked) without a view or frame. Called by the editor on the main thread.
  bool EditorResize(int width, int height) override;
  // The host's context menu for paramIdx at (x, y) of the last view, with the editor's items after
  // the host's; a chosen one reaches the control findTarget answers then (nothing when it answers
  // none). False without a component handler that makes context menus, without a view, or for an
  // index no parameter has. Called by the graphics editor delegate on the main thread; allocates.
  bool PopupHostContextMenu(std::function<ui::IControl*()> findTarget, int paramIdx, ui::IPopupMenu& items,
                            int x, int y);

  // --- Component and processor (host main thread unless stated) ---

  // Buses from the channel-I/O configurations, parameters and units, host detection, then the
  // host-identified hook and a parameter reset. kResultFalse when already initialised.
  Steinberg::tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  // Drops buses, parameters, units and the handler; a later initialize starts afresh.
  Steinberg::tresult PLUGIN_API terminate() override;
  // Accepts arrangements that match a configuration exactly and rebuilds the buses from it;
  // refuses others (old buses kept). Accepts anything unchanged in hosts that need it.
  Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                   Steinberg::int32 numIns,
                                                   Steinberg::Vst::SpeakerArrangement* outputs,
                                                   Steinberg::int32 numOuts) override;
  Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) override;
  // 32- or 64-bit, a positive block size and a finite rate above 0; resets the plug-in.
  Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  // Switching processing off resets the plug-in.
  Steinberg::tresult PLUGIN_API setProcessing(Steinberg::TBool state) override;
  // Host audio thread; no allocation, lock or system call. Always kResultOk: a call of either
  // sample size is processed (whatever the set-up's), one of an unknown size only takes its
  // parameter changes and events.
  Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;
  Steinberg::tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override;
  Steinberg::uint32 PLUGIN_API getTailSamples() override;

  // Component state: the plug-in state and the bypass flag. The stream is read to its end or to
  // its first failing read. A state without the bypass flag is applied (the bypass unchanged) and
  // gives kResultFalse; a shorter or unreadable one changes nothing and gives kResultFalse.
  Steinberg::tresult loadComponentState(Steinberg::IBStream* state) override;
  // kResultFalse when the stream takes fewer bytes than the state holds.
  Steinberg::tresult saveComponentState(Steinberg::IBStream* state) override;
  // The controller keeps no state of its own: nothing is read or written.
  Steinberg::tresult loadControllerState(Steinberg::IBStream* state) override;
  Steinberg::tresult saveControllerState(Steinberg::IBStream* state) override;
  Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) override;

  // --- Edit controller (host main thread) ---

  Steinberg::Vst::ParamValue PLUGIN_API getParamNormalized(Steinberg::Vst::ParamID id) override;
  // Non-finite values are refused; others are clamped to [0, 1] and reach the plug-in parameter.
  Steinberg::tresult PLUGIN_API setParamNormalized(Steinberg::Vst::ParamID id,
                                                   Steinberg::Vst::ParamValue value) override;
  // The "editor" view when the plug-in has one; null otherwise.
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;
  Steinberg::tresult PLUGIN_API getMidiControllerAssignment(Steinberg::int32 busIndex,
                                                            Steinberg::int16 channel,
                                                            Steinberg::Vst::CtrlNumber midiControllerNumber,
                                                            Steinberg::Vst::ParamID& id) override;
  // Names of the preset records under the preset list id.
  Steinberg::tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId,
                                               Steinberg::int32 programIndex,
                                               Steinberg::Vst::String128 name) override;
  Steinberg::int32 PLUGIN_API getProgramListCount() override;
  Steinberg::tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex,
                                                   Steinberg::Vst::ProgramListInfo& info) override;
  Steinberg::tresult PLUGIN_API setChannelContextInfos(Steinberg::Vst::IAttributeList* list) override;

  // --- Run-time type and interfaces ---

  static Steinberg::FClassID getFClassID() { return "IPluginVST3"; }
  Steinberg::FClassID isA() const override { return getFClassID(); }
  bool isA(Steinberg::FClassID s) const override { return isTypeOf(s, false); }
  bool isTypeOf(Steinberg::FClassID s, bool askBaseClass = true) const override;
  // MIDI mapping and channel context, then everything the single-component base answers. Any thread.
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return SingleComponentEffect::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return SingleComponentEffect::release(); }

  using View = IPluginVST3View<IPluginVST3>;
  // The view last created; null once that view is gone. Main thread.
  View* GetLastView() const noexcept { return mLastView; }
  // Called by a view when it goes: the plug-in forgets it if it is the last one. Main thread.
  void ForgetView(const View* view) noexcept
  {
    if (mLastView == view) mLastView = nullptr;
  }

protected:
  // The host set a parameter through the edit controller and the plug-in parameter holds the
  // value; the plug-in may react here on the main thread (the processor hears of the change
  // through process as well). Host main thread. Base: nothing.
  virtual void OnControllerParamChange(int paramIdx);

private:
  // Bus counts and active flags of the SDK bus lists for the audio path.
  class BusLists : public BusState
  {
  public:
    explicit BusLists(const IPluginVST3& owner) : mOwner(owner) {}
    int NAudioBuses(ERoute direction) const noexcept override;
    bool IsAudioBusActive(ERoute direction, int bus) const noexcept override;

  private:
    const IPluginVST3& mOwner;
  };

  // Creates audio buses of one direction as described.
  void AddAudioBuses(ERoute direction, const std::vector<vst3::AudioBusDecl>& buses);
  // The controller's copies of values the processor set by itself take the plug-in's values.
  void CatchUpParamsSetByProcessor();
  // Creates every bus of initialise.
  void CreateBuses();
  // Host detection from the context's host application, when not done yet.
  void DetectHost(Steinberg::FUnknown* context);

  BusLists mBusLists{*this};
  View* mLastView = nullptr;
  int mInformingHost = 0; // depth of InformHostOfOwnChange calls on the main thread
};

} // namespace plugin

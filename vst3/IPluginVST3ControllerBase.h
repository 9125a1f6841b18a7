#pragma once

#include "framework/plugin/IPluginBase.h"
#include "framework/buffers/StringBuf.h"
#include "vst3/IPluginVST3Parameter.h"

#include "pluginterfaces/vst/ivstattributes.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <cstdint>

namespace plugin {

// The controller half of the binding: exports the plug-in's parameters as VST3 parameters (one
// per plug-in parameter with its index as id, the bypass switch, the MIDI controller parameters
// of a MIDI-input plug-in) together with the units of their groups, brings them up to date after
// a restored state, and keeps the channel context the host reports. Host main thread.
class IPluginVST3ControllerBase
{
public:
  IPluginVST3ControllerBase() = default;
  virtual ~IPluginVST3ControllerBase() = default;

  // Parameter export into the edit controller's container and unit list: the root unit, the
  // bypass parameter (not for instruments), one unit per parameter group, the parameters, and for
  // MIDI input the "MIDI CCs" and channel units with 130 controller parameters. Allocates.
  void Initialize(IPluginBase& plug, Steinberg::Vst::EditControllerEx1& controller,
                  Steinberg::Vst::ParameterContainer& parameters, bool plugIsInstrument, bool midiIn);
  // The container emptied itself: forget the pointers into it.
  void Terminate() noexcept;

  // Every parameter object takes its plug-in parameter's current value (normalised); the bypass
  // object takes the bypass flag.
  void UpdateWithState(const IPluginBase& plug, bool bypassed);
  // The same for the parameter objects only; the bypass object keeps its value.
  void UpdateParamObjects(const IPluginBase& plug);

  // The bypass parameter object; null for instruments and before initialise.
  IPluginVST3BypassParameter* GetBypassParameter() const noexcept { return mBypassParameter; }

  // Stores what can be read of the host's channel context; a null list gives false. Allocates.
  bool SetChannelContext(Steinberg::Vst::IAttributeList* list);

  // The stored channel context.
  const char* GetChannelName() const noexcept { return mChannelName.Get(); }
  const char* GetChannelNamespace() const noexcept { return mChannelNamespace.Get(); }
  const char* GetChannelUID() const noexcept { return mChannelUID.Get(); }
  int32_t GetChannelNamespaceIndex() const noexcept { return mChannelNamespaceIndex; }
  int32_t GetChannelIndex() const noexcept { return mChannelIndex; }
  uint32_t GetChannelColor() const noexcept { return mChannelColor; }

protected:
  Steinberg::Vst::ParameterContainer* mParameters = nullptr;
  IPluginVST3BypassParameter* mBypassParameter = nullptr;
  StringBuf mChannelName{128};
  StringBuf mChannelNamespace{128};
  StringBuf mChannelUID{128};
  int32_t mChannelNamespaceIndex = 0;
  int32_t mChannelIndex = 0;
  uint32_t mChannelColor = 0;
};

} // namespace plugin

#pragma once

#include "framework/IMidiMsg.h"
#include "framework/IPluginAPIBase.h"
#include "framework/IPluginConfig.h"
#include "framework/IPluginProcessor.h"
#include "framework/InstanceInfo.h"
#include "vst3/IPluginVST3.h"

namespace plugin {

// The framework's API base and processor frame joined as the plug-in API binding joins them, with
// no host behind them. The compressor derives from it until the binding class takes its place;
// only the alias below changes then.
class IPluginStandInBinding : public IPluginAPIBase, public IPluginProcessor
{
public:
  // Builds the API base, then the processor frame, from the same configuration. Main thread;
  // allocates. Creates no timer: whoever drives the object creates it (CreateTimer).
  IPluginStandInBinding(const InstanceInfo& info, const IPluginConfig& config);

  // No host to receive MIDI: always false. Audio thread; no allocation.
  bool SendMidiMsg(const IMidiMsg& msg) override;
};

} // namespace plugin

// Base class of the compressor's plug-in class.
using KelmoBase = plugin::IPluginVST3;

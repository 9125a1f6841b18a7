#include "engine/KelmoBase.h"

namespace plugin {

IPluginStandInBinding::IPluginStandInBinding(const InstanceInfo&, const IPluginConfig& config)
    : IPluginAPIBase(config, kAPIVST3), IPluginProcessor(config, kAPIVST3)
{}

bool IPluginStandInBinding::SendMidiMsg(const IMidiMsg&)
{
  return false;
}

} // namespace plugin

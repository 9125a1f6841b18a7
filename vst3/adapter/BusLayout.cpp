#include "vst3/adapter/BusLayout.h"

#include "vst3/adapter/SpeakerArrangements.h"

namespace plugin::vst3 {

std::vector<AudioBusDecl> BusesOfConfig(const IPluginProcessor& processor, const IOConfig& config,
                                        ERoute direction)
{
  std::vector<AudioBusDecl> buses;
  const int nBuses = config.NBuses(direction);
  for (int b = 0; b < nBuses; ++b) {
    AudioBusDecl bus;
    StringBuf name;
    processor.GetBusName(direction, b, nBuses, name);
    bus.name = name.Get();
    bus.channels = config.GetBusInfo(direction, b)->mNChans;
    bus.arrangement = ArrangementForChannels(bus.channels);
    bus.main = b == 0;
    bus.defaultActive = b == 0;
    buses.push_back(std::move(bus));
  }
  return buses;
}

BusPlan PlanBuses(const IPluginProcessor& processor)
{
  BusPlan plan;
  for (ERoute direction : {kInput, kOutput}) {
    int configIdx = 0;
    if (processor.MaxNBuses(direction, &configIdx) <= 0) continue;
    const IOConfig* config = processor.GetIOConfig(configIdx);
    if (!config) continue;
    (direction == kInput ? plan.inputs : plan.outputs) = BusesOfConfig(processor, *config, direction);
  }
  plan.dummyOutput = processor.GetPlugType() == 2 && plan.outputs.empty();
  plan.midiInput = processor.DoesMidiIn();
  plan.midiOutput = processor.DoesMidiOut();
  return plan;
}

int MatchArrangements(const IPluginProcessor& processor, const std::vector<uint64_t>& inputs,
                      const std::vector<uint64_t>& outputs)
{
  if (static_cast<int>(inputs.size()) > processor.MaxNBuses(kInput) ||
      static_cast<int>(outputs.size()) > processor.MaxNBuses(kOutput))
    return -1;
  std::vector<int> inChannels, outChannels;
  for (uint64_t arrangement : inputs)
    inChannels.push_back(ChannelsOfArrangement(arrangement));
  for (uint64_t arrangement : outputs)
    outChannels.push_back(ChannelsOfArrangement(arrangement));
  return processor.GetIOConfigWithChanCounts(inChannels, outChannels);
}

} // namespace plugin::vst3

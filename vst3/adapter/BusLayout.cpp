#include "vst3/adapter/BusLayout.h"

#include "vst3/adapter/SpeakerArrangements.h"

namespace plugin::vst3 {

std::vector<AudioBusSpec> BusesOfConfig(const IPluginProcessor& processor, const IOConfig& config,
                                        ERoute direction)
{
  std::vector<AudioBusSpec> buses;
  const int nBuses = config.NBuses(direction);
  for (int b = 0; b < nBuses; ++b) {
    AudioBusSpec spec;
    StringBuf name;
    processor.GetBusName(direction, b, nBuses, name);
    spec.name = name.Get();
    spec.channels = config.GetBusInfo(direction, b)->mNChans;
    spec.arrangement = ArrangementForChannels(spec.channels);
    spec.main = b == 0;
    spec.defaultActive = b == 0;
    buses.push_back(std::move(spec));
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

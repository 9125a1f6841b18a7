#pragma once

#include "framework/processor/ERoute.h"
#include "framework/processor/IPluginProcessor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plugin::vst3 {

// One audio bus as the binding declares it to the host.
struct AudioBusDecl
{
  std::string name;         // UTF-8
  int channels = 0;         // channel count of the configuration's bus (wildcards read as -64)
  uint64_t arrangement = 0; // speaker bitmask for that count
  bool main = false;        // main bus (bus 0) or auxiliary
  bool defaultActive = false;
};

// Every bus the binding creates at initialise.
struct BusPlan
{
  std::vector<AudioBusDecl> inputs;
  std::vector<AudioBusDecl> outputs;
  bool dummyOutput = false; // a MIDI effect without audio outputs gets one empty "Dummy Output"
  bool midiInput = false;
  bool midiOutput = false;
};

// The audio buses of one direction of a configuration: names from the processor's GetBusName,
// arrangements by channel count, bus 0 main and active by default, the others auxiliary and off.
// Main thread; allocates.
std::vector<AudioBusDecl> BusesOfConfig(const IPluginProcessor& processor, const IOConfig& config,
                                        ERoute direction);

// The buses of initialise: for each direction those of the configuration with the most buses
// (the processor's MaxNBuses choice), plus the MIDI buses and the dummy output.
// Main thread; allocates.
BusPlan PlanBuses(const IPluginProcessor& processor);

// The configuration whose buses have exactly the channel counts of the requested arrangements,
// or -1 when there are more buses than any configuration has or none matches. Main thread.
int MatchArrangements(const IPluginProcessor& processor, const std::vector<uint64_t>& inputs,
                      const std::vector<uint64_t>& outputs);

} // namespace plugin::vst3

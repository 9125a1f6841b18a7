#pragma once

#include "framework/processor/ERoute.h"

#include <memory>
#include <vector>

namespace plugin {

// One bus of a channel-I/O configuration. A wildcard bus ("*") has kWildcardChannels channels.
struct IBusInfo
{
  static constexpr int kWildcardChannels = -64;

  ERoute mDirection = kInput;
  int mNChans = 0;

  bool IsWildcard() const noexcept { return mNChans == kWildcardChannels; }
};

// One accepted bus layout: its input buses and its output buses, in order.
struct IOConfig
{
  // Appends a bus; main thread, allocates.
  void AddBusInfo(ERoute direction, int nChans) { mBuses[direction].push_back(IBusInfo{direction, nChans}); }

  // Bus idx of a direction, or null when there is none.
  const IBusInfo* GetBusInfo(ERoute direction, int idx) const noexcept
  {
    const auto& buses = mBuses[direction];
    return idx >= 0 && idx < static_cast<int>(buses.size()) ? &buses[static_cast<size_t>(idx)] : nullptr;
  }

  // Number of buses of a direction.
  int NBuses(ERoute direction) const noexcept { return static_cast<int>(mBuses[direction].size()); }

  // Sum of the channel counts of a direction's buses, wildcards (-64) included.
  int GetTotalNChannels(ERoute direction) const noexcept;

  // True when some bus of the direction is a wildcard.
  bool ContainsWildcard(ERoute direction) const noexcept;

  std::vector<IBusInfo> mBuses[2];
};

// Parses a channel-I/O string ("1-1 2.1-2 *-*": configurations separated by spaces, input and
// output sides joined by "-", buses joined by ".", each a channel count or "*") into configs,
// appending one IOConfig per configuration token, and sets the four maxima (largest total channel
// counts and bus counts over all configurations, 0 when there are none). A zero bus is dropped; a
// token without an output side has no output buses; a null string has no configurations.
// Returns the number of configurations. Main thread; allocates.
int ParseChannelIOStr(const char* str, std::vector<std::unique_ptr<IOConfig>>& configs, int& maxNIn,
                      int& maxNOut, int& maxNInBuses, int& maxNOutBuses);

} // namespace plugin

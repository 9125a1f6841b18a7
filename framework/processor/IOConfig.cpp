#include "framework/processor/IOConfig.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

namespace plugin {

namespace {

// Largest channel count a single bus token may give; keeps sums far from integer overflow.
constexpr long kMaxBusChannels = 4096;

// Splits text on sep like a tokenizer: runs of separators and leading or trailing ones give no
// empty pieces.
std::vector<std::string_view> Split(std::string_view text, char sep)
{
  std::vector<std::string_view> pieces;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == sep)
      ++pos;
    if (pos >= text.size()) break;
    const size_t end = std::min(text.find(sep, pos), text.size());
    pieces.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return pieces;
}

// A bus token's channel count: "*" is a wildcard, otherwise the leading decimal number (0 when
// there is none), limited to +-kMaxBusChannels.
int BusChannels(std::string_view token)
{
  if (token == "*") return IBusInfo::kWildcardChannels;
  const std::string text(token);
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str()) return 0;
  v = std::clamp(v, -kMaxBusChannels, kMaxBusChannels);
  return static_cast<int>(v);
}

// Adds the buses of one side; returns the side's total channel count.
int ParseSide(std::string_view side, ERoute direction, IOConfig& config)
{
  int total = 0;
  for (std::string_view token : Split(side, '.')) {
    const int n = BusChannels(token);
    total += n;
    if (n != 0) config.AddBusInfo(direction, n);
  }
  return total;
}

} // namespace

int IOConfig::GetTotalNChannels(ERoute direction) const noexcept
{
  int total = 0;
  for (const IBusInfo& bus : mBuses[direction])
    total += bus.mNChans;
  return total;
}

bool IOConfig::ContainsWildcard(ERoute direction) const noexcept
{
  return std::any_of(mBuses[direction].begin(), mBuses[direction].end(),
                     [](const IBusInfo& bus) { return bus.IsWildcard(); });
}

int ParseChannelIOStr(const char* str, std::vector<std::unique_ptr<IOConfig>>& configs, int& maxNIn,
                      int& maxNOut, int& maxNInBuses, int& maxNOutBuses)
{
  maxNIn = maxNOut = maxNInBuses = maxNOutBuses = 0;
  if (!str) return 0;
  // Bounded text and bounded bus tokens keep every channel sum far from integer overflow.
  constexpr size_t kMaxTextLen = 1 << 16;
  const std::string_view text(str, std::min(std::char_traits<char>::length(str), kMaxTextLen));

  int nConfigs = 0;
  for (std::string_view token : Split(text, ' ')) {
    auto config = std::make_unique<IOConfig>();
    const std::vector<std::string_view> sides = Split(token, '-');
    const int nIn = sides.size() > 0 ? ParseSide(sides[0], kInput, *config) : 0;
    const int nOut = sides.size() > 1 ? ParseSide(sides[1], kOutput, *config) : 0;
    maxNIn = std::max(maxNIn, nIn);
    maxNOut = std::max(maxNOut, nOut);
    maxNInBuses = std::max(maxNInBuses, config->NBuses(kInput));
    maxNOutBuses = std::max(maxNOutBuses, config->NBuses(kOutput));
    configs.push_back(std::move(config));
    ++nConfigs;
  }
  return nConfigs;
}

} // namespace plugin

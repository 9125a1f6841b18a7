#include "engine/FactoryPresetRegistration.h"

#include "engine/dsp/KelmoParams.h"

#include <cstddef>
#include <utility>

namespace {

// Pair slot i of a preset as the preset maker takes it. Slots past the preset's pairs carry the
// index -1, which the maker ignores.
std::pair<int, double> PairAt(const FactoryPreset& preset, std::size_t i)
{
  if (i >= preset.pairs.size()) return {-1, 0.0};
  const FactoryPresetPair& p = preset.pairs[i];
  return {p.paramIdx, p.isInteger ? static_cast<double>(p.IntValue()) : p.value};
}

// The preset maker takes a fixed list; every preset fits in one slot per parameter.
template <std::size_t... I>
void Register(plugin::IPluginBase& plugin, const FactoryPreset& preset, std::index_sequence<I...>)
{
  plugin.MakePresetFromNamedParams(preset.name, {PairAt(preset, I)...});
}

} // namespace

void RegisterFactoryPreset(plugin::IPluginBase& plugin, const FactoryPreset& preset)
{
  Register(plugin, preset, std::make_index_sequence<kNumParams>{});
}

#include "editor/ComparisonCopyActions.h"

#include "engine/Kelmo.h"
#include "graphics/control/IControl.h"

#include <algorithm>

namespace plugin::ui {

namespace {

// The slot whose values are the live parameters: "Comparison slot" exactly 0 (A, also -0) or 1 (B).
bool IsLive(const Kelmo& plugin, int slot) noexcept
{
  return plugin.GetParam(kComparisonSlot)->Value() == static_cast<double>(slot);
}

void CopyFrom(IControl* button, int from, int to)
{
  if (Kelmo* plugin = button ? dynamic_cast<Kelmo*>(button->GetDelegate()) : nullptr)
    CopyComparisonSlot(*plugin, from, to);
}

} // namespace

void CopyComparisonSlot(Kelmo& plugin, int from, int to)
{
  ComparisonSlots& slots = plugin.Comparison();
  const bool fromLive = IsLive(plugin, from);
  const bool toLive = IsLive(plugin, to);
  const ComparisonSlots::Snapshot& source = slots.Slot(from);
  ComparisonSlots::Snapshot& target = slots.Slot(to);
  const int n = std::min(plugin.NParams(), ComparisonSlots::kMaxParams);
  for (int i = 0; i < n; ++i) {
    if (i == kDelta || i == kPluginScale) continue;
    IParam& param = *plugin.GetParam(i);
    // The snapshot of the current slot is only refreshed when the slot is left: its live values
    // are the ones the user sees.
    const double value = fromLive ? param.Value() : source[static_cast<size_t>(i)];
    target[static_cast<size_t>(i)] = value;
    // The live slot's own index stays: only a slot switch may change it.
    if (toLive && i != kComparisonSlot && value != ComparisonSlots::kNotStored) param.Set(value);
  }
  plugin.SendAllParamValuesToUI();
}

void CopyAToBAction(IControl* button)
{
  CopyFrom(button, 0, 1);
}

void CopyBToAAction(IControl* button)
{
  CopyFrom(button, 1, 0);
}

} // namespace plugin::ui

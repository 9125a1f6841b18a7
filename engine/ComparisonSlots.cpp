#include "engine/ComparisonSlots.h"

#include "engine/dsp/KelmoParams.h"

#include <algorithm>

ComparisonSlots::ComparisonSlots() noexcept
{
  for (Snapshot& s : mComparisonSnapshots)
    s.fill(kNotStored);
}

bool ComparisonSlots::IsExcluded(int paramIdx) noexcept
{
  return paramIdx == kOverSampling || paramIdx == kDelta || paramIdx == kPluginScale ||
         paramIdx == kComparisonSlot;
}

void ComparisonSlots::Switch(plugin::IEditorDelegate& params, int newSlot) noexcept
{
  const int target = Limit(newSlot);
  Snapshot& leaving = mComparisonSnapshots[static_cast<size_t>(mComparisonSlotIndex)];
  Snapshot& entering = mComparisonSnapshots[static_cast<size_t>(target)];
  const int n = std::min(params.NParams(), kMaxParams);
  for (int i = 0; i < n; ++i) {
    if (IsExcluded(i)) continue;
    plugin::IParam& param = *params.GetParam(i);
    const double live = param.Value();
    leaving[static_cast<size_t>(i)] = live;
    double& stored = entering[static_cast<size_t>(i)];
    if (stored == kNotStored) stored = live;
    param.Set(stored);
  }
  mComparisonSlotIndex = target;
}

void ComparisonSlots::Adopt(int slot) noexcept
{
  mComparisonSlotIndex = Limit(slot);
}

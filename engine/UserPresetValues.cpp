#include "engine/UserPresetValues.h"

#include <cmath>

void ApplyUserPresetValues(plugin::IEditorDelegate& delegate, const UserPresetContents& contents,
                           EUserPresetNumbers numbers, plugin::ParamMask only) noexcept
{
  for (const UserPresetAssignment& a : contents.assignments) {
    plugin::IParam* param = delegate.GetParam(a.paramIdx);
    if (!param || !plugin::HasParam(only, a.paramIdx) || IsUserPresetSkippedIndex(a.paramIdx)) continue;
    // Cut in double precision, so that a huge value stays huge and is then clamped.
    const bool truncate =
        numbers == EUserPresetNumbers::kTruncateUnlessDouble && param->Type() != plugin::IParam::kTypeDouble;
    param->Set(truncate ? std::trunc(a.value) : a.value);
  }
}

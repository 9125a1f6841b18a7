#pragma once

#include "engine/dsp/KelmoParams.h"
#include "engine/presets/UserPresetFormat.h"
#include "framework/editor/IEditorDelegate.h"
#include "framework/params/ParamMask.h"

// The parameters a user file sets are picked by one bit each.
static_assert(kNumParams <= plugin::kParamMaskBits, "user preset values are picked by a bit per parameter");

// How a user file's number is taken before it is snapped to the step and clamped to the range.
enum class EUserPresetNumbers {
  kAsWritten,           // the plug-in's own load of slot 0 at construction: 2.6 snaps to 3
  kTruncateUnlessDouble // the preset bar: all but double parameters are cut toward zero first, 2.6 to 2
};

// Stores a user file's values in the delegate's parameters: each parameter in `only` that the
// file gives a value, taken by `numbers`, then snapped when stepped and clamped to its range.
// OverSampling, Delta and Comparison slot are never set. No change handler runs, and neither the
// host nor the editor hears of it: the caller sends the values on. Main thread; no allocation.
void ApplyUserPresetValues(plugin::IEditorDelegate& delegate, const UserPresetContents& contents,
                           EUserPresetNumbers numbers,
                           plugin::ParamMask only = plugin::kAllParamsMask) noexcept;

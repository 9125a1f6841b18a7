#pragma once

#include "engine/presets/UserPresetFormat.h"
#include "tools/render/ParamAssignment.h"
#include "tools/render/RenderFailure.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/RenderTarget.h"

#include <optional>
#include <vector>

namespace kelmo::render {

// The parameter settings of one render, resolved before anything is processed or written.
struct RenderSettings
{
  std::optional<int> factoryPreset;             // --preset
  bool hasUserPreset = false;                   // --user-preset
  std::vector<UserPresetAssignment> userValues; // its values
  std::vector<ParamAssignment> params;          // --param, in command-line order
};

// Resolves --preset, --user-preset and every --param against the target's parameters. False with
// the failure filled in (usage errors for names and values, file errors for the preset file).
bool ResolveSettings(const RenderOptions& options, const RenderTarget& target, RenderSettings& settings,
                     RenderFailure& failure);

// Brings the target to the settings' stored values: the factory preset recalled, then the user
// preset's values put over the result exactly as stored (no channel linking, as the plug-in
// applies a user preset file). Before Prepare.
bool ApplyStoredSettings(RenderTarget& target, const RenderSettings& settings, RenderFailure& failure);

// Sends every --param as host automation, in order. After Prepare, before the first block.
bool ApplyParamSettings(RenderTarget& target, const RenderSettings& settings, RenderFailure& failure);

} // namespace kelmo::render

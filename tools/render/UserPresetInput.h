#pragma once

#include "engine/presets/UserPresetFormat.h"

#include <string>
#include <vector>

namespace kelmo::render {

// Reads a user preset file for --user-preset: the values it gives, in ascending index order,
// without the indices a user preset never sets. False with a one-line reason in error when the
// file cannot be read or is not JSON (as the plug-in, which then takes the slot for empty). Any
// JSON document is accepted and gives what it can: [1], or "Params" that is not an object, gives
// no values; a "PresetName" of any type is fine.
bool ReadUserPresetInput(const std::string& path, std::vector<UserPresetAssignment>& values,
                         std::string& error);

// Puts the file's values over a full set of parameter values (indices outside it are ignored).
void OverlayUserPreset(std::vector<double>& values, const std::vector<UserPresetAssignment>& overlay);

} // namespace kelmo::render

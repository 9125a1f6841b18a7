#pragma once

#include <optional>
#include <string>

class Kelmo;

// Loading preset slots from the editor: the slot's framework preset with its user file laid over
// it, and the editor scale from slot 0 when an editor opens. Main thread only; they allocate and
// may throw std::bad_alloc, which ends the gesture (or the opening) at the graphics context.

namespace plugin::ui {

// Makes slot the current preset and applies its user file over it: each stored value truncated
// toward zero unless the parameter is a double, snapped when stepped, clamped to the range and
// stored without the change handler; oversampling, delta and the comparison slot keep the
// framework preset's values. When the slot has a file, every parameter's value is then sent to
// the editor, even when the file gave none. A slot whose file is missing or not JSON loads as
// its framework preset alone. Returns what
// the preset bar's name display shows (PresetSlotLabel), or nothing when the slot does not
// exist or its framework preset cannot be restored; then nothing has changed.
std::optional<std::string> LoadPresetSlot(Kelmo& plugin, int slot);

// Restores "Plugin Scale" alone from the slot's user file (snapped and clamped to its range),
// then sends every parameter's value to the editor. Nothing happens when the slot's file is
// missing or not JSON; a file without a numeric scale only sends the values. The layout calls it
// with slot 0 when an editor opens.
void LoadUserPresetScale(Kelmo& plugin, int slot);

} // namespace plugin::ui

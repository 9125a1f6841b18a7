#pragma once

#include <optional>
#include <vector>

#include "engine/presets/UserPresetFormat.h"

class Kelmo;

// The editor's side of the user preset files: one JSON file per preset slot, written from the
// live parameter values and read back over the slot's framework preset. Built on the engine's
// file functions (location, whole-file read, atomic write, delete, format). Main thread only;
// these functions allocate: running out of memory throws std::bad_alloc, which ends the gesture
// at the graphics context. A file that cannot be read or used is a result, never an exception.

namespace plugin::ui {

// The values a save writes: every stored parameter's live value, tagged with whether it is kept
// as a double (else it is written truncated toward zero as an integer).
using UserPresetParams = std::vector<UserPresetValue>;

// True for the slots that have a file: 0 to kNumPresets - 1.
bool IsUserPresetSlot(int slot) noexcept;

// The slot's file read and parsed; nothing when the slot counts as empty: no such slot, a
// missing or unreadable file, the placeholder "nada", or text that is not JSON. Any JSON
// document is a user preset, with no name unless "PresetName" is a string and no values unless
// "Params" is an object (ParseUserPresetFile).
std::optional<UserPresetContents> ReadUserPresetFile(int slot);

// The live value of every parameter except oversampling, delta and the comparison slot, read
// as stored (no snapping, no clamping). The preset bar captures them when a slot is chosen for
// overwriting and hands them to WriteUserPresetFile once the name is typed.
UserPresetParams CaptureUserPresetParams(const Kelmo& plugin);

// Replaces the slot's file with {"Params": params, "PresetName": name}; invalid UTF-8 in the
// name is stored as U+FFFD, a null name as "". Creates the whole folder path. True only when the
// complete file is in place; on failure (bad slot, unwritable folder, full disk) the earlier file
// is left whole.
bool WriteUserPresetFile(int slot, const UserPresetParams& params, const char* name);

// Removes the slot's file; true only when it existed and was removed.
bool DeleteUserPresetFile(int slot);

} // namespace plugin::ui

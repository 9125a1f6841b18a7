#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/UserPresetFiles.h"

class Kelmo;

// The texts the preset bar shows for the preset slots: list entries and the name display.
// Main thread only; they read the slot files (nothing is cached) and allocate: running out of
// memory throws std::bad_alloc, which ends the gesture at the graphics context.

namespace plugin::ui {

// Name of a user preset whose file has no "PresetName" string.
inline constexpr std::string_view kUnnamedUserPreset = "User Preset";
// What the slot list puts before a user preset's name.
inline constexpr std::string_view kUserPresetListPrefix = "- User: ";
// The name display shows at most this many characters of a user preset's name.
inline constexpr std::size_t kPresetNameDisplayChars = 38;

// The slot list's text for a slot: "- User: " and the file's name ("User Preset" when it has
// none) when the slot has a user file, else frameworkName (the slot's framework preset name).
std::string UserPresetDisplayName(int slot, std::string_view frameworkName);

// The list's 40 texts, slot 0 first, each as UserPresetDisplayName with the slot's framework
// preset name.
std::vector<std::string> PresetListTexts(const Kelmo& plugin);

// What the name display shows for a user preset called name: valid UTF-8 (invalid bytes as
// U+FFFD), ending at an embedded NUL, cut to its first 38 characters.
std::string UserPresetLabel(std::string_view name);

// What the name display shows for a slot whose file read as contents (nothing when it has no
// user file): the label of the file's name, else frameworkName.
std::string PresetSlotLabel(const std::optional<UserPresetContents>& contents,
                            std::string_view frameworkName);

// What the name display shows for a slot: the label of its file's name when it has a user file,
// else its framework preset name. After a failed save the preset bar shows this for the
// current preset instead of the name that was not saved.
std::string PresetSlotLabel(const Kelmo& plugin, int slot);

} // namespace plugin::ui

#pragma once

#include <string>

// Where the user preset files live and what each slot's file is called.
// Main thread only.

// The folder used when nothing overrides it.
inline constexpr const char* kDefaultUserPresetFolder =
    "~/Library/Application Support/Quillmere/Kelmo Presets/";

// Environment variable that, when set and non-empty, replaces the default folder (for tests and
// tools that must not touch the user's own presets).
inline constexpr const char* kUserPresetFolderEnv = "KELMO_USER_PRESET_DIR";

// The folder, ending in "/" and not yet tilde-expanded: the one given to SetUserPresetFolder,
// else the environment variable, else the default.
std::string UserPresetFolder();

// Overrides the folder for this process; an empty text removes the override.
void SetUserPresetFolder(const std::string& folder);

// "<slot> User Preset.json"; "" for a negative slot.
std::string UserPresetFileName(int slot);

// The folder followed by the slot's file name, tilde-expanded; "" for a negative slot.
std::string UserPresetPath(int slot);

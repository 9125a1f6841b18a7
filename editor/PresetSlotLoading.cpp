#include "editor/PresetSlotLoading.h"

#include "editor/UserPresetFiles.h"
#include "editor/UserPresetNames.h"
#include "engine/Kelmo.h"
#include "engine/UserPresetValues.h"

namespace plugin::ui {

std::optional<std::string> LoadPresetSlot(Kelmo& plugin, int slot)
{
  // Read before the restore, as the user chose it; the restore does not touch the files.
  const std::optional<UserPresetContents> contents = ReadUserPresetFile(slot);
  if (!plugin.RestorePreset(slot)) return std::nullopt;
  if (contents) {
    ApplyUserPresetValues(plugin, *contents, EUserPresetNumbers::kTruncateUnlessDouble);
    plugin.SendAllParamValuesToUI();
  }
  return PresetSlotLabel(contents, plugin.GetPresetName(slot));
}

void LoadUserPresetScale(Kelmo& plugin, int slot)
{
  const std::optional<UserPresetContents> contents = ReadUserPresetFile(slot);
  if (!contents) return;
  ApplyUserPresetValues(plugin, *contents, EUserPresetNumbers::kTruncateUnlessDouble, ParamBit(kPluginScale));
  plugin.SendAllParamValuesToUI();
}

} // namespace plugin::ui

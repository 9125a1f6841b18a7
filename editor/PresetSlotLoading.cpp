#include "editor/PresetSlotLoading.h"

#include <cmath>

#include "editor/UserPresetFiles.h"
#include "editor/UserPresetNames.h"
#include "engine/Kelmo.h"

namespace plugin::ui {

namespace {

// A file value as the parameter takes it: whole numbers for all but doubles, cut in double
// precision so that huge values stay huge and are then clamped by the parameter.
void StoreFileValue(IParam& param, double value)
{
  param.Set(param.Type() == IParam::kTypeDouble ? value : std::trunc(value));
}

} // namespace

std::optional<std::string> LoadPresetSlot(Kelmo& plugin, int slot)
{
  // Read before the restore, as the user chose it; the restore does not touch the files.
  const std::optional<UserPresetContents> contents = ReadUserPresetFile(slot);
  if (!plugin.RestorePreset(slot)) return std::nullopt;
  if (contents) {
    for (const UserPresetAssignment& a : contents->assignments)
      if (IParam* param = plugin.GetParam(a.paramIdx)) StoreFileValue(*param, a.value);
    plugin.SendAllParamValuesToUI();
  }
  return PresetSlotLabel(contents, plugin.GetPresetName(slot));
}

void LoadUserPresetScale(Kelmo& plugin, int slot)
{
  const std::optional<UserPresetContents> contents = ReadUserPresetFile(slot);
  if (!contents) return;
  for (const UserPresetAssignment& a : contents->assignments)
    if (a.paramIdx == kPluginScale) StoreFileValue(*plugin.GetParam(kPluginScale), a.value);
  plugin.SendAllParamValuesToUI();
}

} // namespace plugin::ui

#include "editor/UserPresetFiles.h"

#include "engine/Kelmo.h"
#include "engine/presets/UserPresetFileIO.h"
#include "engine/presets/UserPresetLocation.h"
#include "framework/text/UnicodeCodec.h"

namespace plugin::ui {

bool IsUserPresetSlot(int slot) noexcept
{
  return slot >= 0 && slot < kNumPresets;
}

std::optional<UserPresetContents> ReadUserPresetFile(int slot) noexcept
{
  try {
    if (!IsUserPresetSlot(slot)) return std::nullopt;
    return ParseUserPresetFile(ReadFileToString(UserPresetPath(slot)));
  } catch (...) {
    return std::nullopt; // out of memory: the slot reads as empty
  }
}

UserPresetParams CaptureUserPresetParams(const Kelmo& plugin) noexcept
{
  UserPresetParams params;
  try {
    for (int i = 0; i < plugin.NParams(); ++i) {
      const IParam* param = plugin.GetParam(i);
      if (!param || IsUserPresetSkippedIndex(i)) continue;
      params.push_back({i, param->Value(), param->Type() == IParam::kTypeDouble});
    }
  } catch (...) {
    params.clear(); // out of memory: nothing captured rather than a part
  }
  return params;
}

bool WriteUserPresetFile(int slot, const UserPresetParams& params, const char* name) noexcept
{
  try {
    if (!IsUserPresetSlot(slot)) return false;
    // Cleaned here rather than by the serialiser, so that the stored name is exactly the one
    // the preset bar shows after the save.
    const std::optional<std::string> json = FormatUserPresetFile(params, text::ValidUtf8(name ? name : ""));
    return json && WriteStringToFile(UserPresetPath(slot), *json);
  } catch (...) {
    return false;
  }
}

bool DeleteUserPresetFile(int slot) noexcept
{
  try {
    return IsUserPresetSlot(slot) && DeleteFileAtPath(UserPresetPath(slot));
  } catch (...) {
    return false;
  }
}

} // namespace plugin::ui

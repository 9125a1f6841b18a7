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

std::optional<UserPresetContents> ReadUserPresetFile(int slot)
{
  if (!IsUserPresetSlot(slot)) return std::nullopt;
  return ParseUserPresetFile(ReadFileToString(UserPresetPath(slot)));
}

UserPresetParams CaptureUserPresetParams(const Kelmo& plugin)
{
  UserPresetParams params;
  for (int i = 0; i < plugin.NParams(); ++i) {
    const IParam* param = plugin.GetParam(i);
    if (!param || IsUserPresetSkippedIndex(i)) continue;
    params.push_back({i, param->Value(), param->Type() == IParam::kTypeDouble});
  }
  return params;
}

bool WriteUserPresetFile(int slot, const UserPresetParams& params, const char* name)
{
  if (!IsUserPresetSlot(slot)) return false;
  // Cleaned here rather than by the serialiser, so that the stored name is exactly the one the
  // preset bar shows after the save.
  const std::optional<std::string> text = FormatUserPresetFile(params, text::ValidUtf8(name ? name : ""));
  return text && WriteStringToFile(UserPresetPath(slot), *text);
}

bool DeleteUserPresetFile(int slot)
{
  return IsUserPresetSlot(slot) && DeleteFileAtPath(UserPresetPath(slot));
}

} // namespace plugin::ui

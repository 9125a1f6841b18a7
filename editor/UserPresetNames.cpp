#include "editor/UserPresetNames.h"

#include "editor/UserPresetFiles.h"
#include "editor/Utf8Text.h"
#include "engine/Kelmo.h"
#include "framework/text/UnicodeCodec.h"

namespace plugin::ui {

namespace {

std::string_view NameOf(const UserPresetContents& contents)
{
  return contents.name ? std::string_view(*contents.name) : kUnnamedUserPreset;
}

} // namespace

std::string UserPresetDisplayName(int slot, std::string_view frameworkName)
{
  const std::optional<UserPresetContents> contents = ReadUserPresetFile(slot);
  if (!contents) return std::string(frameworkName);
  return std::string(kUserPresetListPrefix) + std::string(NameOf(*contents));
}

std::vector<std::string> PresetListTexts(const Kelmo& plugin)
{
  std::vector<std::string> texts;
  for (int slot = 0; slot < plugin.NPresets(); ++slot)
    texts.push_back(UserPresetDisplayName(slot, plugin.GetPresetName(slot)));
  return texts;
}

std::string UserPresetLabel(std::string_view name)
{
  // The display takes a C string: whatever follows a NUL would never show.
  return FirstCharacters(text::ValidUtf8(name.substr(0, name.find('\0'))), kPresetNameDisplayChars);
}

std::string PresetSlotLabel(const std::optional<UserPresetContents>& contents, std::string_view frameworkName)
{
  return contents ? UserPresetLabel(NameOf(*contents)) : std::string(frameworkName);
}

std::string PresetSlotLabel(const Kelmo& plugin, int slot)
{
  return PresetSlotLabel(ReadUserPresetFile(slot), plugin.GetPresetName(slot));
}

} // namespace plugin::ui

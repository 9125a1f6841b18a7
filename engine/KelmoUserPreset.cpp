#include "engine/Kelmo.h"

#include "engine/UserPresetValues.h"
#include "engine/presets/UserPresetFileIO.h"
#include "engine/presets/UserPresetFormat.h"
#include "engine/presets/UserPresetLocation.h"

void Kelmo::LoadUserPreset(int slot) noexcept
{
  try {
    ApplyUserPresetFile(slot);
  } catch (...) {
    // Only exhausted memory can get here; the instance keeps the values it has.
  }
}

void Kelmo::ApplyUserPresetFile(int slot)
{
  const std::string text = ReadFileToString(UserPresetPath(slot));
  if (GetCurrentPresetIdx() != 0 || text == kMissingFileText) return;

  // Text that is not JSON counts as no file at all; any JSON document is a preset, with whatever
  // values it holds that can be used.
  const std::optional<UserPresetContents> contents = ParseUserPresetFile(text);
  if (!contents) return;

  // Once anything moved a parameter, or audio ran, the user's own settings win over the file.
  for (int i = 0; i < NParams(); ++i)
    if (GetParam(i)->Value() != GetParam(i)->GetDefault()) mBlockProcessed = true;
  if (mBlockProcessed || mDsp.BlockProcessed()) return;

  // The host is not told; an open editor is, even when the file held no usable value.
  ApplyUserPresetValues(*this, *contents, EUserPresetNumbers::kAsWritten);
  SendAllParamValuesToUI();
}

#include "tools/render/FactoryPresetChoice.h"

#include "engine/presets/FactoryPresets.h"
#include "tools/render/NumberText.h"

namespace kelmo::render {

bool ResolveFactoryPreset(const std::string& text, int& index, std::string& error)
{
  const auto presets = FactoryPresets();
  const std::string_view trimmed = TrimBlanks(text);
  if (AllDigits(trimmed)) {
    int64_t number = -1;
    if (!ParseWholeNumber(trimmed, number) || number >= static_cast<int64_t>(presets.size())) {
      error = "--preset " + std::string(trimmed) + ": no factory preset has that index (0 to " +
              std::to_string(presets.size() - 1) + ")";
      return false;
    }
    index = static_cast<int>(number);
    return true;
  }
  // Names are matched exactly, case and blanks included.
  for (size_t i = 0; i < presets.size(); ++i) {
    if (text == presets[i].name) {
      index = static_cast<int>(i);
      return true;
    }
  }
  error = "--preset: unknown factory preset '" + text + "'";
  return false;
}

} // namespace kelmo::render

// Feeds arbitrary bytes to the user preset file reader. Whatever the text, the reader returns
// (no exception, no crash) either nothing or in-range, ascending, finite assignments, and what
// it reads survives a write and a second read unchanged. It refuses JSON only when it holds a NUL
// or more brackets than a preset nests (32): any other document is a preset, whatever its types.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/dsp/KelmoParams.h"
#include "engine/presets/UserPresetFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto contents = ParseUserPresetFile(text);
  const bool json = nlohmann::json::accept(text.begin(), text.end(), /*ignore_comments*/ false);
  if (!contents) {
    const auto brackets =
        std::count_if(text.begin(), text.end(), [](char c) { return c == '[' || c == '{'; });
    if (json && text.find('\0') == std::string_view::npos && brackets <= 32) std::abort();
    return 0;
  }
  if (!json) std::abort();

  int last = -1;
  std::vector<UserPresetValue> values;
  for (const UserPresetAssignment& a : contents->assignments) {
    if (a.paramIdx <= last || a.paramIdx >= kNumParams || IsUserPresetSkippedIndex(a.paramIdx)) std::abort();
    if (!std::isfinite(a.value)) std::abort();
    last = a.paramIdx;
    values.push_back({a.paramIdx, a.value, true});
  }

  const auto written = FormatUserPresetFile(values, contents->name.value_or(""));
  if (!written) std::abort();
  const auto reread = ParseUserPresetFile(*written);
  if (!reread || reread->assignments.size() != contents->assignments.size()) std::abort();
  for (std::size_t i = 0; i < values.size(); ++i) {
    const UserPresetAssignment& a = reread->assignments[i];
    if (a.paramIdx != values[i].paramIdx || a.value != values[i].value) std::abort();
  }
  return 0;
}

#include "engine/presets/UserPresetFormat.h"

#include <cmath>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "engine/dsp/KelmoParams.h"
#include "engine/presets/UserPresetFileIO.h"

namespace {

using nlohmann::json;

// A preset file nests two levels deep; anything far deeper is not one, and refusing it up
// front keeps a hostile file from costing a parse of a million nested arrays.
constexpr int kMaxNesting = 32;

bool NestsTooDeep(std::string_view text)
{
  int depth = 0;
  bool inString = false;
  bool escaped = false;
  for (char c : text) {
    if (inString) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxNesting) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

// The index named by a "Params" member: plain decimal without sign or leading zero, below the
// parameter count.
std::optional<int> IndexFromKey(const std::string& key)
{
  if (key.empty() || key.size() > 2 || (key.size() > 1 && key[0] == '0')) return std::nullopt;
  int idx = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return std::nullopt;
    idx = idx * 10 + (c - '0');
  }
  if (idx >= kNumParams) return std::nullopt;
  return idx;
}

} // namespace

bool IsUserPresetSkippedIndex(int paramIdx)
{
  return paramIdx == kOverSampling || paramIdx == kDelta || paramIdx == kComparisonSlot;
}

std::optional<UserPresetContents> ParseUserPresetFile(std::string_view text) noexcept
{
  try {
    // JSON never holds a raw NUL; the parser would take one as the end of the text.
    if (text == kMissingFileText || text.find('\0') != std::string_view::npos || NestsTooDeep(text))
      return std::nullopt;
    const json doc = json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions*/ false,
                                 /*ignore_comments*/ false);
    if (doc.is_discarded()) return std::nullopt; // A parse error.

    // From here on the file is a preset, however little of it can be used.
    UserPresetContents contents;
    if (!doc.is_object()) return contents;
    if (auto it = doc.find("PresetName"); it != doc.end() && it->is_string())
      contents.name = it->get<std::string>();
    auto params = doc.find("Params");
    if (params == doc.end() || !params->is_object()) return contents;

    double values[kNumParams] = {};
    bool present[kNumParams] = {};
    for (auto it = params->begin(); it != params->end(); ++it) {
      const std::optional<int> idx = IndexFromKey(it.key());
      if (!idx || IsUserPresetSkippedIndex(*idx) || !it->is_number()) continue;
      values[*idx] = it->get<double>();
      present[*idx] = true;
    }
    for (int i = 0; i < kNumParams; ++i)
      if (present[i]) contents.assignments.push_back({i, values[i]});
    return contents;
  } catch (...) {
    return std::nullopt;
  }
}

std::optional<std::string> FormatUserPresetFile(std::span<const UserPresetValue> values,
                                                std::string_view name) noexcept
{
  try {
    json params = json::object();
    for (const UserPresetValue& v : values) {
      if (v.paramIdx < 0 || v.paramIdx >= kNumParams || IsUserPresetSkippedIndex(v.paramIdx)) continue;
      if (!std::isfinite(v.value)) continue;
      const std::string key = std::to_string(v.paramIdx);
      if (v.isDouble) {
        params[key] = v.value;
      } else {
        const double t = std::trunc(v.value);
        if (std::fabs(t) >= 9.2e18) continue; // Beyond any integer the file can carry.
        params[key] = static_cast<std::int64_t>(t);
      }
    }
    json doc = json::object();
    doc["Params"] = std::move(params);
    doc["PresetName"] = std::string(name);
    return doc.dump(-1, ' ', false, json::error_handler_t::replace);
  } catch (...) {
    return std::nullopt;
  }
}

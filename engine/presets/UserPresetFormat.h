#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The JSON text of a user preset file: {"Params": {"<index>": value, ...}, "PresetName": "..."}.
// Values are real parameter values in their own units. Pure functions; none of them throws.

// OverSampling, Delta and Comparison slot are never stored in or applied from a user file.
bool IsUserPresetSkippedIndex(int paramIdx);

// One parameter value read from a file, unsnapped and unclamped: the caller constrains it by
// the parameter's own rules before storing it.
struct UserPresetAssignment
{
  int paramIdx;
  double value;
};

struct UserPresetContents
{
  std::optional<std::string> name;               // "PresetName" when it is a string
  std::vector<UserPresetAssignment> assignments; // ascending index, skipped indices left out
};

// Reads a file's text. Nothing (the file counts as missing) for text that is not JSON (the
// placeholder "nada", broken or trailing text, numbers beyond double range) and for text no
// preset file could be (nesting far deeper than one needs, a NUL byte anywhere). Any other JSON
// document is a user preset, its wrong parts ignored one by one: no name unless "PresetName" is
// a string; no values unless the document and its "Params" are objects; within "Params",
// members whose name is not the plain decimal text of an index below the parameter count
// ("05", "5.0", "44") or whose value is not a number are left out. So [1] or 5 reads as a preset
// without name or values.
std::optional<UserPresetContents> ParseUserPresetFile(std::string_view text) noexcept;

// One parameter value to store; isDouble false writes it truncated toward zero as an integer.
struct UserPresetValue
{
  int paramIdx;
  double value;
  bool isDouble;
};

// The compact file text for these values and name: keys in byte order, doubles in their
// shortest exact form with a decimal point. Skipped and out-of-range indices and non-finite
// values are left out; invalid UTF-8 in the name is replaced by U+FFFD. Nothing on failure.
std::optional<std::string> FormatUserPresetFile(std::span<const UserPresetValue> values,
                                                std::string_view name) noexcept;

#include "tools/render/ParamAssignment.h"

#include "tools/render/NumberText.h"

#include <cmath>

namespace kelmo::render {

bool ResolveParamAssignment(const std::string& text, const std::vector<ParamInfo>& params,
                            ParamAssignment& out, std::string& error)
{
  const std::string quoted = "--param \"" + text + "\"";
  const size_t eq = text.find('=');
  if (eq == std::string::npos) {
    error = quoted + ": expected NAME=VALUE";
    return false;
  }
  const std::string_view name = TrimBlanks(std::string_view(text).substr(0, eq));
  const std::string_view valueText = TrimBlanks(std::string_view(text).substr(eq + 1));
  if (name.empty()) {
    error = quoted + ": the parameter name is missing";
    return false;
  }

  const ParamInfo* param = nullptr;
  if (AllDigits(name)) {
    int64_t index = -1;
    if (ParseWholeNumber(name, index))
      for (const ParamInfo& p : params)
        if (p.index == index) param = &p;
    if (!param) {
      error = quoted + ": no parameter has index " + std::string(name) + " (0 to " +
              std::to_string(params.empty() ? -1 : params.back().index) + ")";
      return false;
    }
  } else {
    std::vector<const ParamInfo*> named;
    for (const ParamInfo& p : params)
      if (p.name == name) named.push_back(&p);
    if (named.empty()) {
      error = quoted + ": unknown parameter '" + std::string(name) + "'";
      return false;
    }
    if (named.size() > 1) {
      std::string indices;
      for (size_t i = 0; i < named.size(); ++i)
        indices += (i == 0 ? "" : i + 1 == named.size() ? " or " : ", ") + std::to_string(named[i]->index);
      error = quoted + ": '" + std::string(name) + "' names " + std::to_string(named.size()) +
              " parameters; give the index instead: " + indices;
      return false;
    }
    param = named[0];
  }

  double value = 0.0;
  if (valueText.empty()) {
    error = quoted + ": the value is missing";
    return false;
  }
  if (!ParseFiniteNumber(valueText, value)) {
    error = quoted + ": '" + std::string(valueText) + "' is not a number";
    return false;
  }
  if (value < param->minValue || value > param->maxValue) {
    error = quoted + ": " + NumberForMessage(value) + " is outside " + param->name + "'s range " +
            NumberForMessage(param->minValue) + " to " + NumberForMessage(param->maxValue);
    return false;
  }
  if (param->whole && value != std::floor(value)) {
    error = quoted + ": " + param->name + " takes whole numbers, not " + NumberForMessage(value);
    return false;
  }
  out.index = param->index;
  out.value = value;
  return true;
}

} // namespace kelmo::render

#include "tools/render/RenderSettings.h"

#include "tools/render/FactoryPresetChoice.h"
#include "tools/render/UserPresetInput.h"

namespace kelmo::render {

bool ResolveSettings(const RenderOptions& options, const RenderTarget& target, RenderSettings& settings,
                     RenderFailure& failure)
{
  RenderSettings s;
  if (!options.preset.empty()) {
    int index = 0;
    if (!ResolveFactoryPreset(options.preset, index, failure.message)) {
      failure.exitCode = kExitUsage;
      return false;
    }
    s.factoryPreset = index;
  }
  for (const std::string& text : options.params) {
    ParamAssignment a;
    if (!ResolveParamAssignment(text, target.Params(), a, failure.message)) {
      failure.exitCode = kExitUsage;
      return false;
    }
    s.params.push_back(a);
  }
  if (!options.userPresetPath.empty()) {
    if (!ReadUserPresetInput(options.userPresetPath, s.userValues, failure.message)) {
      failure.exitCode = kExitFailure;
      return false;
    }
    s.hasUserPreset = true;
  }
  settings = std::move(s);
  return true;
}

bool ApplyStoredSettings(RenderTarget& target, const RenderSettings& settings, RenderFailure& failure)
{
  failure.exitCode = kExitFailure;
  if (settings.factoryPreset && !target.RecallFactoryPreset(*settings.factoryPreset, failure.message))
    return false;
  if (settings.hasUserPreset) {
    std::vector<double> values;
    if (!target.GetValues(values, failure.message)) return false;
    OverlayUserPreset(values, settings.userValues);
    if (!target.RestoreValues(values, failure.message)) return false;
  }
  return true;
}

bool ApplyParamSettings(RenderTarget& target, const RenderSettings& settings, RenderFailure& failure)
{
  failure.exitCode = kExitFailure;
  for (const ParamAssignment& a : settings.params)
    if (!target.Automate(a.index, a.value, failure.message)) return false;
  return true;
}

} // namespace kelmo::render

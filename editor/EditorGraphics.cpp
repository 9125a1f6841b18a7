#include "editor/EditorGraphics.h"

#include "engine/Kelmo.h"
#include "vst3/MakeGraphics.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

float EditorOpeningScale(const Kelmo& plugin) noexcept
{
  const IParam* scale = plugin.GetParam(kPluginScale);
  const float value = plugin.GetGraphicsRequest().drawScale;
  // The parameter keeps its value in range; the check covers a value stored around it.
  // The default is kept as defined, which need not lie in the range: constrain it too.
  if (!std::isfinite(value)) return static_cast<float>(scale->Constrain(scale->GetDefault()));
  return std::clamp(value, static_cast<float>(scale->GetMin()), static_cast<float>(scale->GetMax()));
}

ICanvas* CreateEditorGraphics(Kelmo& plugin)
{
  const Kelmo::GraphicsRequest request = plugin.GetGraphicsRequest();
  return MakeGraphics(plugin, request.width, request.height, request.fps, EditorOpeningScale(plugin));
}

} // namespace plugin::ui

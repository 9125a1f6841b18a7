#include "vst3/MakeGraphics.h"

#include "framework/plugin/IPluginBase.h"

#include <atomic>

namespace plugin {

namespace {

std::atomic<GraphicsFactory> sFactory{nullptr};

} // namespace

void SetGraphicsFactory(GraphicsFactory factory) noexcept
{
  sFactory.store(factory);
}

GraphicsFactory GetGraphicsFactory() noexcept
{
  return sFactory.load();
}

ui::ICanvas* MakeGraphics(IEditorDelegate& delegate, int width, int height, int fps, float scale)
{
  const GraphicsFactory factory = GetGraphicsFactory();
  if (!factory) return nullptr;
  const auto* plugin = dynamic_cast<const IPluginBase*>(&delegate);
  return factory(delegate, width, height, fps, scale, plugin ? plugin->GetBundleID() : "",
                 plugin ? plugin->GetAppGroupID() : "", kSharedResourcesSubPath);
}

} // namespace plugin

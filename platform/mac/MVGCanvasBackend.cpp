#include "platform/mac/MVGCanvasBackend.h"

#include "platform/mac/MVGBackend.h"
#include "platform/mac/MVGFramebuffer.h"

namespace {

VGcontext* CreateContext(void* platformLayer, int flags)
{
  // A layer that no GpuLayerRef owns gives no context.
  auto* layer = static_cast<plugin::sys::GpuLayer*>(platformLayer);
  return layer ? mvgCreateContext(layer->weak_from_this().lock(), flags) : nullptr;
}

int FramebufferImage(const MVGframebuffer* fb)
{
  return fb ? fb->image : 0;
}

} // namespace

plugin::ui::ICanvasVGBackend mvgCanvasBackend()
{
  plugin::ui::ICanvasVGBackend backend;
  backend.createContext = CreateContext;
  backend.createFramebuffer = mvgCreateFramebuffer;
  backend.deleteFramebuffer = mvgDeleteFramebuffer;
  backend.bindFramebuffer = mvgBindFramebuffer;
  backend.framebufferImage = FramebufferImage;
  backend.clearWithColor = mvgClearWithColor;
  backend.readPixels = mvgReadPixels;
  return backend;
}

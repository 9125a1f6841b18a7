#include "platform/mac/MVGBackend.h"

#include "platform/mac/MVGcontext.h"

#include "graphics/renderer/VGContext.h"

namespace {

MVGcontext_vKelmo_vst3& Self(void* userPtr)
{
  return *static_cast<MVGcontext_vKelmo_vst3*>(userPtr);
}

int RenderCreate(void* u)
{
  return Self(u).renderCreate();
}

int RenderCreateTexture(void* u, int type, int w, int h, int imageFlags, const unsigned char* data)
{
  return Self(u).renderCreateTexture(type, w, h, imageFlags, data);
}

int RenderDeleteTexture(void* u, int image)
{
  return Self(u).renderDeleteTexture(image);
}

int RenderUpdateTexture(void* u, int image, int x, int y, int w, int h, const unsigned char* data)
{
  return Self(u).renderUpdateTexture(image, x, y, w, h, data);
}

int RenderGetTextureSize(void* u, int image, int* w, int* h)
{
  return Self(u).renderGetTextureSize(image, w, h);
}

void RenderViewport(void* u, float width, float height, float devicePixelRatio)
{
  Self(u).renderViewport(width, height, devicePixelRatio);
}

void RenderCancel(void* u)
{
  Self(u).renderCancel();
}

void RenderFlush(void* u)
{
  Self(u).renderFlush();
}

void RenderFill(void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor, float fringe,
                const float* bounds, const VGpath* paths, int npaths)
{
  Self(u).renderFill(paint, op, scissor, fringe, bounds, paths, npaths);
}

void RenderStroke(void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor, float fringe,
                  float strokeWidth, const VGpath* paths, int npaths)
{
  Self(u).renderStroke(paint, op, scissor, fringe, strokeWidth, paths, npaths);
}

void RenderTriangles(void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor,
                     const VGvertex* verts, int nverts, float fringe)
{
  Self(u).renderTriangles(paint, op, scissor, verts, nverts, fringe);
}

// The block holds the creation reference: deleting the backend ends it.
void RenderDelete(void* u)
{
  Self(u).renderDelete();
  delete &Self(u);
}

} // namespace

void mvgFillParams(VGparams& params, MVGcontext_vKelmo_vst3* backend)
{
  params = VGparams{};
  params.userPtr = backend;
  params.edgeAntiAlias = backend->flags & VG_ANTIALIAS;
  params.renderCreate = RenderCreate;
  params.renderCreateTexture = RenderCreateTexture;
  params.renderDeleteTexture = RenderDeleteTexture;
  params.renderUpdateTexture = RenderUpdateTexture;
  params.renderGetTextureSize = RenderGetTextureSize;
  params.renderViewport = RenderViewport;
  params.renderCancel = RenderCancel;
  params.renderFlush = RenderFlush;
  params.renderFill = RenderFill;
  params.renderStroke = RenderStroke;
  params.renderTriangles = RenderTriangles;
  params.renderDelete = RenderDelete;
}

VGcontext* mvgCreateContext(const plugin::sys::GpuLayerRef& layer, int flags)
{
  if (!layer) return nullptr;
  auto* backend = new MVGcontext_vKelmo_vst3();
  backend->flags = flags;
  backend->fragSize = 256;
  backend->indexSize = 4;
  backend->metalLayer = layer;
  VGparams params;
  mvgFillParams(params, backend);
  // On failure the context's deletion has already called renderDelete, which freed the backend.
  return vgCreateContext(&params);
}

void mvgDeleteContext(VGcontext* ctx)
{
  vgDeleteContext(ctx);
}

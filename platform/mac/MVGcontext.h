#pragma once

#include "platform/mac/MVGTypes.h"
#include "platform/mac/MVGbuffers.h"
#include "platform/mac/MVGtexture.h"
#include "platform/mac/system/DispatchSemaphore.h"
#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuLayer.h"
#include "platform/mac/system/GpuPipeline.h"
#include "platform/mac/system/GpuRenderCommandEncoder.h"

#include <memory>
#include <string>
#include <vector>

// The vector core's render backend on the GPU. The core calls every render* method through its
// parameter block on the main thread, in the order viewport, fills/strokes/triangles, then flush
// or cancel; they may allocate. Only the completion handler of a flushed frame runs elsewhere
// (the GPU worker thread): it frees that frame's buffer set and signals the semaphore.
class MVGcontext_vKelmo_vst3
{
public:
  MVGcontext_vKelmo_vst3();
  ~MVGcontext_vKelmo_vst3();
  MVGcontext_vKelmo_vst3(const MVGcontext_vKelmo_vst3&) = delete;
  MVGcontext_vKelmo_vst3& operator=(const MVGcontext_vKelmo_vst3&) = delete;

  // Parameter-block callbacks (main thread).
  int renderCreate();
  int renderCreateTexture(int type, int width, int height, int imageFlags, const unsigned char* data);
  int renderDeleteTexture(int image);
  int renderUpdateTexture(int image, int x, int y, int width, int height, const unsigned char* data);
  int renderGetTextureSize(int image, int* width, int* height);
  // Starts recording a frame into a free buffer set (waiting for one while all are in flight);
  // a frame still being recorded is cancelled first.
  void renderViewport(float width, float height, float devicePixelRatio);
  void renderCancel();
  void renderFlush();
  void renderFill(const VGpaint* paint, VGcompositeOperationState compositeOperation,
                  const VGscissor* scissor, float fringe, const float* bounds, const VGpath* paths,
                  int npaths);
  void renderStroke(const VGpaint* paint, VGcompositeOperationState compositeOperation,
                    const VGscissor* scissor, float fringe, float strokeWidth, const VGpath* paths,
                    int npaths);
  void renderTriangles(const VGpaint* paint, VGcompositeOperationState compositeOperation,
                       const VGscissor* scissor, const VGvertex* verts, int nverts, float fringe);
  void renderDelete();

  // Recording helpers: a new zeroed call, or null when the array cannot grow.
  MVGcall* allocCall();
  // First new element (vertices, indices) or byte offset (uniform slots); -1 when the buffer cannot grow.
  int allocVerts(int n);
  int allocIndexes(int n);
  int allocFragUniforms(int n);
  MVGfragUniforms* fragUniformAtIndex(int offset);
  static MVGblend blendCompositeOperation(VGcompositeOperationState op);
  // Fills a uniform block from a paint; 0 when the paint's image is unknown.
  int convertPaintForFrag(MVGfragUniforms* frag, const VGpaint* paint, const VGscissor* scissor, float width,
                          float fringe, float strokeThr);

  // Replay of one call into renderEncoder.
  void fill(const MVGcall& call);
  void convexFill(const MVGcall& call);
  void stroke(const MVGcall& call);
  void triangles(const MVGcall& call);
  void setUniforms(int uniformOffset, int image);
  void updateRenderPipelineStatesForBlend(const MVGblend& blend, plugin::sys::GpuPixelFormat pixelFormat);
  void updateStencilTextureToSize(std::uint32_t width, std::uint32_t height);
  plugin::sys::GpuRenderCommandEncoderRef
  renderCommandEncoderWithColorTexture(const plugin::sys::GpuTextureRef& colorTexture);
  // Prints a GPU error after message, only with VG_DEBUG.
  void checkError(const std::string& error, const char* message) const;

  // Texture records.
  MVGtexture_vKelmo_vst3* findTexture(int image);
  MVGtexture_vKelmo_vst3* allocTexture();
  // Filters and address modes of an image's sampler from its image flags.
  static plugin::sys::GpuSamplerDescriptor samplerForImageFlags(int imageFlags);
  // Waits for the frames in flight that render into image.
  void waitForFrameRenderingInto(int image);

  bool clearBufferOnFlush = false;
  int fragSize = 256;
  int indexSize = 4;
  int flags = 0;
  int textureId = 0;
  int maxBuffers = 0;
  plugin::sys::GpuCommandQueueRef commandQueue;
  plugin::sys::GpuLayerRef metalLayer;
  plugin::sys::GpuRenderCommandEncoderRef renderEncoder; // set during a flush only
  std::uint32_t viewPortSize[2] = {0, 0};
  std::vector<std::unique_ptr<MVGtexture_vKelmo_vst3>> textures;
  MVGbuffers_vKelmo_vst3* buffers = nullptr; // the set being recorded, owned by cbuffers
  std::vector<std::shared_ptr<MVGbuffers_vKelmo_vst3>> cbuffers;
  plugin::sys::DispatchSemaphoreRef semaphore;
  MVGblend* blendFunc = nullptr; // owned
  plugin::sys::GpuDepthStencilStateRef defaultStencilState;
  plugin::sys::GpuDepthStencilStateRef fillShapeStencilState;
  plugin::sys::GpuDepthStencilStateRef fillAntiAliasStencilState;
  plugin::sys::GpuDepthStencilStateRef fillStencilState;
  plugin::sys::GpuDepthStencilStateRef strokeShapeStencilState;
  plugin::sys::GpuDepthStencilStateRef strokeAntiAliasStencilState;
  plugin::sys::GpuDepthStencilStateRef strokeClearStencilState;
  plugin::sys::GpuFunctionRef fragmentFunction;
  plugin::sys::GpuFunctionRef vertexFunction;
  plugin::sys::GpuPixelFormat piplelinePixelFormat = plugin::sys::GpuPixelFormat::Invalid;
  plugin::sys::GpuRenderPipelineStateRef pipelineState;
  plugin::sys::GpuRenderPipelineStateRef stencilOnlyPipelineState;
  plugin::sys::GpuSamplerStateRef pseudoSampler;
  plugin::sys::GpuTextureRef pseudoTexture; // never assigned
  plugin::sys::GpuVertexDescriptor vertexDescriptor;
  plugin::sys::GpuClearColor clearColor{0.0, 0.0, 0.0, 0.0};
  // The shader library data renderCreate loads (the embedded one unless replaced before it).
  const unsigned char* shaderLibrary;
  std::size_t shaderLibrarySize;

private:
  plugin::sys::GpuDeviceRef Device() const;
  // Grows a GPU buffer to capacity elements of size bytes, keeping used elements; false on failure.
  bool Grow(plugin::sys::GpuBufferRef& buffer, int used, int capacity, std::size_t size);
  // Counts of the frame's arrays, to drop a call whose recording fails half way.
  struct Mark
  {
    int ncalls, nverts, nindexes, nuniforms;
  };
  Mark MarkNow() const;
  void Rollback(const Mark& mark);
  void DrawStrip(const MVGcall& call);
};

// The GPU's ordering of blend factors for a call of the default composite operation.
inline constexpr MVGblend kMVGdefaultBlend{
    plugin::sys::GpuBlendFactor::One, plugin::sys::GpuBlendFactor::OneMinusSourceAlpha,
    plugin::sys::GpuBlendFactor::One, plugin::sys::GpuBlendFactor::OneMinusSourceAlpha};

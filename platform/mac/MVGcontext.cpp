#include "platform/mac/MVGcontext.h"

#include "platform/mac/MVGFramebuffer.h"
#include "platform/mac/MVGShaderLibrary.h"

#include "graphics/renderer/VGContext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace plugin::sys;

namespace {

void Inverse(float inv[6], const float t[6])
{
  const double det = static_cast<double>(t[0]) * t[3] - static_cast<double>(t[2]) * t[1];
  if (det > -1e-6 && det < 1e-6) {
    const float identity[6] = {1, 0, 0, 1, 0, 0};
    std::memcpy(inv, identity, sizeof identity);
    return;
  }
  const double invdet = 1.0 / det;
  inv[0] = static_cast<float>(t[3] * invdet);
  inv[2] = static_cast<float>(-t[2] * invdet);
  inv[4] = static_cast<float>((static_cast<double>(t[2]) * t[5] - static_cast<double>(t[3]) * t[4]) * invdet);
  inv[1] = static_cast<float>(-t[1] * invdet);
  inv[3] = static_cast<float>(t[0] * invdet);
  inv[5] = static_cast<float>((static_cast<double>(t[1]) * t[4] - static_cast<double>(t[0]) * t[5]) * invdet);
}

// The 3x3 column form of an affine transform, columns padded to four floats.
void Matrix3(float m[12], const float t[6])
{
  std::memset(m, 0, 12 * sizeof(float));
  m[0] = t[0];
  m[1] = t[1];
  m[4] = t[2];
  m[5] = t[3];
  m[8] = t[4];
  m[9] = t[5];
  m[10] = 1.0f;
}

void Premultiplied(float out[4], const VGcolor& c)
{
  out[0] = c.r * c.a;
  out[1] = c.g * c.a;
  out[2] = c.b * c.a;
  out[3] = c.a;
}

GpuBlendFactor BlendFactor(int factor, bool& known)
{
  switch (factor) {
  case VG_ZERO:
    return GpuBlendFactor::Zero;
  case VG_ONE:
    return GpuBlendFactor::One;
  case VG_SRC_COLOR:
    return GpuBlendFactor::SourceColor;
  case VG_ONE_MINUS_SRC_COLOR:
    return GpuBlendFactor::OneMinusSourceColor;
  case VG_DST_COLOR:
    return GpuBlendFactor::DestinationColor;
  case VG_ONE_MINUS_DST_COLOR:
    return GpuBlendFactor::OneMinusDestinationColor;
  case VG_SRC_ALPHA:
    return GpuBlendFactor::SourceAlpha;
  case VG_ONE_MINUS_SRC_ALPHA:
    return GpuBlendFactor::OneMinusSourceAlpha;
  case VG_DST_ALPHA:
    return GpuBlendFactor::DestinationAlpha;
  case VG_ONE_MINUS_DST_ALPHA:
    return GpuBlendFactor::OneMinusDestinationAlpha;
  case VG_SRC_ALPHA_SATURATE:
    return GpuBlendFactor::SourceAlphaSaturated;
  default:
    known = false;
    return GpuBlendFactor::Zero;
  }
}

GpuDepthStencilStateRef StencilState(GpuDevice& device, GpuCompareFunction compare, GpuStencilOperation fail,
                                     GpuStencilOperation pass)
{
  GpuDepthStencilDescriptor d;
  d.depthCompareFunction = GpuCompareFunction::Always;
  d.frontFaceStencil = GpuStencilDescriptor{compare, fail, fail, pass, 0xFF, 0xFF};
  return device.NewDepthStencilState(d);
}

} // namespace

MVGcontext_vKelmo_vst3::MVGcontext_vKelmo_vst3()
    : shaderLibrary(kMVGShaderLibrary), shaderLibrarySize(kMVGShaderLibrarySize)
{}

MVGcontext_vKelmo_vst3::~MVGcontext_vKelmo_vst3()
{
  delete blendFunc;
}

GpuDeviceRef MVGcontext_vKelmo_vst3::Device() const
{
  return metalLayer ? metalLayer->Device() : nullptr;
}

void MVGcontext_vKelmo_vst3::checkError(const std::string& error, const char* message) const
{
  if ((flags & VG_DEBUG) && !error.empty())
    std::printf("Error occurs after %s: %s\n", message, error.c_str());
}

int MVGcontext_vKelmo_vst3::renderCreate()
{
  if (!metalLayer) return 0;
  if (!metalLayer->Device()) metalLayer->SetDevice(GpuDevice::CreateSystemDefault());
  metalLayer->SetOpaque(false);
  GpuDevice& device = *metalLayer->Device();

  std::string error;
  GpuLibraryRef library =
      device.NewLibraryWithData(shaderLibrary, shaderLibrarySize, MVGShaderFunctions(), &error);
  checkError(error, "init library");
  if (!library) return 0;
  vertexFunction = library->NewFunction("vertexShader");
  fragmentFunction = library->NewFunction((flags & VG_ANTIALIAS) ? "fragmentShaderAA" : "fragmentShader");
  commandQueue = device.NewCommandQueue();

  maxBuffers = (flags & VG_TRIPLE_BUFFER) ? 3 : (flags & VG_DOUBLE_BUFFER) ? 2 : 1;
  for (int i = 0; i < maxBuffers; ++i)
    cbuffers.push_back(std::make_shared<MVGbuffers_vKelmo_vst3>());
  semaphore = std::make_shared<DispatchSemaphore>(maxBuffers);
  clearBufferOnFlush = false;

  vertexDescriptor = GpuVertexDescriptor{};
  vertexDescriptor.attributes[0] = {GpuVertexFormat::Float2, 0, 0};
  vertexDescriptor.attributes[1] = {GpuVertexFormat::Float2, 2 * sizeof(float), 0};
  vertexDescriptor.layouts[0] = {sizeof(VGvertex), GpuVertexStepFunction::PerVertex};
  textureId = 0;
  textures.clear();
  pseudoSampler = device.NewSamplerState(GpuSamplerDescriptor{});
  delete blendFunc;
  blendFunc = new MVGblend(kMVGdefaultBlend);

  defaultStencilState = device.NewDepthStencilState(GpuDepthStencilDescriptor{});
  {
    GpuDepthStencilDescriptor d;
    d.depthCompareFunction = GpuCompareFunction::Always;
    d.frontFaceStencil = GpuStencilDescriptor{GpuCompareFunction::Always, GpuStencilOperation::Keep,
                                              GpuStencilOperation::Keep, GpuStencilOperation::IncrementWrap};
    d.backFaceStencil = GpuStencilDescriptor{GpuCompareFunction::Always, GpuStencilOperation::Keep,
                                             GpuStencilOperation::Keep, GpuStencilOperation::DecrementWrap};
    fillShapeStencilState = device.NewDepthStencilState(d);
  }
  fillAntiAliasStencilState =
      StencilState(device, GpuCompareFunction::Equal, GpuStencilOperation::Keep, GpuStencilOperation::Zero);
  fillStencilState = StencilState(device, GpuCompareFunction::NotEqual, GpuStencilOperation::Zero,
                                  GpuStencilOperation::Zero);
  strokeShapeStencilState = StencilState(device, GpuCompareFunction::Equal, GpuStencilOperation::Keep,
                                         GpuStencilOperation::IncrementClamp);
  strokeAntiAliasStencilState =
      StencilState(device, GpuCompareFunction::Equal, GpuStencilOperation::Keep, GpuStencilOperation::Keep);
  strokeClearStencilState =
      StencilState(device, GpuCompareFunction::Always, GpuStencilOperation::Zero, GpuStencilOperation::Zero);
  return 1;
}

void MVGcontext_vKelmo_vst3::renderDelete()
{
  // Frames still in flight keep their buffer set and the semaphore through their handlers.
  cbuffers.clear();
  buffers = nullptr;
  textures.clear();
  delete blendFunc;
  blendFunc = nullptr;
  commandQueue.reset();
  renderEncoder.reset();
  semaphore.reset();
  defaultStencilState = fillShapeStencilState = fillAntiAliasStencilState = fillStencilState = nullptr;
  strokeShapeStencilState = strokeAntiAliasStencilState = strokeClearStencilState = nullptr;
  fragmentFunction = vertexFunction = nullptr;
  pipelineState = stencilOnlyPipelineState = nullptr;
  pseudoSampler.reset();
  pseudoTexture.reset();
  vertexDescriptor = GpuVertexDescriptor{};
  if (metalLayer) metalLayer->SetDevice(nullptr);
  metalLayer.reset();
}

// ---- recording ----

MVGcall* MVGcontext_vKelmo_vst3::allocCall()
{
  MVGbuffers_vKelmo_vst3& b = *buffers;
  if (b.ncalls + 1 > b.ccalls) {
    const int ccalls = std::max(b.ncalls + 1, 128) + b.ccalls / 2;
    auto* calls = static_cast<MVGcall*>(std::realloc(b.calls, sizeof(MVGcall) * ccalls));
    if (!calls) return nullptr;
    b.calls = calls;
    b.ccalls = ccalls;
  }
  MVGcall* call = &b.calls[b.ncalls++];
  std::memset(call, 0, sizeof(MVGcall));
  return call;
}

bool MVGcontext_vKelmo_vst3::Grow(GpuBufferRef& buffer, int used, int capacity, std::size_t size)
{
  const GpuDeviceRef device = Device();
  GpuBufferRef grown = device ? device->NewBuffer(static_cast<std::size_t>(capacity) * size,
                                                  kGpuResourceCpuCacheModeWriteCombined)
                              : nullptr;
  if (!grown) return false;
  if (buffer && used > 0)
    std::memcpy(grown->Contents(), buffer->Contents(), static_cast<std::size_t>(used) * size);
  buffer = std::move(grown);
  return true;
}

int MVGcontext_vKelmo_vst3::allocVerts(int n)
{
  MVGbuffers_vKelmo_vst3& b = *buffers;
  if (n < 0) return -1;
  if (b.nverts + n > b.cverts) {
    const int cverts = std::max(b.nverts + n, 4096) + b.cverts / 2;
    if (!Grow(b.vertBuffer, b.nverts, cverts, sizeof(VGvertex))) return -1;
    b.verts = static_cast<VGvertex*>(b.vertBuffer->Contents());
    b.cverts = cverts;
  }
  const int first = b.nverts;
  b.nverts += n;
  return first;
}

int MVGcontext_vKelmo_vst3::allocIndexes(int n)
{
  MVGbuffers_vKelmo_vst3& b = *buffers;
  if (n < 0) return -1;
  if (b.nindexes + n > b.cindexes) {
    const int cindexes = std::max(b.nindexes + n, 4096) + b.cindexes / 2;
    if (!Grow(b.indexBuffer, b.nindexes, cindexes, static_cast<std::size_t>(indexSize))) return -1;
    b.indexes = static_cast<std::uint32_t*>(b.indexBuffer->Contents());
    b.cindexes = cindexes;
  }
  const int first = b.nindexes;
  b.nindexes += n;
  return first;
}

int MVGcontext_vKelmo_vst3::allocFragUniforms(int n)
{
  MVGbuffers_vKelmo_vst3& b = *buffers;
  if (n < 0) return -1;
  if (b.nuniforms + n > b.cuniforms) {
    const int cuniforms = std::max(b.nuniforms + n, 128) + b.cuniforms / 2;
    if (!Grow(b.uniformBuffer, b.nuniforms, cuniforms, static_cast<std::size_t>(fragSize))) return -1;
    b.uniforms = static_cast<unsigned char*>(b.uniformBuffer->Contents());
    b.cuniforms = cuniforms;
  }
  const int offset = b.nuniforms * fragSize;
  b.nuniforms += n;
  return offset;
}

MVGfragUniforms* MVGcontext_vKelmo_vst3::fragUniformAtIndex(int offset)
{
  return reinterpret_cast<MVGfragUniforms*>(buffers->uniforms + offset);
}

MVGblend MVGcontext_vKelmo_vst3::blendCompositeOperation(VGcompositeOperationState op)
{
  bool known = true;
  const MVGblend blend{BlendFactor(op.srcRGB, known), BlendFactor(op.dstRGB, known),
                       BlendFactor(op.srcAlpha, known), BlendFactor(op.dstAlpha, known)};
  return known ? blend : kMVGdefaultBlend;
}

int MVGcontext_vKelmo_vst3::convertPaintForFrag(MVGfragUniforms* frag, const VGpaint* paint,
                                                const VGscissor* scissor, float width, float fringe,
                                                float strokeThr)
{
  std::memset(frag, 0, sizeof(MVGfragUniforms));
  Premultiplied(frag->innerColor, paint->innerColor);
  Premultiplied(frag->outerColor, paint->outerColor);
  if (scissor->extent[0] < -0.5f || scissor->extent[1] < -0.5f) {
    frag->scissorExtent[0] = frag->scissorExtent[1] = 1.0f;
    frag->scissorScale[0] = frag->scissorScale[1] = 1.0f;
  } else {
    float inv[6];
    Inverse(inv, scissor->xform);
    Matrix3(frag->scissorMatrix, inv);
    const float* t = scissor->xform;
    frag->scissorExtent[0] = scissor->extent[0];
    frag->scissorExtent[1] = scissor->extent[1];
    frag->scissorScale[0] = std::sqrt(t[0] * t[0] + t[2] * t[2]) / fringe;
    frag->scissorScale[1] = std::sqrt(t[1] * t[1] + t[3] * t[3]) / fringe;
  }
  frag->extent[0] = paint->extent[0];
  frag->extent[1] = paint->extent[1];
  frag->strokeMultiplier = (width + fringe) * 0.5f / fringe;
  frag->strokeThreshold = strokeThr;

  float inv[6];
  if (paint->image == 0) {
    frag->shaderKind = MVGshaderKind::FillGradient;
    frag->radius = paint->radius;
    frag->feather = paint->feather;
    Inverse(inv, paint->xform);
  } else {
    const MVGtexture_vKelmo_vst3* tex = findTexture(paint->image);
    if (!tex) return 0;
    const float* t = paint->xform;
    if (tex->flags & VG_IMAGE_FLIPY) {
      const float flipped[6] = {
          t[0], t[1], -t[2], -t[3], t[4] + t[2] * paint->extent[1], t[5] + t[3] * paint->extent[1]};
      Inverse(inv, flipped);
    } else {
      Inverse(inv, t);
    }
    frag->shaderKind = MVGshaderKind::FillImage;
    frag->textureKind = tex->type == VG_TEXTURE_ALPHA           ? MVGtextureKind::Alpha
                        : (tex->flags & VG_IMAGE_PREMULTIPLIED) ? MVGtextureKind::PremultipliedRGBA
                                                                : MVGtextureKind::StraightRGBA;
  }
  Matrix3(frag->paintMatrix, inv);
  return 1;
}

MVGcontext_vKelmo_vst3::Mark MVGcontext_vKelmo_vst3::MarkNow() const
{
  return {buffers->ncalls, buffers->nverts, buffers->nindexes, buffers->nuniforms};
}

void MVGcontext_vKelmo_vst3::Rollback(const Mark& mark)
{
  buffers->ncalls = mark.ncalls;
  buffers->nverts = mark.nverts;
  buffers->nindexes = mark.nindexes;
  buffers->nuniforms = mark.nuniforms;
}

namespace {

// Writes a path's stroke vertices with its first and last vertex repeated, so that consecutive
// strips join through degenerate triangles; returns the next free vertex.
int WriteJoinedStrip(VGvertex* verts, int at, const VGpath& path)
{
  if (path.nstroke < 1) return at;
  verts[at++] = path.stroke[0];
  std::memcpy(&verts[at], path.stroke, sizeof(VGvertex) * path.nstroke);
  at += path.nstroke;
  verts[at++] = path.stroke[path.nstroke - 1];
  return at;
}

int StripVertexCount(const VGpath* paths, int npaths)
{
  int n = 0;
  for (int i = 0; i < npaths; ++i)
    if (paths[i].nstroke > 0) n += paths[i].nstroke + 2;
  return n;
}

} // namespace

void MVGcontext_vKelmo_vst3::renderFill(const VGpaint* paint, VGcompositeOperationState compositeOperation,
                                        const VGscissor* scissor, float fringe, const float* bounds,
                                        const VGpath* paths, int npaths)
{
  if (!buffers || !paint || !scissor || !bounds || (npaths > 0 && !paths) || npaths < 0) return;
  const Mark mark = MarkNow();
  MVGcall* call = allocCall();
  if (!call) return;
  call->kind = MVG_FILL;
  call->triangleCount = 4;
  call->image = paint->image;
  call->blend = blendCompositeOperation(compositeOperation);
  if (npaths == 1 && paths[0].convex) {
    call->kind = MVG_CONVEXFILL;
    call->triangleCount = 0;
  }
  int fillVerts = 0, indexCount = 0;
  for (int i = 0; i < npaths; ++i) {
    if (paths[i].nfill > 2) {
      fillVerts += paths[i].nfill;
      indexCount += (paths[i].nfill - 2) * 3;
    }
  }
  const int stripVerts = StripVertexCount(paths, npaths);
  const int triangleCount = call->triangleCount;
  const int offset = allocVerts(triangleCount + fillVerts + stripVerts);
  const int indexOffset = offset < 0 ? -1 : allocIndexes(indexCount);
  if (indexOffset < 0) return Rollback(mark); // the call is dropped
  call = &buffers->calls[mark.ncalls];        // the call array may have moved
  call->indexOffset = indexOffset;
  call->indexCount = indexCount;
  const int stripStart = offset + triangleCount + fillVerts;
  call->stripOffset = stripStart + 1;
  call->stripCount = stripVerts - 2;

  VGvertex* verts = buffers->verts;
  std::uint32_t* index = buffers->indexes + indexOffset;
  int fillAt = offset, stripAt = stripStart;
  for (int i = 0; i < npaths; ++i) {
    const VGpath& path = paths[i];
    if (path.nfill >= 3) {
      std::memcpy(&verts[fillAt], path.fill, sizeof(VGvertex) * path.nfill);
      const auto b = static_cast<std::uint32_t>(fillAt);
      for (int j = 2; j < path.nfill; ++j) {
        *index++ = b;
        *index++ = b + j - 1;
        *index++ = b + j;
      }
      fillAt += path.nfill;
    }
    stripAt = WriteJoinedStrip(verts, stripAt, path);
  }
  if (call->kind == MVG_FILL) {
    call->triangleOffset = offset + fillVerts;
    VGvertex* quad = &verts[call->triangleOffset];
    quad[0] = {bounds[2], bounds[3], 0.5f, 1.0f};
    quad[1] = {bounds[2], bounds[1], 0.5f, 1.0f};
    quad[2] = {bounds[0], bounds[3], 0.5f, 1.0f};
    quad[3] = {bounds[0], bounds[1], 0.5f, 1.0f};
  }
  const int uniformOffset = allocFragUniforms(1);
  if (uniformOffset < 0) return Rollback(mark);
  buffers->calls[mark.ncalls].uniformOffset = uniformOffset;
  if (!convertPaintForFrag(fragUniformAtIndex(uniformOffset), paint, scissor, fringe, fringe, -1.0f))
    Rollback(mark); // a paint of an unknown image draws nothing
}

void MVGcontext_vKelmo_vst3::renderStroke(const VGpaint* paint, VGcompositeOperationState compositeOperation,
                                          const VGscissor* scissor, float fringe, float strokeWidth,
                                          const VGpath* paths, int npaths)
{
  if (!buffers || !paint || !scissor || (npaths > 0 && !paths) || npaths < 0) return;
  const Mark mark = MarkNow();
  MVGcall* call = allocCall();
  if (!call) return;
  call->kind = MVG_STROKE;
  call->image = paint->image;
  call->blend = blendCompositeOperation(compositeOperation);
  int fillVerts = 0;
  for (int i = 0; i < npaths; ++i)
    if (paths[i].nfill > 2) fillVerts += paths[i].nfill;
  const int stripVerts = StripVertexCount(paths, npaths);
  const int offset = allocVerts(fillVerts + stripVerts);
  if (offset < 0) return Rollback(mark);
  call = &buffers->calls[mark.ncalls];
  call->stripOffset = offset + 1;
  call->stripCount = stripVerts - 2;
  int at = offset;
  for (int i = 0; i < npaths; ++i)
    at = WriteJoinedStrip(buffers->verts, at, paths[i]);

  const bool stencil = (flags & VG_STENCIL_STROKES) != 0;
  const int uniformOffset = allocFragUniforms(stencil ? 2 : 1);
  if (uniformOffset < 0) return Rollback(mark);
  buffers->calls[mark.ncalls].uniformOffset = uniformOffset;
  int known =
      convertPaintForFrag(fragUniformAtIndex(uniformOffset), paint, scissor, strokeWidth, fringe, -1.0f);
  if (stencil && known)
    known = convertPaintForFrag(fragUniformAtIndex(uniformOffset + fragSize), paint, scissor, strokeWidth,
                                fringe, 1.0f - 0.5f / 255.0f);
  if (!known) Rollback(mark);
}

void MVGcontext_vKelmo_vst3::renderTriangles(const VGpaint* paint,
                                             VGcompositeOperationState compositeOperation,
                                             const VGscissor* scissor, const VGvertex* verts, int nverts,
                                             float fringe)
{
  if (!buffers || !paint || !scissor || nverts < 0 || (nverts > 0 && !verts)) return;
  const Mark mark = MarkNow();
  MVGcall* call = allocCall();
  if (!call) return;
  call->kind = MVG_TRIANGLES;
  call->image = paint->image;
  call->blend = blendCompositeOperation(compositeOperation);
  const int offset = allocVerts(nverts);
  if (offset < 0) return Rollback(mark);
  call = &buffers->calls[mark.ncalls];
  call->triangleOffset = offset;
  call->triangleCount = nverts;
  if (nverts > 0) std::memcpy(&buffers->verts[offset], verts, sizeof(VGvertex) * nverts);
  const int uniformOffset = allocFragUniforms(1);
  if (uniformOffset < 0) return Rollback(mark);
  buffers->calls[mark.ncalls].uniformOffset = uniformOffset;
  MVGfragUniforms* frag = fragUniformAtIndex(uniformOffset);
  if (!convertPaintForFrag(frag, paint, scissor, 1.0f, fringe, -1.0f)) return Rollback(mark);
  frag->shaderKind = MVGshaderKind::Image;
}

// ---- frames ----

void MVGcontext_vKelmo_vst3::renderViewport(float width, float height, float devicePixelRatio)
{
  if (!semaphore) return;
  // A frame still being recorded is dropped: its set would otherwise stay busy for ever, and
  // once every set is lost the semaphore wait below never returns.
  if (buffers) renderCancel();
  // Negative, huge or non-finite sizes give an empty viewport, which cancels the frame at flush.
  const auto pixels = [](float v) {
    return (v > 0.0f && v < 1e9f) ? static_cast<std::uint32_t>(v) : std::uint32_t{0};
  };
  viewPortSize[0] = pixels(width * devicePixelRatio);
  viewPortSize[1] = pixels(height * devicePixelRatio);
  semaphore->Wait();
  buffers = nullptr;
  for (auto& set : cbuffers) {
    if (set->TryAcquire()) {
      buffers = set.get();
      break;
    }
  }
  if (!buffers) return; // cannot happen while the semaphore counts free sets
  if (!buffers->viewSizeBuffer) {
    const GpuDeviceRef device = Device();
    if (device)
      buffers->viewSizeBuffer = device->NewBuffer(2 * sizeof(float), kGpuResourceCpuCacheModeWriteCombined);
  }
  if (buffers->viewSizeBuffer) {
    const MVGviewSize size{width, height};
    std::memcpy(buffers->viewSizeBuffer->Contents(), &size, sizeof size);
  }
}

void MVGcontext_vKelmo_vst3::renderCancel()
{
  if (!buffers) return;
  buffers->Reset();
  buffers = nullptr;
  semaphore->Signal();
}

void MVGcontext_vKelmo_vst3::updateStencilTextureToSize(std::uint32_t width, std::uint32_t height)
{
  GpuTextureRef& stencil = buffers->stencilTexture;
  if (stencil && stencil->Width() >= width && stencil->Height() >= height) return;
  stencil.reset();
  const GpuDeviceRef device = Device();
  if (!device) return;
  GpuTextureDescriptor d;
  d.pixelFormat = GpuPixelFormat::Stencil8;
  d.width = width;
  d.height = height;
  d.usage = kGpuTextureUsageRenderTarget;
  d.storageMode = GpuStorageMode::Private;
  stencil = device->NewTexture(d);
}

GpuRenderCommandEncoderRef
MVGcontext_vKelmo_vst3::renderCommandEncoderWithColorTexture(const GpuTextureRef& colorTexture)
{
  GpuRenderPassDescriptor pass;
  pass.colorAttachment.clearColor = clearColor;
  pass.colorAttachment.loadAction = clearBufferOnFlush ? GpuLoadAction::Clear : GpuLoadAction::Load;
  pass.colorAttachment.storeAction = GpuStoreAction::Store;
  pass.colorAttachment.texture = colorTexture;
  clearBufferOnFlush = false;
  pass.stencilAttachment.clearStencil = 0;
  pass.stencilAttachment.loadAction = GpuLoadAction::Clear;
  pass.stencilAttachment.storeAction = GpuStoreAction::DontCare;
  pass.stencilAttachment.texture = buffers->stencilTexture;

  const GpuCommandBufferRef commandBuffer = buffers->CommandBuffer();
  GpuRenderCommandEncoderRef encoder = commandBuffer ? commandBuffer->RenderCommandEncoder(pass) : nullptr;
  if (!encoder) return nullptr;
  encoder->SetCullMode(GpuCullMode::Back);
  encoder->SetFrontFacingWinding(GpuWinding::CounterClockwise);
  encoder->SetStencilReferenceValue(0);
  encoder->SetViewport(GpuViewport{0.0, 0.0, static_cast<double>(viewPortSize[0]),
                                   static_cast<double>(viewPortSize[1]), 0.0, 1.0});
  encoder->SetVertexBuffer(buffers->vertBuffer, 0, 0);
  encoder->SetVertexBuffer(buffers->viewSizeBuffer, 0, 1);
  encoder->SetFragmentBuffer(buffers->uniformBuffer, 0, 0);
  return encoder;
}

void MVGcontext_vKelmo_vst3::updateRenderPipelineStatesForBlend(const MVGblend& blend,
                                                                GpuPixelFormat pixelFormat)
{
  if (pipelineState && stencilOnlyPipelineState && piplelinePixelFormat == pixelFormat && blendFunc &&
      *blendFunc == blend)
    return;
  const GpuDeviceRef device = Device();
  if (!device) return;
  GpuRenderPipelineDescriptor d;
  d.colorAttachment.pixelFormat = pixelFormat;
  d.stencilAttachmentPixelFormat = GpuPixelFormat::Stencil8;
  d.fragmentFunction = fragmentFunction;
  d.vertexFunction = vertexFunction;
  d.vertexDescriptor = vertexDescriptor;
  d.colorAttachment.blendingEnabled = true;
  d.colorAttachment.sourceRGBBlendFactor = blend.srcRGB;
  d.colorAttachment.sourceAlphaBlendFactor = blend.srcAlpha;
  d.colorAttachment.destinationRGBBlendFactor = blend.dstRGB;
  d.colorAttachment.destinationAlphaBlendFactor = blend.dstAlpha;
  if (blendFunc) *blendFunc = blend;
  std::string error;
  pipelineState = device->NewRenderPipelineState(d, &error);
  checkError(error, "init pipeline state");
  d.fragmentFunction = nullptr;
  d.colorAttachment.writeMask = kGpuColorWriteNone;
  error.clear();
  stencilOnlyPipelineState = device->NewRenderPipelineState(d, &error);
  checkError(error, "init pipeline stencil only state");
  piplelinePixelFormat = pixelFormat;
}

void MVGcontext_vKelmo_vst3::renderFlush()
{
  if (!buffers) return;
  if (viewPortSize[0] == 0 || viewPortSize[1] == 0) return renderCancel();

  MVGbuffers_vKelmo_vst3* set = buffers;
  const GpuCommandBufferRef commandBuffer = commandQueue->CommandBuffer();
  set->SetCommandBuffer(commandBuffer);
  commandBuffer->Enqueue();
  std::shared_ptr<MVGbuffers_vKelmo_vst3> captured;
  for (auto& s : cbuffers)
    if (s.get() == set) captured = s;
  commandBuffer->AddCompletedHandler([captured, semaphore = semaphore](GpuCommandBuffer&) {
    captured->Reset();
    semaphore->Signal();
  });
  buffers = nullptr; // the set now belongs to the frame in flight

  // Whatever stops the flush early, the empty command buffer is still committed, so that its
  // handler frees the set and gives the semaphore back.
  const auto finish = [&] { commandBuffer->Commit(); };

  GpuTextureRef target;
  std::uint32_t width = 0, height = 0;
  GpuDrawableRef drawable;
  const MVGframebuffer* fb = mvgBoundFramebuffer();
  const bool toFramebuffer = fb && fb->ctx && fb->ctx->params.userPtr == this;
  if (toFramebuffer) {
    set->SetImage(fb->image);
    if (const MVGtexture_vKelmo_vst3* tex = findTexture(fb->image); tex && tex->tex) {
      target = tex->tex;
      width = target->Width();
      height = target->Height();
    }
    if (width == 0 || height == 0) return finish();
  } else {
    drawable = metalLayer->NextDrawable();
    if (!drawable) return finish();
    target = drawable->Texture();
    width = viewPortSize[0];
    height = viewPortSize[1];
  }

  buffers = set; // replay reads the set's buffers
  updateStencilTextureToSize(width, height);
  renderEncoder = renderCommandEncoderWithColorTexture(target);
  if (!renderEncoder) {
    buffers = nullptr;
    return finish();
  }
  for (int i = 0; i < set->ncalls; ++i) {
    const MVGcall& call = set->calls[i];
    updateRenderPipelineStatesForBlend(call.blend, target->PixelFormat());
    switch (call.kind) {
    case MVG_FILL:
      fill(call);
      break;
    case MVG_CONVEXFILL:
      convexFill(call);
      break;
    case MVG_STROKE:
      stroke(call);
      break;
    case MVG_TRIANGLES:
      triangles(call);
      break;
    default:
      break;
    }
  }
  renderEncoder->EndEncoding();
  renderEncoder.reset();
  buffers = nullptr;

  if (drawable && !metalLayer->PresentsWithTransaction()) commandBuffer->PresentDrawable(drawable);
  if (mvgBoundFramebuffer()) {
    if (GpuBlitCommandEncoderRef blit = commandBuffer->BlitCommandEncoder()) {
      blit->SynchronizeResource(target);
      blit->EndEncoding();
    }
  }
  commandBuffer->Commit();
  if (drawable && metalLayer->PresentsWithTransaction()) {
    commandBuffer->WaitUntilScheduled();
    drawable->Present();
  }
}

// ---- replay ----

void MVGcontext_vKelmo_vst3::setUniforms(int uniformOffset, int image)
{
  renderEncoder->SetFragmentBufferOffset(static_cast<std::size_t>(uniformOffset), 0);
  const MVGtexture_vKelmo_vst3* tex = image != 0 ? findTexture(image) : nullptr;
  renderEncoder->SetFragmentTexture(tex ? tex->tex : pseudoTexture, 0);
  renderEncoder->SetFragmentSamplerState(tex ? tex->sampler : pseudoSampler, 0);
}

void MVGcontext_vKelmo_vst3::DrawStrip(const MVGcall& call)
{
  renderEncoder->DrawPrimitives(GpuPrimitiveType::TriangleStrip, static_cast<std::uint32_t>(call.stripOffset),
                                static_cast<std::uint32_t>(call.stripCount));
}

void MVGcontext_vKelmo_vst3::convexFill(const MVGcall& call)
{
  setUniforms(call.uniformOffset, call.image);
  renderEncoder->SetRenderPipelineState(pipelineState);
  if (call.indexCount > 0)
    renderEncoder->DrawIndexedPrimitives(
        GpuPrimitiveType::Triangle, static_cast<std::uint32_t>(call.indexCount), GpuIndexType::UInt32,
        buffers->indexBuffer, static_cast<std::size_t>(call.indexOffset) * indexSize);
  if (call.stripCount > 0) DrawStrip(call);
}

void MVGcontext_vKelmo_vst3::fill(const MVGcall& call)
{
  renderEncoder->SetCullMode(GpuCullMode::None);
  renderEncoder->SetDepthStencilState(fillShapeStencilState);
  renderEncoder->SetRenderPipelineState(stencilOnlyPipelineState);
  if (call.indexCount > 0)
    renderEncoder->DrawIndexedPrimitives(
        GpuPrimitiveType::Triangle, static_cast<std::uint32_t>(call.indexCount), GpuIndexType::UInt32,
        buffers->indexBuffer, static_cast<std::size_t>(call.indexOffset) * indexSize);
  renderEncoder->SetCullMode(GpuCullMode::Back);
  renderEncoder->SetRenderPipelineState(pipelineState);
  setUniforms(call.uniformOffset, call.image);
  if ((flags & VG_ANTIALIAS) && call.stripCount > 0) {
    renderEncoder->SetDepthStencilState(fillAntiAliasStencilState);
    DrawStrip(call);
  }
  renderEncoder->SetDepthStencilState(fillStencilState);
  renderEncoder->DrawPrimitives(GpuPrimitiveType::TriangleStrip,
                                static_cast<std::uint32_t>(call.triangleOffset),
                                static_cast<std::uint32_t>(call.triangleCount));
  renderEncoder->SetDepthStencilState(defaultStencilState);
}

void MVGcontext_vKelmo_vst3::stroke(const MVGcall& call)
{
  if (call.stripCount < 1) return;
  if (flags & VG_STENCIL_STROKES) {
    setUniforms(call.uniformOffset + fragSize, call.image);
    renderEncoder->SetDepthStencilState(strokeShapeStencilState);
    renderEncoder->SetRenderPipelineState(pipelineState);
    DrawStrip(call);
    setUniforms(call.uniformOffset, call.image);
    renderEncoder->SetDepthStencilState(strokeAntiAliasStencilState);
    DrawStrip(call);
    renderEncoder->SetDepthStencilState(strokeClearStencilState);
    renderEncoder->SetRenderPipelineState(stencilOnlyPipelineState);
    DrawStrip(call);
    renderEncoder->SetDepthStencilState(defaultStencilState);
  } else {
    setUniforms(call.uniformOffset, call.image);
    renderEncoder->SetRenderPipelineState(pipelineState);
    DrawStrip(call);
  }
}

void MVGcontext_vKelmo_vst3::triangles(const MVGcall& call)
{
  setUniforms(call.uniformOffset, call.image);
  renderEncoder->SetRenderPipelineState(pipelineState);
  renderEncoder->DrawPrimitives(GpuPrimitiveType::Triangle, static_cast<std::uint32_t>(call.triangleOffset),
                                static_cast<std::uint32_t>(call.triangleCount));
}

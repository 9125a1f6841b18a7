#include "support/ui/RecordingBackend.h"

#include <algorithm>

namespace testsupport {

namespace {

RecordingBackend& Self(void* uptr)
{
  return *static_cast<RecordingBackend*>(uptr);
}

std::vector<RecordedPath> CopyPaths(const VGpath* paths, int npaths)
{
  std::vector<RecordedPath> out;
  for (const VGpath* p = paths; p < paths + npaths; ++p) {
    RecordedPath r{p->first, p->count, p->nbevel, p->winding, p->closed != 0, p->convex != 0, {}, {}};
    if (p->fill != nullptr) r.fill.assign(p->fill, p->fill + p->nfill);
    if (p->stroke != nullptr) r.stroke.assign(p->stroke, p->stroke + p->nstroke);
    out.push_back(std::move(r));
  }
  return out;
}

} // namespace

VGparams RecordingBackend::Params(bool edgeAntiAlias)
{
  VGparams p{};
  p.userPtr = this;
  p.edgeAntiAlias = edgeAntiAlias ? 1 : 0;
  p.renderCreate = [](void* u) {
    Self(u).log.push_back("create");
    return Self(u).mFailCreate ? 0 : 1;
  };
  p.renderCreateTexture = [](void* u, int type, int w, int h, int flags, const unsigned char* data) {
    return Self(u).CreateTexture(type, w, h, flags, data);
  };
  p.renderDeleteTexture = [](void* u, int image) {
    Self(u).log.push_back("deleteTexture");
    if (Self(u).textures.erase(image) == 0) return 0;
    Self(u).deletedTextures.push_back(image);
    return 1;
  };
  p.renderUpdateTexture = [](void* u, int image, int x, int y, int w, int h, const unsigned char* data) {
    return Self(u).UpdateTexture(image, x, y, w, h, data);
  };
  p.renderGetTextureSize = [](void* u, int image, int* w, int* h) {
    Self(u).log.push_back("textureSize");
    const auto it = Self(u).textures.find(image);
    if (it == Self(u).textures.end()) return 0;
    *w = it->second.w;
    *h = it->second.h;
    return 1;
  };
  p.renderViewport = [](void* u, float width, float height, float ratio) {
    Self(u).log.push_back("viewport");
    Self(u).viewports.push_back({width, height, ratio});
  };
  p.renderCancel = [](void* u) { Self(u).log.push_back("cancel"); };
  p.renderFlush = [](void* u) { Self(u).log.push_back("flush"); };
  p.renderFill = [](void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor, float fringe,
                    const float* bounds, const VGpath* paths, int npaths) {
    RecordedDraw& d = Self(u).Draw("fill", RecordedDraw::Kind::Fill, paint, op, scissor, fringe);
    std::copy(bounds, bounds + 4, d.bounds.begin());
    d.paths = CopyPaths(paths, npaths);
  };
  p.renderStroke = [](void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor, float fringe,
                      float strokeWidth, const VGpath* paths, int npaths) {
    RecordedDraw& d = Self(u).Draw("stroke", RecordedDraw::Kind::Stroke, paint, op, scissor, fringe);
    d.strokeWidth = strokeWidth;
    d.paths = CopyPaths(paths, npaths);
  };
  p.renderTriangles = [](void* u, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor,
                         const VGvertex* verts, int nverts, float fringe) {
    RecordedDraw& d = Self(u).Draw("triangles", RecordedDraw::Kind::Triangles, paint, op, scissor, fringe);
    if (verts != nullptr && nverts > 0) d.verts.assign(verts, verts + nverts);
  };
  p.renderDelete = [](void* u) { Self(u).log.push_back("delete"); };
  return p;
}

int RecordingBackend::Count(const std::string& name) const
{
  return (int)std::count(log.begin(), log.end(), name);
}

RecordedDraw& RecordingBackend::Draw(const char* name, RecordedDraw::Kind kind, const VGpaint* paint,
                                     VGcompositeOperationState op, const VGscissor* scissor, float fringe)
{
  log.push_back(name);
  RecordedDraw& d = draws.emplace_back();
  d.kind = kind;
  d.paint = *paint;
  d.op = op;
  d.scissor = *scissor;
  d.fringe = fringe;
  return d;
}

int RecordingBackend::CreateTexture(int type, int w, int h, int imageFlags, const unsigned char* data)
{
  log.push_back("createTexture");
  const int attempt = textureCreations++;
  if (mFailTexturesFrom >= 0 && attempt >= mFailTexturesFrom) return 0;
  const size_t n = (size_t)w * (size_t)h * (type == VG_TEXTURE_RGBA ? 4 : 1);
  RecordedTexture tex{type, w, h, imageFlags, data != nullptr, {}};
  if (data != nullptr)
    tex.pixels.assign(data, data + n);
  else
    tex.pixels.assign(n, 0);
  textures[mNextTextureId] = std::move(tex);
  return mNextTextureId++;
}

int RecordingBackend::UpdateTexture(int image, int x, int y, int w, int h, const unsigned char* data)
{
  log.push_back("updateTexture");
  const auto it = textures.find(image);
  if (it == textures.end()) return 0;
  RecordedTexture& tex = it->second;
  const int bpp = tex.type == VG_TEXTURE_RGBA ? 4 : 1;
  RecordedUpdate update{image, x, y, w, h, {}};
  // data addresses the whole image: rows lie the texture's full width apart.
  const int x0 = std::max(x, 0), x1 = std::min(x + w, tex.w);
  for (int row = std::max(y, 0); row < std::min(y + h, tex.h) && x0 < x1; ++row) {
    const size_t offset = ((size_t)row * tex.w + x0) * bpp, n = (size_t)(x1 - x0) * bpp;
    std::copy(data + offset, data + offset + n, tex.pixels.begin() + (long)offset);
    update.region.insert(update.region.end(), data + offset, data + offset + n);
  }
  updates.push_back(std::move(update));
  return 1;
}

} // namespace testsupport

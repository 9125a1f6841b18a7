#include "support/ui/RecordingBackend.h"

#include <algorithm>

namespace testsupport {

namespace {

RecordingBackend& Self(void* uptr)
{
  return *static_cast<RecordingBackend*>(uptr);
}

int BytesPerPixel(int type)
{
  return type == VG_TEXTURE_RGBA ? 4 : 1;
}

} // namespace

VGparams RecordingBackend::Params(bool edgeAntiAlias)
{
  VGparams p{};
  p.userPtr = this;
  p.edgeAntiAlias = edgeAntiAlias ? 1 : 0;
  p.renderCreate = &Create;
  p.renderCreateTexture = &CreateTexture;
  p.renderDeleteTexture = &DeleteTexture;
  p.renderUpdateTexture = &UpdateTexture;
  p.renderGetTextureSize = &GetTextureSize;
  p.renderViewport = &Viewport;
  p.renderCancel = &Cancel;
  p.renderFlush = &Flush;
  p.renderFill = &Fill;
  p.renderStroke = &Stroke;
  p.renderTriangles = &Triangles;
  p.renderDelete = &Delete;
  return p;
}

std::vector<const RecordedDraw*> RecordingBackend::DrawsOf(RecordedDraw::Kind kind) const
{
  std::vector<const RecordedDraw*> out;
  for (const RecordedDraw& d : draws)
    if (d.kind == kind) out.push_back(&d);
  return out;
}

int RecordingBackend::Count(const std::string& name) const
{
  return (int)std::count(log.begin(), log.end(), name);
}

int RecordingBackend::Create(void* uptr)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("create");
  return self.mFailCreate ? 0 : 1;
}

int RecordingBackend::CreateTexture(void* uptr, int type, int w, int h, int imageFlags,
                                    const unsigned char* data)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("createTexture");
  const int attempt = self.textureCreations++;
  if (self.mFailTexturesFrom >= 0 && attempt >= self.mFailTexturesFrom) return 0;
  RecordedTexture tex;
  tex.type = type;
  tex.w = w;
  tex.h = h;
  tex.flags = imageFlags;
  tex.createdWithData = data != nullptr;
  const size_t n = (size_t)w * (size_t)h * (size_t)BytesPerPixel(type);
  if (data != nullptr)
    tex.pixels.assign(data, data + n);
  else
    tex.pixels.assign(n, 0);
  const int id = self.mNextTextureId++;
  self.textures[id] = std::move(tex);
  return id;
}

int RecordingBackend::DeleteTexture(void* uptr, int image)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("deleteTexture");
  if (self.textures.erase(image) == 0) return 0;
  self.deletedTextures.push_back(image);
  return 1;
}

int RecordingBackend::UpdateTexture(void* uptr, int image, int x, int y, int w, int h,
                                    const unsigned char* data)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("updateTexture");
  auto it = self.textures.find(image);
  if (it == self.textures.end()) return 0;
  RecordedTexture& tex = it->second;
  const int bpp = BytesPerPixel(tex.type);
  RecordedUpdate update{image, x, y, w, h, {}};
  // data addresses the whole image: rows are the texture's full width apart.
  for (int row = std::max(y, 0); row < std::min(y + h, tex.h); ++row) {
    const int x0 = std::max(x, 0), x1 = std::min(x + w, tex.w);
    if (x0 >= x1) continue;
    const size_t offset = ((size_t)row * tex.w + x0) * bpp;
    const size_t n = (size_t)(x1 - x0) * bpp;
    std::copy(data + offset, data + offset + n, tex.pixels.begin() + (long)offset);
    update.region.insert(update.region.end(), data + offset, data + offset + n);
  }
  self.updates.push_back(std::move(update));
  return 1;
}

int RecordingBackend::GetTextureSize(void* uptr, int image, int* w, int* h)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("textureSize");
  auto it = self.textures.find(image);
  if (it == self.textures.end()) return 0;
  *w = it->second.w;
  *h = it->second.h;
  return 1;
}

void RecordingBackend::Viewport(void* uptr, float width, float height, float devicePixelRatio)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("viewport");
  self.viewports.push_back({width, height, devicePixelRatio});
}

void RecordingBackend::Cancel(void* uptr)
{
  Self(uptr).log.push_back("cancel");
}

void RecordingBackend::Flush(void* uptr)
{
  Self(uptr).log.push_back("flush");
}

std::vector<RecordedPath> RecordingBackend::CopyPaths(const VGpath* paths, int npaths)
{
  std::vector<RecordedPath> out;
  for (int i = 0; i < npaths; ++i) {
    const VGpath& p = paths[i];
    RecordedPath r;
    r.first = p.first;
    r.count = p.count;
    r.closed = p.closed != 0;
    r.nbevel = p.nbevel;
    if (p.fill != nullptr) r.fill.assign(p.fill, p.fill + p.nfill);
    if (p.stroke != nullptr) r.stroke.assign(p.stroke, p.stroke + p.nstroke);
    r.winding = p.winding;
    r.convex = p.convex != 0;
    out.push_back(std::move(r));
  }
  return out;
}

void RecordingBackend::Fill(void* uptr, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor,
                            float fringe, const float* bounds, const VGpath* paths, int npaths)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("fill");
  RecordedDraw d;
  d.kind = RecordedDraw::Kind::Fill;
  d.paint = *paint;
  d.op = op;
  d.scissor = *scissor;
  d.fringe = fringe;
  std::copy(bounds, bounds + 4, d.bounds.begin());
  d.paths = CopyPaths(paths, npaths);
  self.draws.push_back(std::move(d));
}

void RecordingBackend::Stroke(void* uptr, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor,
                              float fringe, float strokeWidth, const VGpath* paths, int npaths)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("stroke");
  RecordedDraw d;
  d.kind = RecordedDraw::Kind::Stroke;
  d.paint = *paint;
  d.op = op;
  d.scissor = *scissor;
  d.fringe = fringe;
  d.strokeWidth = strokeWidth;
  d.paths = CopyPaths(paths, npaths);
  self.draws.push_back(std::move(d));
}

void RecordingBackend::Triangles(void* uptr, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor,
                                 const VGvertex* verts, int nverts, float fringe)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("triangles");
  RecordedDraw d;
  d.kind = RecordedDraw::Kind::Triangles;
  d.paint = *paint;
  d.op = op;
  d.scissor = *scissor;
  d.fringe = fringe;
  if (verts != nullptr && nverts > 0) d.verts.assign(verts, verts + nverts);
  self.draws.push_back(std::move(d));
}

void RecordingBackend::Delete(void* uptr)
{
  RecordingBackend& self = Self(uptr);
  self.log.push_back("delete");
  self.backendDeleted = true;
}

} // namespace testsupport

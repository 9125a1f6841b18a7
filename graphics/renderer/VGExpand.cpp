#include "graphics/renderer/VGExpand.h"

#include <algorithm>
#include <cmath>

#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGGeometry.h"
#include "graphics/renderer/VGJoins.h"

namespace {

// Upper bound of cap and join divisions; only reached by tolerances far below a pixel.
constexpr int kMaxCurveDivs = 1024;

VGvertex* ButtCapStart(VGvertex* dst, const VGpoint* p, float dx, float dy, float w, float d, float aa,
                       float u0, float u1)
{
  const float px = p->x - dx * d, py = p->y - dy * d;
  const float dlx = dy, dly = -dx;
  dst = vgVset(dst, px + dlx * w - dx * aa, py + dly * w - dy * aa, u0, 0);
  dst = vgVset(dst, px - dlx * w - dx * aa, py - dly * w - dy * aa, u1, 0);
  dst = vgVset(dst, px + dlx * w, py + dly * w, u0, 1);
  dst = vgVset(dst, px - dlx * w, py - dly * w, u1, 1);
  return dst;
}

VGvertex* ButtCapEnd(VGvertex* dst, const VGpoint* p, float dx, float dy, float w, float d, float aa,
                     float u0, float u1)
{
  const float px = p->x + dx * d, py = p->y + dy * d;
  const float dlx = dy, dly = -dx;
  dst = vgVset(dst, px + dlx * w, py + dly * w, u0, 1);
  dst = vgVset(dst, px - dlx * w, py - dly * w, u1, 1);
  dst = vgVset(dst, px + dlx * w + dx * aa, py + dly * w + dy * aa, u0, 0);
  dst = vgVset(dst, px - dlx * w + dx * aa, py - dly * w + dy * aa, u1, 0);
  return dst;
}

VGvertex* RoundCapStart(VGvertex* dst, const VGpoint* p, float dx, float dy, float w, int ncap, float u0,
                        float u1)
{
  const float px = p->x, py = p->y;
  const float dlx = dy, dly = -dx;
  for (int i = 0; i < ncap; ++i) {
    const float a = (float)i / (float)(ncap - 1) * kVGPi;
    const float ax = std::cos(a) * w, ay = std::sin(a) * w;
    dst = vgVset(dst, px - dlx * ax - dx * ay, py - dly * ax - dy * ay, u0, 1);
    dst = vgVset(dst, px, py, 0.5f, 1);
  }
  dst = vgVset(dst, px + dlx * w, py + dly * w, u0, 1);
  dst = vgVset(dst, px - dlx * w, py - dly * w, u1, 1);
  return dst;
}

VGvertex* RoundCapEnd(VGvertex* dst, const VGpoint* p, float dx, float dy, float w, int ncap, float u0,
                      float u1)
{
  const float px = p->x, py = p->y;
  const float dlx = dy, dly = -dx;
  dst = vgVset(dst, px + dlx * w, py + dly * w, u0, 1);
  dst = vgVset(dst, px - dlx * w, py - dly * w, u1, 1);
  for (int i = 0; i < ncap; ++i) {
    const float a = (float)i / (float)(ncap - 1) * kVGPi;
    const float ax = std::cos(a) * w, ay = std::sin(a) * w;
    dst = vgVset(dst, px, py, 0.5f, 1);
    dst = vgVset(dst, px - dlx * ax + dx * ay, py - dly * ax + dy * ay, u0, 1);
  }
  return dst;
}

// Every path without vertices, as after a failed expansion.
void ClearVertices(VGpathCache* cache)
{
  for (int i = 0; i < cache->npaths; ++i) {
    VGpath* path = &cache->paths[i];
    path->fill = nullptr;
    path->nfill = 0;
    path->stroke = nullptr;
    path->nstroke = 0;
  }
}

} // namespace

int vgCurveDivs(float r, float arc, float tol)
{
  const float da = std::acos(r / (r + tol)) * 2.0f;
  if (!(da > 0.0f)) return kMaxCurveDivs;
  const float divs = std::ceil(arc / da);
  if (!(divs < (float)kMaxCurveDivs)) return kMaxCurveDivs;
  return std::max(2, (int)divs);
}

int vgExpandFill(VGcontext* ctx, float w, int lineJoin, float miterLimit)
{
  VGpathCache* cache = ctx->cache;
  const float aa = ctx->fringeWidth;
  const bool fringe = w > 0.0f;

  vgCalculateJoins(ctx, w, lineJoin, miterLimit);

  long long cverts = 0;
  for (int i = 0; i < cache->npaths; ++i) {
    const VGpath* path = &cache->paths[i];
    cverts += path->count + path->nbevel + 1;
    if (fringe) cverts += ((long long)path->count + (long long)path->nbevel * 5 + 1) * 2;
  }
  VGvertex* verts = vgAllocTempVerts(ctx, cverts);
  if (verts == nullptr) {
    ClearVertices(cache);
    return 0;
  }

  // One convex shape needs no stencil: its fringe can be drawn half outside.
  const bool convex = cache->npaths == 1 && cache->paths[0].convex;

  for (int i = 0; i < cache->npaths; ++i) {
    VGpath* path = &cache->paths[i];
    VGpoint* pts = &cache->points[path->first];
    const float woff = 0.5f * aa;

    VGvertex* dst = verts;
    path->fill = dst;
    if (fringe) {
      // Inset by half the fringe.
      for (int j = 0; j < path->count; ++j) {
        const VGpoint* p0 = &pts[(j + path->count - 1) % path->count];
        const VGpoint* p1 = &pts[j];
        if ((p1->flags & VG_PT_BEVEL) && !(p1->flags & VG_PT_LEFT)) {
          dst = vgVset(dst, p1->x + p0->dy * woff, p1->y - p0->dx * woff, 0.5f, 1);
          dst = vgVset(dst, p1->x + p1->dy * woff, p1->y - p1->dx * woff, 0.5f, 1);
        } else {
          dst = vgVset(dst, p1->x + p1->dmx * woff, p1->y + p1->dmy * woff, 0.5f, 1);
        }
      }
    } else {
      for (int j = 0; j < path->count; ++j)
        dst = vgVset(dst, pts[j].x, pts[j].y, 0.5f, 1);
    }
    path->nfill = (int)(dst - verts);
    verts = dst;

    if (fringe && path->count > 0) {
      float lw = w + woff;
      const float rw = w - woff;
      float lu = 0;
      const float ru = 1;
      if (convex) {
        lw = woff;
        lu = 0.5f;
      }
      dst = verts;
      path->stroke = dst;
      for (int j = 0; j < path->count; ++j) {
        const VGpoint* p0 = &pts[(j + path->count - 1) % path->count];
        const VGpoint* p1 = &pts[j];
        if (p1->flags & (VG_PT_BEVEL | VG_PT_INNERBEVEL)) {
          dst = vgBevelJoin(dst, p0, p1, lw, rw, lu, ru);
        } else {
          dst = vgVset(dst, p1->x + p1->dmx * lw, p1->y + p1->dmy * lw, lu, 1);
          dst = vgVset(dst, p1->x - p1->dmx * rw, p1->y - p1->dmy * rw, ru, 1);
        }
      }
      // Close the strip.
      dst = vgVset(dst, verts[0].x, verts[0].y, lu, 1);
      dst = vgVset(dst, verts[1].x, verts[1].y, ru, 1);
      path->nstroke = (int)(dst - verts);
      verts = dst;
    } else {
      path->stroke = nullptr;
      path->nstroke = 0;
    }
  }
  return 1;
}

int vgExpandStroke(VGcontext* ctx, float w, float aa, int lineCap, int lineJoin, float miterLimit)
{
  VGpathCache* cache = ctx->cache;
  float u0 = 0.0f, u1 = 1.0f;
  const int ncap = vgCurveDivs(w, kVGPi, ctx->tessTol);

  w += aa * 0.5f;
  if (aa == 0.0f) u0 = u1 = 0.5f; // no fringe: full coverage across the stroke

  vgCalculateJoins(ctx, w, lineJoin, miterLimit);

  long long cverts = 0;
  for (int i = 0; i < cache->npaths; ++i) {
    const VGpath* path = &cache->paths[i];
    if (lineJoin == VG_ROUND)
      cverts += ((long long)path->count + (long long)path->nbevel * (ncap + 2) + 1) * 2;
    else
      cverts += ((long long)path->count + (long long)path->nbevel * 5 + 1) * 2;
    if (!path->closed) cverts += lineCap == VG_ROUND ? ((long long)ncap * 2 + 2) * 2 : (3 + 3) * 2;
  }
  VGvertex* verts = vgAllocTempVerts(ctx, cverts);
  if (verts == nullptr) {
    ClearVertices(cache);
    return 0;
  }

  for (int i = 0; i < cache->npaths; ++i) {
    VGpath* path = &cache->paths[i];
    VGpoint* pts = &cache->points[path->first];
    const bool loop = path->closed != 0;
    path->fill = nullptr;
    path->nfill = 0;
    path->stroke = nullptr;
    path->nstroke = 0;
    // An open path needs a segment for its caps; a closed one at least a point.
    if (path->count < (loop ? 1 : 2)) continue;

    VGvertex* dst = verts;
    path->stroke = dst;

    const VGpoint* p0;
    const VGpoint* p1;
    int s, e;
    if (loop) {
      p0 = &pts[path->count - 1];
      p1 = &pts[0];
      s = 0;
      e = path->count;
    } else {
      p0 = &pts[0];
      p1 = &pts[1];
      s = 1;
      e = path->count - 1;
    }

    if (!loop) {
      float dx = p1->x - p0->x, dy = p1->y - p0->y;
      vgNormalize(&dx, &dy);
      if (lineCap == VG_BUTT)
        dst = ButtCapStart(dst, p0, dx, dy, w, -aa * 0.5f, aa, u0, u1);
      else if (lineCap == VG_SQUARE)
        dst = ButtCapStart(dst, p0, dx, dy, w, w - aa, aa, u0, u1);
      else if (lineCap == VG_ROUND)
        dst = RoundCapStart(dst, p0, dx, dy, w, ncap, u0, u1);
    }

    for (int j = s; j < e; ++j) {
      if (p1->flags & (VG_PT_BEVEL | VG_PT_INNERBEVEL)) {
        if (lineJoin == VG_ROUND)
          dst = vgRoundJoin(dst, p0, p1, w, w, u0, u1, ncap);
        else
          dst = vgBevelJoin(dst, p0, p1, w, w, u0, u1);
      } else {
        dst = vgVset(dst, p1->x + p1->dmx * w, p1->y + p1->dmy * w, u0, 1);
        dst = vgVset(dst, p1->x - p1->dmx * w, p1->y - p1->dmy * w, u1, 1);
      }
      p0 = p1++;
    }

    if (loop) {
      dst = vgVset(dst, verts[0].x, verts[0].y, u0, 1);
      dst = vgVset(dst, verts[1].x, verts[1].y, u1, 1);
    } else {
      float dx = p1->x - p0->x, dy = p1->y - p0->y;
      vgNormalize(&dx, &dy);
      if (lineCap == VG_BUTT)
        dst = ButtCapEnd(dst, p1, dx, dy, w, -aa * 0.5f, aa, u0, u1);
      else if (lineCap == VG_SQUARE)
        dst = ButtCapEnd(dst, p1, dx, dy, w, w - aa, aa, u0, u1);
      else if (lineCap == VG_ROUND)
        dst = RoundCapEnd(dst, p1, dx, dy, w, ncap, u0, u1);
    }

    path->nstroke = (int)(dst - verts);
    verts = dst;
  }
  return 1;
}

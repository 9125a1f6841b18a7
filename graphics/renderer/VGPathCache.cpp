#include "graphics/renderer/VGPathCache.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGGeometry.h"
#include "graphics/renderer/VGPath.h"

namespace {

constexpr int kInitPoints = 128;
constexpr int kInitPaths = 16;
constexpr int kInitVerts = 256;
constexpr int kMaxBezierLevel = 10;

// Grows an array of elemSize-byte elements to hold n + 1, by half its capacity.
bool GrowFor(void** array, int* capacity, int n, size_t elemSize)
{
  if (n + 1 <= *capacity) return true;
  const long long cap = (long long)n + 1 + *capacity / 2;
  if (cap > 0x7fffffff / (long long)elemSize) return false;
  void* grown = std::realloc(*array, elemSize * (size_t)cap);
  if (grown == nullptr) return false;
  *array = grown;
  *capacity = (int)cap;
  return true;
}

VGpath* LastPath(VGpathCache* cache)
{
  return cache->npaths > 0 ? &cache->paths[cache->npaths - 1] : nullptr;
}

VGpoint* LastPoint(VGpathCache* cache)
{
  return cache->npoints > 0 ? &cache->points[cache->npoints - 1] : nullptr;
}

void AddPath(VGpathCache* cache)
{
  if (!GrowFor(reinterpret_cast<void**>(&cache->paths), &cache->cpaths, cache->npaths, sizeof(VGpath)))
    return;
  VGpath* path = &cache->paths[cache->npaths];
  std::memset(path, 0, sizeof(*path));
  path->first = cache->npoints;
  path->winding = VG_CCW;
  cache->npaths++;
}

void AddPoint(VGcontext* ctx, float x, float y, int flags)
{
  VGpathCache* cache = ctx->cache;
  VGpath* path = LastPath(cache);
  if (path == nullptr) return; // a point before any move-to has no sub-path
  if (path->count > 0) {
    VGpoint* pt = LastPoint(cache);
    if (vgPtEquals(pt->x, pt->y, x, y, ctx->distTol)) {
      pt->flags = (unsigned char)(pt->flags | flags);
      return;
    }
  }
  if (!GrowFor(reinterpret_cast<void**>(&cache->points), &cache->cpoints, cache->npoints, sizeof(VGpoint)))
    return;
  VGpoint* pt = &cache->points[cache->npoints];
  std::memset(pt, 0, sizeof(*pt));
  pt->x = x;
  pt->y = y;
  pt->flags = (unsigned char)flags;
  cache->npoints++;
  path->count++;
}

void ClosePath(VGpathCache* cache)
{
  if (VGpath* path = LastPath(cache)) path->closed = 1;
}

void PathWinding(VGpathCache* cache, int winding)
{
  if (VGpath* path = LastPath(cache)) path->winding = winding;
}

void TesselateBezier(VGcontext* ctx, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                     float y4, int level, int type)
{
  if (level > kMaxBezierLevel) return;

  const float dx = x4 - x1, dy = y4 - y1;
  const float d2 = std::fabs((x2 - x4) * dy - (y2 - y4) * dx);
  const float d3 = std::fabs((x3 - x4) * dy - (y3 - y4) * dx);
  if ((d2 + d3) * (d2 + d3) < ctx->tessTol * (dx * dx + dy * dy)) {
    AddPoint(ctx, x4, y4, type);
    return;
  }

  const float x12 = (x1 + x2) * 0.5f, y12 = (y1 + y2) * 0.5f;
  const float x23 = (x2 + x3) * 0.5f, y23 = (y2 + y3) * 0.5f;
  const float x34 = (x3 + x4) * 0.5f, y34 = (y3 + y4) * 0.5f;
  const float x123 = (x12 + x23) * 0.5f, y123 = (y12 + y23) * 0.5f;
  const float x234 = (x23 + x34) * 0.5f, y234 = (y23 + y34) * 0.5f;
  const float x1234 = (x123 + x234) * 0.5f, y1234 = (y123 + y234) * 0.5f;
  TesselateBezier(ctx, x1, y1, x12, y12, x123, y123, x1234, y1234, level + 1, 0);
  TesselateBezier(ctx, x1234, y1234, x234, y234, x34, y34, x4, y4, level + 1, type);
}

float TriArea2(float ax, float ay, float bx, float by, float cx, float cy)
{
  const float abx = bx - ax, aby = by - ay;
  const float acx = cx - ax, acy = cy - ay;
  return acx * aby - abx * acy;
}

float PolyArea(const VGpoint* pts, int npts)
{
  float area = 0;
  for (int i = 2; i < npts; ++i) {
    const VGpoint& a = pts[0];
    const VGpoint& b = pts[i - 1];
    const VGpoint& c = pts[i];
    area += TriArea2(a.x, a.y, b.x, b.y, c.x, c.y);
  }
  return area * 0.5f;
}

void PolyReverse(VGpoint* pts, int npts)
{
  for (int i = 0, j = npts - 1; i < j; ++i, --j) {
    const VGpoint tmp = pts[i];
    pts[i] = pts[j];
    pts[j] = tmp;
  }
}

} // namespace

VGpathCache* vgAllocPathCache()
{
  VGpathCache* cache = static_cast<VGpathCache*>(std::calloc(1, sizeof(VGpathCache)));
  if (cache == nullptr) return nullptr;
  cache->points = static_cast<VGpoint*>(std::malloc(sizeof(VGpoint) * kInitPoints));
  cache->paths = static_cast<VGpath*>(std::malloc(sizeof(VGpath) * kInitPaths));
  cache->verts = static_cast<VGvertex*>(std::malloc(sizeof(VGvertex) * kInitVerts));
  if (cache->points == nullptr || cache->paths == nullptr || cache->verts == nullptr) {
    vgDeletePathCache(cache);
    return nullptr;
  }
  cache->cpoints = kInitPoints;
  cache->cpaths = kInitPaths;
  cache->cverts = kInitVerts;
  return cache;
}

void vgDeletePathCache(VGpathCache* cache)
{
  if (cache == nullptr) return;
  std::free(cache->points);
  std::free(cache->paths);
  std::free(cache->verts);
  std::free(cache);
}

void vgClearPathCache(VGpathCache* cache)
{
  cache->npoints = 0;
  cache->npaths = 0;
}

VGvertex* vgAllocTempVerts(VGcontext* ctx, long long nverts)
{
  VGpathCache* cache = ctx->cache;
  if (nverts < 0) return nullptr;
  if (nverts > cache->cverts) {
    const long long cverts = (nverts + 0xff) & ~0xffLL;
    if (cverts > 0x7fffffff / (long long)sizeof(VGvertex)) return nullptr;
    void* verts = std::realloc(cache->verts, sizeof(VGvertex) * (size_t)cverts);
    if (verts == nullptr) return nullptr;
    cache->verts = static_cast<VGvertex*>(verts);
    cache->cverts = (int)cverts;
  }
  return cache->verts;
}

void vgFlattenPaths(VGcontext* ctx)
{
  VGpathCache* cache = ctx->cache;
  if (cache->npaths > 0) return;

  // Commands to sub-paths of points.
  int i = 0;
  while (i < ctx->ncommands) {
    const float* c = &ctx->commands[i];
    switch ((int)c[0]) {
    case VG_MOVETO:
      AddPath(cache);
      AddPoint(ctx, c[1], c[2], VG_PT_CORNER);
      i += 3;
      break;
    case VG_LINETO:
      AddPoint(ctx, c[1], c[2], VG_PT_CORNER);
      i += 3;
      break;
    case VG_BEZIERTO:
      if (const VGpoint* last = LastPoint(cache))
        TesselateBezier(ctx, last->x, last->y, c[1], c[2], c[3], c[4], c[5], c[6], 0, VG_PT_CORNER);
      i += 7;
      break;
    case VG_CLOSE:
      ClosePath(cache);
      i += 1;
      break;
    case VG_WINDING:
      PathWinding(cache, (int)c[1]);
      i += 2;
      break;
    default:
      i += 1;
      break;
    }
  }

  cache->bounds[0] = cache->bounds[1] = 1e6f;
  cache->bounds[2] = cache->bounds[3] = -1e6f;

  // Directions, lengths and bounds; closing repeats dropped, solid shapes made counter-clockwise.
  for (int j = 0; j < cache->npaths; ++j) {
    VGpath* path = &cache->paths[j];
    VGpoint* pts = &cache->points[path->first];
    if (path->count > 0) {
      const VGpoint* last = &pts[path->count - 1];
      if (vgPtEquals(last->x, last->y, pts[0].x, pts[0].y, ctx->distTol)) {
        path->count--;
        path->closed = 1;
      }
    }
    if (path->count > 2) {
      const float area = PolyArea(pts, path->count);
      if ((path->winding == VG_CCW && area < 0.0f) || (path->winding == VG_CW && area > 0.0f))
        PolyReverse(pts, path->count);
    }
    for (int k = 0; k < path->count; ++k) {
      VGpoint* p0 = &pts[k];
      const VGpoint* p1 = &pts[(k + 1) % path->count];
      p0->dx = p1->x - p0->x;
      p0->dy = p1->y - p0->y;
      p0->len = vgNormalize(&p0->dx, &p0->dy);
      cache->bounds[0] = std::fmin(cache->bounds[0], p0->x);
      cache->bounds[1] = std::fmin(cache->bounds[1], p0->y);
      cache->bounds[2] = std::fmax(cache->bounds[2], p0->x);
      cache->bounds[3] = std::fmax(cache->bounds[3], p0->y);
    }
  }
}

#include "graphics/renderer/VGJoins.h"

#include <algorithm>
#include <cmath>

#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGGeometry.h"

namespace {

// The two offset points of a join: the segment normals' ends for an inner bevel, else the
// extrusion point twice.
void ChooseBevel(bool bevel, const VGpoint* p0, const VGpoint* p1, float w, float* x0, float* y0, float* x1,
                 float* y1)
{
  if (bevel) {
    *x0 = p1->x + p0->dy * w;
    *y0 = p1->y - p0->dx * w;
    *x1 = p1->x + p1->dy * w;
    *y1 = p1->y - p1->dx * w;
  } else {
    *x0 = p1->x + p1->dmx * w;
    *y0 = p1->y + p1->dmy * w;
    *x1 = p1->x + p1->dmx * w;
    *y1 = p1->y + p1->dmy * w;
  }
}

// Steps of a round join turning by angle (radians), at most ncap per half turn.
int JoinSteps(float angle, int ncap)
{
  return std::clamp((int)std::ceil(angle / kVGPi * (float)ncap), 2, ncap);
}

} // namespace

void vgCalculateJoins(VGcontext* ctx, float w, int lineJoin, float miterLimit)
{
  VGpathCache* cache = ctx->cache;
  const float iw = w > 0.0f ? 1.0f / w : 0.0f;

  for (int i = 0; i < cache->npaths; ++i) {
    VGpath* path = &cache->paths[i];
    VGpoint* pts = &cache->points[path->first];
    int nleft = 0;
    path->nbevel = 0;
    for (int j = 0; j < path->count; ++j) {
      const VGpoint* p0 = &pts[(j + path->count - 1) % path->count];
      VGpoint* p1 = &pts[j];
      const float dlx0 = p0->dy, dly0 = -p0->dx;
      const float dlx1 = p1->dy, dly1 = -p1->dx;

      // Extrusion: the mean of the two left normals, lengthened to reach the offset lines.
      p1->dmx = (dlx0 + dlx1) * 0.5f;
      p1->dmy = (dly0 + dly1) * 0.5f;
      const float dmr2 = p1->dmx * p1->dmx + p1->dmy * p1->dmy;
      if (dmr2 > 0.000001f) {
        const float scale = std::min(1.0f / dmr2, 600.0f);
        p1->dmx *= scale;
        p1->dmy *= scale;
      }

      p1->flags = (p1->flags & VG_PT_CORNER) ? VG_PT_CORNER : 0;
      if (vgCross(p0->dx, p0->dy, p1->dx, p1->dy) > 0.0f) {
        nleft++;
        p1->flags |= VG_PT_LEFT;
      }

      // Segments too short for the extrusion get an inner bevel.
      const float limit = std::max(1.01f, std::min(p0->len, p1->len) * iw);
      if (dmr2 * limit * limit < 1.0f) p1->flags |= VG_PT_INNERBEVEL;

      if (p1->flags & VG_PT_CORNER) {
        if (dmr2 * miterLimit * miterLimit < 1.0f || lineJoin == VG_BEVEL || lineJoin == VG_ROUND)
          p1->flags |= VG_PT_BEVEL;
      }
      if (p1->flags & (VG_PT_BEVEL | VG_PT_INNERBEVEL)) path->nbevel++;
    }
    path->convex = nleft == path->count ? 1 : 0;
  }
}

VGvertex* vgBevelJoin(VGvertex* dst, const VGpoint* p0, const VGpoint* p1, float lw, float rw, float lu,
                      float ru)
{
  const float dlx0 = p0->dy, dly0 = -p0->dx;
  const float dlx1 = p1->dy, dly1 = -p1->dx;
  const bool inner = (p1->flags & VG_PT_INNERBEVEL) != 0;

  if (p1->flags & VG_PT_LEFT) {
    float lx0, ly0, lx1, ly1;
    ChooseBevel(inner, p0, p1, lw, &lx0, &ly0, &lx1, &ly1);
    dst = vgVset(dst, lx0, ly0, lu, 1);
    dst = vgVset(dst, p1->x - dlx0 * rw, p1->y - dly0 * rw, ru, 1);
    if (p1->flags & VG_PT_BEVEL) {
      dst = vgVset(dst, lx0, ly0, lu, 1);
      dst = vgVset(dst, p1->x - dlx0 * rw, p1->y - dly0 * rw, ru, 1);
      dst = vgVset(dst, lx1, ly1, lu, 1);
      dst = vgVset(dst, p1->x - dlx1 * rw, p1->y - dly1 * rw, ru, 1);
    } else {
      const float rx0 = p1->x - p1->dmx * rw, ry0 = p1->y - p1->dmy * rw;
      dst = vgVset(dst, p1->x, p1->y, 0.5f, 1);
      dst = vgVset(dst, p1->x - dlx0 * rw, p1->y - dly0 * rw, ru, 1);
      dst = vgVset(dst, rx0, ry0, ru, 1);
      dst = vgVset(dst, rx0, ry0, ru, 1);
      dst = vgVset(dst, p1->x, p1->y, 0.5f, 1);
      dst = vgVset(dst, p1->x - dlx1 * rw, p1->y - dly1 * rw, ru, 1);
    }
    dst = vgVset(dst, lx1, ly1, lu, 1);
    dst = vgVset(dst, p1->x - dlx1 * rw, p1->y - dly1 * rw, ru, 1);
  } else {
    float rx0, ry0, rx1, ry1;
    ChooseBevel(inner, p0, p1, -rw, &rx0, &ry0, &rx1, &ry1);
    dst = vgVset(dst, p1->x + dlx0 * lw, p1->y + dly0 * lw, lu, 1);
    dst = vgVset(dst, rx0, ry0, ru, 1);
    if (p1->flags & VG_PT_BEVEL) {
      dst = vgVset(dst, p1->x + dlx0 * lw, p1->y + dly0 * lw, lu, 1);
      dst = vgVset(dst, rx0, ry0, ru, 1);
      dst = vgVset(dst, p1->x + dlx1 * lw, p1->y + dly1 * lw, lu, 1);
      dst = vgVset(dst, rx1, ry1, ru, 1);
    } else {
      const float lx0 = p1->x + p1->dmx * lw, ly0 = p1->y + p1->dmy * lw;
      dst = vgVset(dst, p1->x + dlx0 * lw, p1->y + dly0 * lw, lu, 1);
      dst = vgVset(dst, p1->x, p1->y, 0.5f, 1);
      dst = vgVset(dst, lx0, ly0, lu, 1);
      dst = vgVset(dst, lx0, ly0, lu, 1);
      dst = vgVset(dst, p1->x + dlx1 * lw, p1->y + dly1 * lw, lu, 1);
      dst = vgVset(dst, p1->x, p1->y, 0.5f, 1);
    }
    dst = vgVset(dst, p1->x + dlx1 * lw, p1->y + dly1 * lw, lu, 1);
    dst = vgVset(dst, rx1, ry1, ru, 1);
  }
  return dst;
}

VGvertex* vgRoundJoin(VGvertex* dst, const VGpoint* p0, const VGpoint* p1, float lw, float rw, float lu,
                      float ru, int ncap)
{
  const float dlx0 = p0->dy, dly0 = -p0->dx;
  const float dlx1 = p1->dy, dly1 = -p1->dx;
  const bool inner = (p1->flags & VG_PT_INNERBEVEL) != 0;

  if (p1->flags & VG_PT_LEFT) {
    float lx0, ly0, lx1, ly1;
    ChooseBevel(inner, p0, p1, lw, &lx0, &ly0, &lx1, &ly1);
    const float a0 = std::atan2(-dly0, -dlx0);
    float a1 = std::atan2(-dly1, -dlx1);
    if (a1 > a0) a1 -= kVGPi * 2;

    dst = vgVset(dst, lx0, ly0, lu, 1);
    dst = vgVset(dst, p1->x - dlx0 * rw, p1->y - dly0 * rw, ru, 1);
    const int n = JoinSteps(a0 - a1, ncap);
    for (int i = 0; i < n; ++i) {
      const float u = (float)i / (float)(n - 1);
      const float a = a0 + u * (a1 - a0);
      const float rx = p1->x + std::cos(a) * rw;
      const float ry = p1->y + std::sin(a) * rw;
      dst = vgVset(dst, p1->x, p1->y, 0.5f, 1);
      dst = vgVset(dst, rx, ry, ru, 1);
    }
    dst = vgVset(dst, lx1, ly1, lu, 1);
    dst = vgVset(dst, p1->x - dlx1 * rw, p1->y - dly1 * rw, ru, 1);
  } else {
    float rx0, ry0, rx1, ry1;
    ChooseBevel(inner, p0, p1, -rw, &rx0, &ry0, &rx1, &ry1);
    const float a0 = std::atan2(dly0, dlx0);
    float a1 = std::atan2(dly1, dlx1);
    if (a1 < a0) a1 += kVGPi * 2;

    dst = vgVset(dst, p1->x + dlx0 * rw, p1->y + dly0 * rw, lu, 1);
    dst = vgVset(dst, rx0, ry0, ru, 1);
    const int n = JoinSteps(a1 - a0, ncap);
    for (int i = 0; i < n; ++i) {
      const float u = (float)i / (float)(n - 1);
      const float a = a0 + u * (a1 - a0);
      const float lx = p1->x + std::cos(a) * lw;
      const float ly = p1->y + std::sin(a) * lw;
      dst = vgVset(dst, lx, ly, lu, 1);
      dst = vgVset(dst, p1->x, p1->y, 0.5f, 1);
    }
    dst = vgVset(dst, p1->x + dlx1 * rw, p1->y + dly1 * rw, lu, 1);
    dst = vgVset(dst, rx1, ry1, ru, 1);
  }
  return dst;
}

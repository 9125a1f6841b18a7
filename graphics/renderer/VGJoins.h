#pragma once

#include "graphics/renderer/VGPathCache.h"

struct VGcontext;

// Joins between flattened segments: flags and extrusions per point, and the vertices of bevel
// and round joins. Vertices are written at dst; each emitter returns the position after them.

// Extrusion (dm), turn and bevel flags of every point of every path, for half-width w; counts
// each path's bevels and decides whether it is convex.
void vgCalculateJoins(VGcontext* ctx, float w, int lineJoin, float miterLimit);

// Bevel join at p1 (coming from p0): lw and rw the left and right widths, lu and ru their coverage.
VGvertex* vgBevelJoin(VGvertex* dst, const VGpoint* p0, const VGpoint* p1, float lw, float rw, float lu,
                      float ru);
// Round join at p1 in at most ncap steps per half turn.
VGvertex* vgRoundJoin(VGvertex* dst, const VGpoint* p0, const VGpoint* p1, float lw, float rw, float lu,
                      float ru, int ncap);

// Sets one vertex and returns the next slot.
inline VGvertex* vgVset(VGvertex* v, float x, float y, float u, float t)
{
  v->x = x;
  v->y = y;
  v->u = u;
  v->v = t;
  return v + 1;
}

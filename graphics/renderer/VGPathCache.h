#pragma once

#include "graphics/renderer/VGTypes.h"

struct VGcontext;

// Flags of a flattened point.
enum VGpointFlags {
  VG_PT_CORNER = 0x01,
  VG_PT_LEFT = 0x02,
  VG_PT_BEVEL = 0x04,
  VG_PT_INNERBEVEL = 0x08,
};

// One flattened point with its outgoing direction (dx, dy), segment length and join extrusion.
struct VGpoint
{
  float x, y;
  float dx, dy;
  float len;
  float dmx, dmy;
  unsigned char flags;
};

// The current path turned into points, sub-paths and vertices. Arrays only grow.
struct VGpathCache
{
  VGpoint* points;
  int npoints;
  int cpoints;
  VGpath* paths;
  int npaths;
  int cpaths;
  VGvertex* verts;
  int nverts;
  int cverts;
  float bounds[4]; // min x, min y, max x, max y
};

// New empty cache with its initial capacities; null when out of memory.
VGpathCache* vgAllocPathCache();
// Frees the cache and its arrays; null is ignored.
void vgDeletePathCache(VGpathCache* cache);
// Empties the cache (points and paths), keeping its arrays.
void vgClearPathCache(VGpathCache* cache);

// Turns the command buffer into points and sub-paths with directions and bounds; does nothing
// when the cache already holds paths (a path is flattened once).
void vgFlattenPaths(VGcontext* ctx);
// Vertex storage for at least nverts vertices (grown to a multiple of 256); null when it can't grow.
VGvertex* vgAllocTempVerts(VGcontext* ctx, long long nverts);

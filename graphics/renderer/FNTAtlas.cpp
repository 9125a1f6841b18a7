#include "graphics/renderer/FNTAtlas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

int InsertNode(FNTatlas* atlas, int idx, int x, int y, int w)
{
  if (atlas->nnodes + 1 > atlas->cnodes) {
    const int cnodes = atlas->cnodes == 0 ? 8 : atlas->cnodes * 2;
    void* nodes = std::realloc(atlas->nodes, sizeof(FNTatlasNode) * (size_t)cnodes);
    if (nodes == nullptr) return 0;
    atlas->nodes = static_cast<FNTatlasNode*>(nodes);
    atlas->cnodes = cnodes;
  }
  std::memmove(&atlas->nodes[idx + 1], &atlas->nodes[idx],
               sizeof(FNTatlasNode) * (size_t)(atlas->nnodes - idx));
  atlas->nodes[idx] = FNTatlasNode{(short)x, (short)y, (short)w};
  atlas->nnodes++;
  return 1;
}

void RemoveNode(FNTatlas* atlas, int idx)
{
  std::memmove(&atlas->nodes[idx], &atlas->nodes[idx + 1],
               sizeof(FNTatlasNode) * (size_t)(atlas->nnodes - idx - 1));
  atlas->nnodes--;
}

// Top row at which a w x h rectangle can sit starting on node i, or -1.
int RectFits(const FNTatlas* atlas, int i, int w, int h)
{
  const int x = atlas->nodes[i].x;
  int y = atlas->nodes[i].y;
  if (x + w > atlas->width) return -1;
  int spaceLeft = w;
  while (spaceLeft > 0) {
    if (i == atlas->nnodes) return -1;
    y = std::max(y, (int)atlas->nodes[i].y);
    if (y + h > atlas->height) return -1;
    spaceLeft -= atlas->nodes[i].width;
    ++i;
  }
  return y;
}

int AddSkylineLevel(FNTatlas* atlas, int idx, int x, int y, int w, int h)
{
  if (!InsertNode(atlas, idx, x, y + h, w)) return 0;

  // The new segment shadows the ones it covers.
  for (int i = idx + 1; i < atlas->nnodes; ++i) {
    const FNTatlasNode& left = atlas->nodes[i - 1];
    FNTatlasNode& node = atlas->nodes[i];
    if (node.x >= left.x + left.width) break;
    const int shrink = left.x + left.width - node.x;
    node.x = (short)(node.x + shrink);
    node.width = (short)(node.width - shrink);
    if (node.width > 0) break;
    RemoveNode(atlas, i);
    --i;
  }

  // Neighbours at the same height become one segment.
  for (int i = 0; i < atlas->nnodes - 1; ++i) {
    if (atlas->nodes[i].y == atlas->nodes[i + 1].y) {
      atlas->nodes[i].width = (short)(atlas->nodes[i].width + atlas->nodes[i + 1].width);
      RemoveNode(atlas, i + 1);
      --i;
    }
  }
  return 1;
}

} // namespace

FNTatlas* fntAllocAtlas(int w, int h, int nnodes)
{
  FNTatlas* atlas = static_cast<FNTatlas*>(std::calloc(1, sizeof(FNTatlas)));
  if (atlas == nullptr) return nullptr;
  atlas->width = w;
  atlas->height = h;
  atlas->nodes = static_cast<FNTatlasNode*>(std::calloc((size_t)nnodes, sizeof(FNTatlasNode)));
  if (atlas->nodes == nullptr) {
    std::free(atlas);
    return nullptr;
  }
  atlas->cnodes = nnodes;
  atlas->nodes[0] = FNTatlasNode{0, 0, (short)w};
  atlas->nnodes = 1;
  return atlas;
}

void fntDeleteAtlas(FNTatlas* atlas)
{
  if (atlas == nullptr) return;
  std::free(atlas->nodes);
  std::free(atlas);
}

void fntAtlasReset(FNTatlas* atlas, int w, int h)
{
  atlas->width = w;
  atlas->height = h;
  atlas->nnodes = 0;
  InsertNode(atlas, 0, 0, 0, w); // cannot fail: the array holds at least one node
}

int fntAtlasAddSkylineNode(FNTatlas* atlas, int x, int y, int w)
{
  return InsertNode(atlas, atlas->nnodes, x, y, w);
}

int fntAtlasAddRect(FNTatlas* atlas, int rw, int rh, int* rx, int* ry)
{
  if (rw <= 0 || rh <= 0) return 0;
  int besth = atlas->height, bestw = atlas->width, besti = -1;
  int bestx = -1, besty = -1;

  // Lowest bottom wins; on a tie, the narrower node.
  for (int i = 0; i < atlas->nnodes; ++i) {
    const int y = RectFits(atlas, i, rw, rh);
    if (y == -1) continue;
    if (y + rh < besth || (y + rh == besth && atlas->nodes[i].width < bestw)) {
      besti = i;
      bestw = atlas->nodes[i].width;
      besth = y + rh;
      bestx = atlas->nodes[i].x;
      besty = y;
    }
  }
  if (besti == -1) return 0;
  if (!AddSkylineLevel(atlas, besti, bestx, besty, rw, rh)) return 0;
  *rx = bestx;
  *ry = besty;
  return 1;
}

#pragma once

#include "graphics/renderer/FNTTypes.h"

// Skyline packer of the font atlas: rectangles are placed on the lowest free row segments.

// New atlas of w x h with one full-width node; null when out of memory.
FNTatlas* fntAllocAtlas(int w, int h, int nnodes);
// Frees the atlas; null is ignored.
void fntDeleteAtlas(FNTatlas* atlas);
// Back to one node {0, 0, w} and size w x h.
void fntAtlasReset(FNTatlas* atlas, int w, int h);
// Appends node {x, y, w} when the atlas grows wider; returns 0 when the node array can't grow.
int fntAtlasAddSkylineNode(FNTatlas* atlas, int x, int y, int w);
// Places an rw x rh rectangle; returns 1 with its position, or 0 when it doesn't fit.
int fntAtlasAddRect(FNTatlas* atlas, int rw, int rh, int* rx, int* ry);

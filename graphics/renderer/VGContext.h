#pragma once

#include "graphics/renderer/VGPathCache.h"
#include "graphics/renderer/VGState.h"
#include "graphics/renderer/VGTypes.h"

struct FNTcontext;

constexpr int kVGMaxFontImages = 4;

// One vector graphics context: the backend block, the current path's command buffer, the state
// stack, the path cache, tolerances of the frame, the font atlas and its backend images.
// Not thread-safe: created, used and deleted on one (the UI) thread.
struct VGcontext
{
  VGparams params;
  float* commands;
  int ccommands;
  int ncommands;
  float commandx, commandy; // last pen position, untransformed
  VGstate states[kVGMaxStates];
  int nstates;
  VGpathCache* cache;
  float tessTol;
  float distTol;
  float fringeWidth;
  float devicePxRatio;
  FNTcontext* fs;
  int fontImages[kVGMaxFontImages];
  int fontImageIdx;
  int drawCallCount;
  int fillTriCount;
  int strokeTriCount;
  int textTriCount;
};

// New context over the backend block (copied); null when the block lacks a required callback
// or anything fails, in which case everything made so far is released (the backend's
// renderDelete included).
VGcontext* vgCreateContext(const VGparams* params);
// Releases the context, its images and the backend; null is ignored.
void vgDeleteContext(VGcontext* ctx);

// Starts a frame of windowWidth x windowHeight units at devicePixelRatio pixels per unit: one
// fresh state, tolerances for that ratio, statistics zeroed. Non-finite or negative sizes are
// sent as 0; a ratio that is not finite and positive counts as 1, and it is kept within
// [1/100, 100].
void vgBeginFrame(VGcontext* ctx, float windowWidth, float windowHeight, float devicePixelRatio);
// Drops the frame's queued calls.
void vgCancelFrame(VGcontext* ctx);
// Executes the frame's queued calls, then brings the font image in use back to slot 0.
void vgEndFrame(VGcontext* ctx);

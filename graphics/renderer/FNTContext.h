#pragma once

#include "graphics/renderer/FNTTypes.h"

// Life cycle, atlas pixels and state stack of a font atlas context. Not thread-safe: one
// context is used on one thread.

// New atlas context; null (with everything released) when the size is outside
// 1..FNT_MAX_ATLAS_SIDE, a callback refuses or memory runs out.
FNTcontext* fntCreateInternal(const FNTparams* params);
// Releases the context and its fonts; null is ignored.
void fntDeleteInternal(FNTcontext* ctx);
// Sets the callback that hears of full atlas, full scratch buffer and state stack misuse.
void fntSetErrorCallback(FNTcontext* ctx, void (*callback)(void* uptr, int error, int val), void* uptr);

// The atlas pixels (width x height bytes, row-major) and their size.
const unsigned char* fntGetTextureData(FNTcontext* ctx, int* width, int* height);
// When the dirty rectangle is not empty: copies it out (x0, y0, x1, y1), marks clean, returns 1.
int fntValidateTexture(FNTcontext* ctx, int* dirty);
// The atlas size.
void fntGetAtlasSize(FNTcontext* ctx, int* width, int* height);
// Widens the dirty rectangle to cover [x0, x1) x [y0, y1).
void fntMarkDirty(FNTcontext* ctx, int x0, int y0, int x1, int y1);
// Empties the dirty rectangle.
void fntMarkClean(FNTcontext* ctx);
// Places a w x h block of full coverage (the texel solid quads sample) and marks it dirty.
void fntAddWhiteRect(FNTcontext* ctx, int w, int h);
// Uploads the dirty rectangle (renderUpdate) and draws the pending vertices (renderDraw).
void fntFlush(FNTcontext* ctx);

// State stack (at most FNT_MAX_STATES): misuse is reported to the error callback and ignored.
void fntPushState(FNTcontext* ctx);
void fntPopState(FNTcontext* ctx);
void fntClearState(FNTcontext* ctx);
FNTstate* fntGetState(FNTcontext* ctx);
// Setters on the top state; non-finite sizes, spacings and blurs are ignored.
void fntSetSize(FNTcontext* ctx, float size);
void fntSetColor(FNTcontext* ctx, unsigned int color);
void fntSetSpacing(FNTcontext* ctx, float spacing);
void fntSetBlur(FNTcontext* ctx, float blur);
void fntSetAlign(FNTcontext* ctx, int align);
void fntSetFont(FNTcontext* ctx, int font);

#pragma once

#include "graphics/renderer/VGComposite.h"
#include "graphics/renderer/VGTypes.h"

struct VGcontext;

// Drawing state of the vector core: a stack of 32 states per context; every drawing call reads
// the top one. All functions take the context first and are called on the context's thread.

// Line caps and joins.
enum VGlineCap {
  VG_BUTT = 0,
  VG_ROUND = 1,
  VG_SQUARE = 2,
  VG_BEVEL = 3,
  VG_MITER = 4,
};

// Sub-path winding: a solid shape or a hole.
enum VGwinding {
  VG_CCW = 1,
  VG_CW = 2,
};
enum VGsolidity {
  VG_SOLID = 1,
  VG_HOLE = 2,
};

// Text alignment bits (shared with the font atlas).
enum VGalign {
  VG_ALIGN_LEFT = 1 << 0,
  VG_ALIGN_CENTER = 1 << 1,
  VG_ALIGN_RIGHT = 1 << 2,
  VG_ALIGN_TOP = 1 << 3,
  VG_ALIGN_MIDDLE = 1 << 4,
  VG_ALIGN_BOTTOM = 1 << 5,
  VG_ALIGN_BASELINE = 1 << 6,
};

constexpr int kVGMaxStates = 32;

struct VGstate
{
  VGcompositeOperationState compositeOperation;
  int shapeAntiAlias;
  VGpaint fill;
  VGpaint stroke;
  float strokeWidth;
  float miterLimit;
  int lineJoin;
  int lineCap;
  float alpha;
  float xform[6];
  VGscissor scissor;
  float fontSize;
  float letterSpacing;
  float lineHeight;
  float fontBlur;
  int textAlign;
  int fontId;
};

// The state in force (top of the stack).
VGstate* vgCurrentState(VGcontext* ctx);

// Pushes a copy of the current state; ignored when 32 states are in use.
void vgSave(VGcontext* ctx);
// Pops the current state; ignored when only one is left.
void vgRestore(VGcontext* ctx);
// Resets the current state to the defaults.
void vgReset(VGcontext* ctx);

// Setters on the current state; non-finite numbers are ignored (the state keeps its value).
void vgShapeAntiAlias(VGcontext* ctx, int enabled);
void vgStrokeWidth(VGcontext* ctx, float width);
void vgMiterLimit(VGcontext* ctx, float limit);
void vgLineCap(VGcontext* ctx, int cap);
void vgLineJoin(VGcontext* ctx, int join);
void vgGlobalAlpha(VGcontext* ctx, float alpha);
// Solid stroke and fill colours.
void vgStrokeColor(VGcontext* ctx, VGcolor color);
void vgFillColor(VGcontext* ctx, VGcolor color);
// Paints follow the transform in force when they are set.
void vgStrokePaint(VGcontext* ctx, VGpaint paint);
void vgFillPaint(VGcontext* ctx, VGpaint paint);

// Transform of the current state: each premultiplies the state matrix, so it applies to what
// is drawn before the transforms already in force. A call whose result is not finite is ignored.
void vgTransform(VGcontext* ctx, float a, float b, float c, float d, float e, float f);
void vgResetTransform(VGcontext* ctx);
void vgTranslate(VGcontext* ctx, float x, float y);
void vgRotate(VGcontext* ctx, float angle);
void vgSkewX(VGcontext* ctx, float angle);
void vgSkewY(VGcontext* ctx, float angle);
void vgScale(VGcontext* ctx, float x, float y);
// Copies the current matrix out; a null destination is ignored.
void vgCurrentTransform(VGcontext* ctx, float* xform);

// Scissor in current user units; non-finite arguments are ignored.
void vgScissor(VGcontext* ctx, float x, float y, float w, float h);
void vgIntersectScissor(VGcontext* ctx, float x, float y, float w, float h);
void vgResetScissor(VGcontext* ctx);

// Composite operation of the current state: one of VGcompositeOperation, or blend factors.
void vgCompositeOperation(VGcontext* ctx, int op);
void vgCompositeBlendFunc(VGcontext* ctx, int sfactor, int dfactor);
void vgCompositeBlendFuncSeparate(VGcontext* ctx, int srcRGB, int dstRGB, int srcAlpha, int dstAlpha);

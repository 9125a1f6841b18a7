#pragma once

struct VGcontext;

// Path building: commands are appended to the context's command buffer, their points already
// taken through the current transform. A command with a non-finite number, or a point whose
// transformed coordinate lies beyond kVGMaxCoordinate, is dropped whole (a shape or an arc is
// one command here). Called on the context's thread.

// Coordinates beyond this magnitude (in frame units) are refused: squared distances between
// such points would overflow single precision.
constexpr float kVGMaxCoordinate = 1e18f;

// Command codes in the buffer.
enum VGcommand {
  VG_MOVETO = 0,
  VG_LINETO = 1,
  VG_BEZIERTO = 2,
  VG_CLOSE = 3,
  VG_WINDING = 4,
};

// Clears the command buffer and the path cache.
void vgBeginPath(VGcontext* ctx);
void vgMoveTo(VGcontext* ctx, float x, float y);
void vgLineTo(VGcontext* ctx, float x, float y);
void vgBezierTo(VGcontext* ctx, float c1x, float c1y, float c2x, float c2y, float x, float y);
// Quadratic from the pen position, appended as a cubic.
void vgQuadTo(VGcontext* ctx, float cx, float cy, float x, float y);
// Arc around (cx, cy) from angle a0 to a1 (radians) in direction dir (VG_CW or VG_CCW).
void vgArc(VGcontext* ctx, float cx, float cy, float r, float a0, float a1, int dir);
// Arc of the given radius tangent to pen-(x1, y1) and (x1, y1)-(x2, y2).
void vgArcTo(VGcontext* ctx, float x1, float y1, float x2, float y2, float radius);
void vgClosePath(VGcontext* ctx);
// Winding of the current sub-path: VG_CCW (solid) or VG_CW (hole).
void vgPathWinding(VGcontext* ctx, int dir);

void vgRect(VGcontext* ctx, float x, float y, float w, float h);
void vgRoundedRect(VGcontext* ctx, float x, float y, float w, float h, float r);
// Negative radii count as 0.
void vgRoundedRectVarying(VGcontext* ctx, float x, float y, float w, float h, float radTopLeft,
                          float radTopRight, float radBottomRight, float radBottomLeft);
void vgEllipse(VGcontext* ctx, float cx, float cy, float rx, float ry);
void vgCircle(VGcontext* ctx, float cx, float cy, float r);

#include "graphics/renderer/VGPath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGGeometry.h"
#include "graphics/renderer/VGMath.h"

namespace {

constexpr float kKappa90 = 0.5522848f; // control arm of a quarter circle, per unit radius
constexpr float kOneMinusKappa90 = 0.44771522f;

bool Usable(float v)
{
  return std::isfinite(v) && std::fabs(v) <= kVGMaxCoordinate;
}

int OperandCount(int cmd)
{
  switch (cmd) {
  case VG_MOVETO:
  case VG_LINETO:
    return 2;
  case VG_BEZIERTO:
    return 6;
  case VG_WINDING:
    return 1;
  default:
    return 0;
  }
}

// Transforms the points of vals (a sequence of whole commands) in place; false when a number is
// unusable, in which case the sequence must be dropped.
bool TransformCommands(const VGstate* state, float* vals, int nvals)
{
  int i = 0;
  while (i < nvals) {
    const int cmd = (int)vals[i];
    const int nops = OperandCount(cmd);
    if (cmd == VG_WINDING) {
      i += 1 + nops;
      continue;
    }
    for (int k = 0; k < nops; k += 2) {
      float* p = &vals[i + 1 + k];
      if (!std::isfinite(p[0]) || !std::isfinite(p[1])) return false;
      vgTransformPoint(&p[0], &p[1], state->xform, p[0], p[1]);
      if (!Usable(p[0]) || !Usable(p[1])) return false;
    }
    i += 1 + nops;
  }
  return true;
}

// Appends whole commands. The pen position becomes the untransformed last point of the last
// command that has one (close and winding leave it).
void AppendCommands(VGcontext* ctx, float* vals, int nvals)
{
  float penx = ctx->commandx, peny = ctx->commandy;
  for (int i = 0; i < nvals;) {
    const int cmd = (int)vals[i];
    const int nops = OperandCount(cmd);
    if (cmd != VG_CLOSE && cmd != VG_WINDING) {
      penx = vals[i + nops - 1];
      peny = vals[i + nops];
    }
    i += 1 + nops;
  }
  if (!TransformCommands(vgCurrentState(ctx), vals, nvals)) return;

  if (ctx->ncommands + nvals > ctx->ccommands) {
    const long long ccommands = (long long)ctx->ncommands + nvals + ctx->ccommands / 2;
    if (ccommands > 0x7fffffff / (long long)sizeof(float)) return;
    void* commands = std::realloc(ctx->commands, sizeof(float) * (size_t)ccommands);
    if (commands == nullptr) return;
    ctx->commands = static_cast<float*>(commands);
    ctx->ccommands = (int)ccommands;
  }
  std::memcpy(&ctx->commands[ctx->ncommands], vals, (size_t)nvals * sizeof(float));
  ctx->ncommands += nvals;
  ctx->commandx = penx;
  ctx->commandy = peny;
}

float Sign(float a)
{
  return a >= 0.0f ? 1.0f : -1.0f;
}

// Squared distance from (x, y) to the segment p-q.
float DistPtSeg(float x, float y, float px, float py, float qx, float qy)
{
  const float pqx = qx - px, pqy = qy - py;
  float dx = x - px, dy = y - py;
  const float d = pqx * pqx + pqy * pqy;
  float t = pqx * dx + pqy * dy;
  if (d > 0) t /= d;
  t = std::clamp(t, 0.0f, 1.0f);
  dx = px + t * pqx - x;
  dy = py + t * pqy - y;
  return dx * dx + dy * dy;
}

} // namespace

void vgBeginPath(VGcontext* ctx)
{
  ctx->ncommands = 0;
  vgClearPathCache(ctx->cache);
}

void vgMoveTo(VGcontext* ctx, float x, float y)
{
  float vals[] = {VG_MOVETO, x, y};
  AppendCommands(ctx, vals, 3);
}

void vgLineTo(VGcontext* ctx, float x, float y)
{
  float vals[] = {VG_LINETO, x, y};
  AppendCommands(ctx, vals, 3);
}

void vgBezierTo(VGcontext* ctx, float c1x, float c1y, float c2x, float c2y, float x, float y)
{
  float vals[] = {VG_BEZIERTO, c1x, c1y, c2x, c2y, x, y};
  AppendCommands(ctx, vals, 7);
}

void vgQuadTo(VGcontext* ctx, float cx, float cy, float x, float y)
{
  const float x0 = ctx->commandx, y0 = ctx->commandy;
  float vals[] = {VG_BEZIERTO,
                  x0 + 2.0f / 3.0f * (cx - x0),
                  y0 + 2.0f / 3.0f * (cy - y0),
                  x + 2.0f / 3.0f * (cx - x),
                  y + 2.0f / 3.0f * (cy - y),
                  x,
                  y};
  AppendCommands(ctx, vals, 7);
}

void vgArc(VGcontext* ctx, float cx, float cy, float r, float a0, float a1, int dir)
{
  if (!std::isfinite(a0) || !std::isfinite(a1) || !std::isfinite(r)) return;
  const int move = ctx->ncommands > 0 ? VG_LINETO : VG_MOVETO;

  // Sweep, normalised to the direction.
  float da = a1 - a0;
  if (!std::isfinite(da)) return;
  if (dir == VG_CW) {
    if (std::fabs(da) >= kVGPi * 2) {
      da = kVGPi * 2;
    } else {
      while (da < 0.0f)
        da += kVGPi * 2;
    }
  } else {
    if (std::fabs(da) >= kVGPi * 2) {
      da = -kVGPi * 2;
    } else {
      while (da > 0.0f)
        da -= kVGPi * 2;
    }
  }

  // At most five cubic segments, each under a quarter turn.
  const int ndivs = std::clamp((int)(std::fabs(da) / (kVGPi * 0.5f) + 0.5f), 1, 5);
  const float hda = (da / (float)ndivs) / 2.0f;
  float kappa = std::fabs(4.0f / 3.0f * (1.0f - std::cos(hda)) / std::sin(hda));
  if (!std::isfinite(kappa)) kappa = 0.0f; // no sweep: the arc is its start point
  if (dir == VG_CCW) kappa = -kappa;

  float vals[3 + 5 * 7];
  int nvals = 0;
  float px = 0, py = 0, ptanx = 0, ptany = 0;
  for (int i = 0; i <= ndivs; ++i) {
    const float a = a0 + da * ((float)i / (float)ndivs);
    const float dx = std::cos(a), dy = std::sin(a);
    const float x = cx + dx * r, y = cy + dy * r;
    const float tanx = -dy * r * kappa, tany = dx * r * kappa;
    if (i == 0) {
      vals[nvals++] = (float)move;
      vals[nvals++] = x;
      vals[nvals++] = y;
    } else {
      vals[nvals++] = VG_BEZIERTO;
      vals[nvals++] = px + ptanx;
      vals[nvals++] = py + ptany;
      vals[nvals++] = x - tanx;
      vals[nvals++] = y - tany;
      vals[nvals++] = x;
      vals[nvals++] = y;
    }
    px = x;
    py = y;
    ptanx = tanx;
    ptany = tany;
  }
  AppendCommands(ctx, vals, nvals);
}

void vgArcTo(VGcontext* ctx, float x1, float y1, float x2, float y2, float radius)
{
  if (ctx->ncommands == 0) return;
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) ||
      !std::isfinite(radius))
    return;
  const float x0 = ctx->commandx, y0 = ctx->commandy;

  // Degenerate corners and tiny radii are a straight line.
  if (vgPtEquals(x0, y0, x1, y1, ctx->distTol) || vgPtEquals(x1, y1, x2, y2, ctx->distTol) ||
      DistPtSeg(x1, y1, x0, y0, x2, y2) < ctx->distTol * ctx->distTol || radius < ctx->distTol) {
    vgLineTo(ctx, x1, y1);
    return;
  }

  float dx0 = x0 - x1, dy0 = y0 - y1;
  float dx1 = x2 - x1, dy1 = y2 - y1;
  vgNormalize(&dx0, &dy0);
  vgNormalize(&dx1, &dy1);
  const float a = std::acos(std::clamp(dx0 * dx1 + dy0 * dy1, -1.0f, 1.0f));
  const float d = radius / std::tan(a / 2.0f);
  if (!(d <= 10000.0f)) {
    vgLineTo(ctx, x1, y1);
    return;
  }

  float cx, cy, a0, a1;
  int dir;
  if (vgCross(dx0, dy0, dx1, dy1) > 0.0f) {
    cx = x1 + dx0 * d + dy0 * radius;
    cy = y1 + dy0 * d + -dx0 * radius;
    a0 = std::atan2(dx0, -dy0);
    a1 = std::atan2(-dx1, dy1);
    dir = VG_CW;
  } else {
    cx = x1 + dx0 * d + -dy0 * radius;
    cy = y1 + dy0 * d + dx0 * radius;
    a0 = std::atan2(-dx0, dy0);
    a1 = std::atan2(dx1, -dy1);
    dir = VG_CCW;
  }
  vgArc(ctx, cx, cy, radius, a0, a1, dir);
}

void vgClosePath(VGcontext* ctx)
{
  float vals[] = {VG_CLOSE};
  AppendCommands(ctx, vals, 1);
}

void vgPathWinding(VGcontext* ctx, int dir)
{
  float vals[] = {VG_WINDING, (float)dir};
  AppendCommands(ctx, vals, 2);
}

void vgRect(VGcontext* ctx, float x, float y, float w, float h)
{
  float vals[] = {VG_MOVETO, x,     y,         VG_LINETO, x, y + h,   VG_LINETO,
                  x + w,     y + h, VG_LINETO, x + w,     y, VG_CLOSE};
  AppendCommands(ctx, vals, (int)(sizeof(vals) / sizeof(vals[0])));
}

void vgRoundedRect(VGcontext* ctx, float x, float y, float w, float h, float r)
{
  vgRoundedRectVarying(ctx, x, y, w, h, r, r, r, r);
}

void vgRoundedRectVarying(VGcontext* ctx, float x, float y, float w, float h, float radTopLeft,
                          float radTopRight, float radBottomRight, float radBottomLeft)
{
  if (!std::isfinite(radTopLeft) || !std::isfinite(radTopRight) || !std::isfinite(radBottomRight) ||
      !std::isfinite(radBottomLeft))
    return;
  // A negative radius would turn its corner inside out.
  radTopLeft = std::max(radTopLeft, 0.0f);
  radTopRight = std::max(radTopRight, 0.0f);
  radBottomRight = std::max(radBottomRight, 0.0f);
  radBottomLeft = std::max(radBottomLeft, 0.0f);
  if (radTopLeft < 0.1f && radTopRight < 0.1f && radBottomRight < 0.1f && radBottomLeft < 0.1f) {
    vgRect(ctx, x, y, w, h);
    return;
  }
  const float halfw = std::fabs(w) * 0.5f;
  const float halfh = std::fabs(h) * 0.5f;
  const float rxBL = std::min(radBottomLeft, halfw) * Sign(w),
              ryBL = std::min(radBottomLeft, halfh) * Sign(h);
  const float rxBR = std::min(radBottomRight, halfw) * Sign(w),
              ryBR = std::min(radBottomRight, halfh) * Sign(h);
  const float rxTR = std::min(radTopRight, halfw) * Sign(w), ryTR = std::min(radTopRight, halfh) * Sign(h);
  const float rxTL = std::min(radTopLeft, halfw) * Sign(w), ryTL = std::min(radTopLeft, halfh) * Sign(h);
  const float k = kOneMinusKappa90;
  float vals[] = {VG_MOVETO,
                  x,
                  y + ryTL,
                  VG_LINETO,
                  x,
                  y + h - ryBL,
                  VG_BEZIERTO,
                  x,
                  y + h - ryBL * k,
                  x + rxBL * k,
                  y + h,
                  x + rxBL,
                  y + h,
                  VG_LINETO,
                  x + w - rxBR,
                  y + h,
                  VG_BEZIERTO,
                  x + w - rxBR * k,
                  y + h,
                  x + w,
                  y + h - ryBR * k,
                  x + w,
                  y + h - ryBR,
                  VG_LINETO,
                  x + w,
                  y + ryTR,
                  VG_BEZIERTO,
                  x + w,
                  y + ryTR * k,
                  x + w - rxTR * k,
                  y,
                  x + w - rxTR,
                  y,
                  VG_LINETO,
                  x + rxTL,
                  y,
                  VG_BEZIERTO,
                  x + rxTL * k,
                  y,
                  x,
                  y + ryTL * k,
                  x,
                  y + ryTL,
                  VG_CLOSE};
  AppendCommands(ctx, vals, (int)(sizeof(vals) / sizeof(vals[0])));
}

void vgEllipse(VGcontext* ctx, float cx, float cy, float rx, float ry)
{
  const float K = kKappa90;
  float vals[] = {VG_MOVETO,   cx - rx, cy,      VG_BEZIERTO, cx - rx,     cy + ry * K, cx - rx * K,
                  cy + ry,     cx,      cy + ry, VG_BEZIERTO, cx + rx * K, cy + ry,     cx + rx,
                  cy + ry * K, cx + rx, cy,      VG_BEZIERTO, cx + rx,     cy - ry * K, cx + rx * K,
                  cy - ry,     cx,      cy - ry, VG_BEZIERTO, cx - rx * K, cy - ry,     cx - rx,
                  cy - ry * K, cx - rx, cy,      VG_CLOSE};
  AppendCommands(ctx, vals, (int)(sizeof(vals) / sizeof(vals[0])));
}

void vgCircle(VGcontext* ctx, float cx, float cy, float r)
{
  vgEllipse(ctx, cx, cy, r, r);
}

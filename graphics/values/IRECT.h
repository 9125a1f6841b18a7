#pragma once

#include <algorithm>
#include <cmath>

namespace plugin::ui {

// Rectangle in unscaled UI units: left, top, right, bottom, y growing downwards. The all-zero
// rectangle counts as empty: it contains no point and adds nothing to a union.
struct IRECT
{
  float L = 0.f;
  float T = 0.f;
  float R = 0.f;
  float B = 0.f;

  constexpr IRECT() = default;
  constexpr IRECT(float l, float t, float r, float b) : L(l), T(t), R(r), B(b) {}

  // (x, y, x + w, y + h).
  static constexpr IRECT MakeXYWH(float x, float y, float w, float h) { return {x, y, x + w, y + h}; }
  // A rectangle of size w x h centred on (cx, cy).
  static constexpr IRECT MakeCentred(float cx, float cy, float w, float h)
  {
    return {cx - w / 2.f, cy - h / 2.f, cx + w / 2.f, cy + h / 2.f};
  }

  constexpr bool operator==(const IRECT&) const = default;

  // All four fields exactly 0.
  constexpr bool Empty() const { return L == 0.f && T == 0.f && R == 0.f && B == 0.f; }
  constexpr float W() const { return R - L; }
  constexpr float H() const { return B - T; }
  // Horizontal and vertical centre.
  constexpr float MW() const { return (L + R) / 2.f; }
  constexpr float MH() const { return (T + B) / 2.f; }
  constexpr float Area() const { return W() * H(); }

  // L <= x < R and T <= y < B; false for an empty rectangle (the right and bottom edges are out).
  constexpr bool Contains(float x, float y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }
  // r lies wholly inside (edges may coincide).
  constexpr bool Contains(const IRECT& r) const { return r.L >= L && r.T >= T && r.R <= R && r.B <= B; }
  // The two share a positive area.
  constexpr bool Intersects(const IRECT& r) const { return r.L < R && r.R > L && r.T < B && r.B > T; }
  // The overlap (larger left and top, smaller right and bottom); all zero without one.
  constexpr IRECT Intersect(const IRECT& r) const
  {
    if (!Intersects(r)) return {};
    return {std::max(L, r.L), std::max(T, r.T), std::min(R, r.R), std::min(B, r.B)};
  }
  // Bounding box of both; an empty rectangle adds nothing.
  constexpr IRECT Union(const IRECT& r) const
  {
    if (Empty()) return r;
    if (r.Empty()) return *this;
    return {std::min(L, r.L), std::min(T, r.T), std::max(R, r.R), std::max(B, r.B)};
  }

  // Grown by d on every side (shrunk when d < 0).
  constexpr IRECT GetPadded(float d) const { return {L - d, T - d, R + d, B + d}; }
  // Grown by its own amount on each side.
  constexpr IRECT GetPadded(float l, float t, float r, float b) const { return {L - l, T - t, R + r, B + b}; }
  // Moved by (dx, dy).
  constexpr IRECT GetTranslated(float dx, float dy) const { return {L + dx, T + dy, R + dx, B + dy}; }
  // Same size with its top-left at (x, y).
  constexpr IRECT GetMovedTo(float x, float y) const { return {x, y, x + W(), y + H()}; }
  // Edges on the device pixel grid at scale s: floor(L s)/s, floor(T s)/s, ceil(R s)/s, ceil(B s)/s.
  IRECT GetPixelAligned(float s) const
  {
    return {std::floor(L * s) / s, std::floor(T * s) / s, std::ceil(R * s) / s, std::ceil(B * s) / s};
  }
};

} // namespace plugin::ui

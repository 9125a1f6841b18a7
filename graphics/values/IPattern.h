#pragma once

#include "graphics/values/IColor.h"
#include "graphics/values/IMatrix.h"

namespace plugin::ui {

enum class EPatternType : int { Solid = 0, Linear = 1, Radial = 2 };
// How a gradient continues beyond its first and last stop.
enum class EPatternExtend : int { Pad = 1, Reflect = 2, Repeat = 3 };

// One gradient stop: colour and position 0..1 along the gradient.
struct IColorStop
{
  IColor mColor = COLOR_BLACK;
  float mOffset = 0.f;

  constexpr bool operator==(const IColorStop&) const = default;
};

// Paint of a stroke or fill: a solid colour or a gradient of up to 16 stops placed by a transform.
// Lives on the caller's stack; never allocates.
struct IPattern
{
  static constexpr int kMaxStops = 16;

  EPatternType mType = EPatternType::Solid;
  EPatternExtend mExtend = EPatternExtend::Pad;
  IColorStop mStops[kMaxStops] = {};
  int mNStops = 0;
  IMatrix mTransform;

  constexpr IPattern() = default;
  // A gradient of the given type without stops.
  constexpr explicit IPattern(EPatternType type) : mType(type) {}
  // Solid colour: one stop at offset 0.
  constexpr IPattern(const IColor& color) { AddStop(color, 0.f); }

  // Appends a stop; nothing when 16 are held.
  constexpr void AddStop(const IColor& color, float offset)
  {
    if (mNStops < kMaxStops) mStops[mNStops++] = {color, offset};
  }
  constexpr int NStops() const { return mNStops; }
  // Field-wise, unused stops included.
  constexpr bool operator==(const IPattern&) const = default;
  constexpr const IColorStop& GetStop(int idx) const { return mStops[idx]; }
};

} // namespace plugin::ui

#pragma once

namespace plugin::ui {

// Porter-Duff compositing of what is drawn (source) with what is there (destination).
enum class EBlend : int {
  SourceOver = 0,
  SourceIn = 1,
  SourceOut = 2,
  SourceAtop = 3,
  DestinationOver = 4,
  DestinationIn = 5,
  DestinationOut = 6,
  DestinationAtop = 7,
  Add = 8,
  Xor = 9
};

// Blend method and weight (opacity 0..1) of a drawing operation; a null IBlend* means
// SourceOver at weight 1.
struct IBlend
{
  EBlend mMethod = EBlend::SourceOver;
  float mWeight = 1.f;

  constexpr IBlend() = default;
  constexpr IBlend(EBlend method, float weight) : mMethod(method), mWeight(weight) {}
  constexpr bool operator==(const IBlend&) const = default;
};

inline constexpr IBlend BLEND_75{EBlend::SourceOver, 0.75f};
inline constexpr IBlend BLEND_50{EBlend::SourceOver, 0.5f};
inline constexpr IBlend BLEND_25{EBlend::SourceOver, 0.25f};
inline constexpr IBlend BLEND_10{EBlend::SourceOver, 0.1f};
inline constexpr IBlend BLEND_05{EBlend::SourceOver, 0.05f};
inline constexpr IBlend BLEND_01{EBlend::SourceOver, 0.01f};
inline constexpr IBlend BLEND_DST_IN{EBlend::DestinationIn, 1.f};
inline constexpr IBlend BLEND_DST_OVER{EBlend::DestinationOver, 1.f};

} // namespace plugin::ui

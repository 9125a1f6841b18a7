#pragma once

#include "graphics/values/IText.h"

// The text styles of the compressor's editor: centred in their rectangles, white text-entry fields
// with black text. "Lato" and "Roboto-Regular" are the fonts the layout loads under those names.
namespace plugin::ui::editor_text {

inline constexpr IColor kGrey100{255, 100, 100, 100};
inline constexpr IColor kGrey151{255, 151, 151, 151};
inline constexpr IColor kGrey183{255, 183, 183, 183};
inline constexpr IColor kGrey211{255, 211, 211, 211};

// A centred style of font, size and colour.
constexpr IText Centred(const char* font, float size, const IColor& colour)
{
  return IText(size, colour, font, EAlign::Center, EVAlign::Middle, 0.f, COLOR_WHITE, COLOR_BLACK);
}

// The version line at the bottom.
inline constexpr IText kVersion = Centred("Roboto-Regular", 10.f, kGrey100);
// The two gain-reduction readouts under the meters.
inline constexpr IText kReadout = Centred("Lato", 16.f, kGrey183);
// Value captions under the knobs.
inline constexpr IText kCaption = Centred("Lato", 15.f, kGrey211);
// The side-chain source captions.
inline constexpr IText kInput = Centred("Lato", 13.f, kGrey211);
// Small captions.
inline constexpr IText kSmall = Centred("Lato", 12.f, kGrey183);
// Captions of the global trims.
inline constexpr IText kTrim = Centred("Lato", 14.f, kGrey151);
// The A/B comparison bar's letters and arrows.
inline constexpr IText kComparison = Centred("Lato", 14.f, kGrey183);

} // namespace plugin::ui::editor_text

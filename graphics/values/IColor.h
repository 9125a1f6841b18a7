#pragma once

namespace plugin::ui {

// Colour as four ints 0..255: alpha, red, green, blue. The default is opaque black.
struct IColor
{
  int A = 255;
  int R = 0;
  int G = 0;
  int B = 0;

  constexpr IColor() = default;
  constexpr IColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}

  constexpr bool operator==(const IColor&) const = default;
};

// Named colours, {A, R, G, B}.
inline constexpr IColor COLOR_TRANSPARENT{0, 0, 0, 0};
inline constexpr IColor COLOR_TRANSLUCENT{10, 0, 0, 0};
inline constexpr IColor COLOR_BLACK{255, 0, 0, 0};
inline constexpr IColor COLOR_SEMI_BLACK{128, 0, 0, 0};
inline constexpr IColor COLOR_GRAY{255, 127, 127, 127};
inline constexpr IColor COLOR_LIGHT_GRAY{255, 240, 240, 240};
inline constexpr IColor COLOR_MID_GRAY{255, 200, 200, 200};
inline constexpr IColor COLOR_DARK_GRAY{255, 70, 70, 70};
inline constexpr IColor COLOR_WHITE{255, 255, 255, 255};
inline constexpr IColor COLOR_RED{255, 255, 0, 0};
inline constexpr IColor COLOR_GREEN{255, 0, 255, 0};
inline constexpr IColor COLOR_BLUE{255, 0, 0, 255};
inline constexpr IColor COLOR_YELLOW{255, 255, 255, 0};
inline constexpr IColor COLOR_ORANGE{255, 255, 127, 0};
inline constexpr IColor COLOR_INDIGO{255, 75, 0, 130};
inline constexpr IColor COLOR_VIOLET{255, 148, 0, 211};
inline constexpr IColor COLOR_SHADOW{60, 0, 0, 0};

} // namespace plugin::ui

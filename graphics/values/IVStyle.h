#pragma once

#include "graphics/values/IColor.h"
#include "graphics/values/IText.h"

#include <initializer_list>

namespace plugin::ui {

// Shapes of the pressable parts of vector-drawn controls. AllRounded is drawn exactly as Rectangle.
enum class EVShape : int { Rectangle = 0, Ellipse = 1, Triangle = 2, TopRounded = 3, AllRounded = 4 };

// Roles of the nine colours of a vector style.
enum class EVColor : int {
  Background = 0,
  Foreground = 1,
  Pressed = 2,
  Frame = 3,
  Highlight = 4,
  Shadow = 5,
  Extra1 = 6,
  Extra2 = 7,
  Extra3 = 8
};

// The nine colours of a vector style, indexed by EVColor.
struct IVColorSpec
{
  static constexpr int kNumColors = 9;

  IColor mColors[kNumColors] = {COLOR_TRANSPARENT, COLOR_MID_GRAY,    COLOR_LIGHT_GRAY,
                                COLOR_DARK_GRAY,   COLOR_TRANSLUCENT, COLOR_SHADOW,
                                COLOR_BLACK,       COLOR_GREEN,       COLOR_BLUE};

  constexpr IVColorSpec() = default;
  // Entry i takes the i-th listed colour; entries past the list keep the default colours;
  // colours beyond the ninth are ignored.
  constexpr IVColorSpec(std::initializer_list<IColor> colors)
  {
    int i = 0;
    for (const IColor& c : colors) {
      if (i == kNumColors) break;
      mColors[i++] = c;
    }
  }

  constexpr const IColor& GetColor(EVColor role) const { return mColors[static_cast<int>(role)]; }
  constexpr void SetColor(EVColor role, const IColor& c) { mColors[static_cast<int>(role)] = c; }
  constexpr bool operator==(const IVColorSpec&) const = default;
};

inline constexpr IVColorSpec DEFAULT_COLOR_SPEC{};

// Style record of vector-drawn controls; a control that takes one copies it whole.
struct IVStyle
{
  bool hidePointerOnDrag = true;
  bool showLabel = true;
  bool showValue = true;
  bool drawFrame = true;
  bool drawShadows = true;
  bool embossed = false;
  float roundness = 0.f;
  float frameThickness = 1.f;
  float shadowOffset = 3.f;
  float widgetFraction = 1.f;
  float angle = 0.f;
  IVColorSpec colorSpec = DEFAULT_COLOR_SPEC;
  IText labelText = DEFAULT_LABEL_TEXT;
  IText valueText = DEFAULT_VALUE_TEXT;
  int labelPosition = 0; // 0 above the widget, 1 right of it, 2 below it, 3 left of it

  constexpr bool operator==(const IVStyle&) const = default;
};

inline constexpr IVStyle DEFAULT_STYLE{};

} // namespace plugin::ui

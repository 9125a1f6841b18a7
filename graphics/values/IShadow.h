#pragma once

#include "graphics/values/IPattern.h"

namespace plugin::ui {

// A drop shadow cast by a layer: its paint, blur size (drawing units), offset, opacity, and
// whether the layer's own drawing goes on top.
struct IShadow
{
  IPattern mPattern = COLOR_BLACK;
  float mBlurSize = 0.f;
  float mXOffset = 0.f;
  float mYOffset = 0.f;
  float mOpacity = 1.f;
  bool mDrawForeground = true;
};

} // namespace plugin::ui

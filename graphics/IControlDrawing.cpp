#include "graphics/IControl.h"

namespace plugin::ui {

// Placeholders until the drawing API and the vector base land.
void IControl::DrawHighlightDot(ICanvas&) {}
void IControl::SetHighlightDot(bool, int) {}
void SplashAnimation(IControl*) {}
void SplashClickAction(IControl*) {}

} // namespace plugin::ui

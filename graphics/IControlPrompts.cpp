#include "graphics/IControl.h"

namespace plugin::ui {

// Placeholders until event dispatch lands: no prompt opens.
void IControl::PromptUserInput(int) {}
void IControl::PromptUserInput(const IRECT&, int) {}

} // namespace plugin::ui

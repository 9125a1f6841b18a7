#pragma once

namespace plugin::ui {

// Axis along which knobs, sliders and slide switches are dragged and laid out.
enum class EDirection : int { Vertical = 0, Horizontal = 1 };

} // namespace plugin::ui

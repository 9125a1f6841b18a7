#pragma once

// Control tags and groups of the compressor's editor. The engine's idle tick addresses the meters
// and readouts by these tags; every other control of the layout has none.
namespace plugin::ui {

inline constexpr int kCtrlTagMeterL = 0;
inline constexpr int kCtrlTagMeterR = 1;
inline constexpr int kCtrlTagReadoutL = 2;
inline constexpr int kCtrlTagReadoutR = 3;

// The small vector knobs and the info button.
inline constexpr const char* kVectorControlsGroup = "vcontrols";

} // namespace plugin::ui

#pragma once

#include <string>

namespace kelmo::editor {

// The ranges the command line and the script steps share, so that a value one refuses the other
// refuses too.

// A frame count: a whole number from 1 to kMaxFrames (ten minutes at 60 Hz).
inline constexpr int kMaxFrames = 36000;
inline constexpr const char* kFramesRange = "a whole number from 1 to 36000";
bool ValidFrameCount(double frames) noexcept;

// The test tone: 0 < hz < 24000 (below half the sample rate), dbfs at most 40 (at -200 or below
// the tone is silence).
inline constexpr const char* kSignalRange = "0 < HZ < 24000, DBFS at most 40";
bool ValidSignal(double hz, double dbfs) noexcept;

// A number a script step may hold: every one ends in an event or a count, and the toolkit takes
// positions and wheel steps as float, so a finite value within float's range; anything beyond
// would reach it as infinity.
inline constexpr const char* kEventNumberRange = "numbers must lie within a float's range (about +-3.4e38)";
bool FitsEvent(double value) noexcept;

// A finite number that is the whole text (nothing after it); false otherwise.
bool ParseNumber(const std::string& text, double& value) noexcept;

} // namespace kelmo::editor

#pragma once

#include <optional>
#include <string>

namespace kelmo::render {

// What the tool tells about the sample rate of a render, from the engine's own limits.

// The warning for a render at sampleRate: one at which the signal path passes the audio through
// unchanged, or one at which the compression weakens with the rate; nothing for the others.
std::optional<std::string> SampleRateWarning(double sampleRate);

// The paragraph of the usage text that says which rates are processed, ending in a newline.
std::string SampleRateHelp();

} // namespace kelmo::render

#pragma once

#include <string>

namespace kelmo::render {

// Finds the factory preset that --preset names: an index 0 to 31, or a preset's exact name.
// False with a one-line reason in error.
bool ResolveFactoryPreset(const std::string& text, int& index, std::string& error);

} // namespace kelmo::render

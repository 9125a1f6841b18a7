#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kelmo::artwork {

// kelmo-artwork <output folder> [--preview <file.png>]
//
// Draws every picture of the artwork table and writes it into the output folder under its
// scaled file name; with --preview also writes the assembled editor. Returns 0 when every file
// was written, 1 when drawing or writing failed (each failure is named on err), 2 for a usage
// error (the usage goes to err).
int RunArtworkCommand(const std::vector<std::string>& args, std::ostream& err);

} // namespace kelmo::artwork

#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kelmo::render {

// The whole command: reads the arguments (after the program name), renders, prints the --json
// summary on out or the usage text for --help, and reports a failure as one line
// "kelmo-render: <problem>" on err. Returns the exit status (see RenderFailure.h). Never throws.
// errIsTerminal enables the progress bar on err.
int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     bool errIsTerminal);

} // namespace kelmo::render

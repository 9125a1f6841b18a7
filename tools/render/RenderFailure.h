#pragma once

#include <string>

namespace kelmo::render {

// Exit statuses of the render command.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // a file could not be read or written, or the plug-in failed
inline constexpr int kExitUsage = 2;   // the command line asks for something that cannot be

// Why a render did not happen: the exit status and one line naming the problem.
struct RenderFailure
{
  int exitCode = kExitFailure;
  std::string message;
};

} // namespace kelmo::render

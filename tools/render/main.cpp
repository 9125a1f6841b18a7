// Offline render tool: audio files or generated signals through the compressor.
#include "tools/render/InterruptCleanup.h"
#include "tools/render/RenderCommand.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
  kelmo::render::InstallInterruptCleanup();
  std::vector<std::string> args(argv + 1, argv + argc);
  return kelmo::render::RunRenderCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}

// kelmo-editor: the compressor's editor through its VST3 view, frames written as PNG.
#include "tools/editor/EditorCommand.h"
#include "tools/render/InterruptCleanup.h"

#include <iostream>

int main(int argc, char** argv)
{
  // A signal that ends the tool removes its temporary preset folder.
  kelmo::render::InstallInterruptCleanup();
  return kelmo::editor::RunEditorCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                         std::cerr);
}

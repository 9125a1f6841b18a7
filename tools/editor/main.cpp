// kelmo-editor: the compressor's editor through its VST3 view, frames written as PNG.
#include "tools/editor/EditorCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
  return kelmo::editor::RunEditorCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                         std::cerr);
}

#include "tools/artwork/ArtworkCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
  return kelmo::artwork::RunArtworkCommand(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}

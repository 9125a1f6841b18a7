// Prints the framework's version and build text.
#include "framework/plugin/BuildInfo.h"

#include <cstdio>

int main()
{
  std::printf("%s\n%s\n", plugin::FrameworkVersionText(), plugin::FrameworkBuildText());
  return 0;
}

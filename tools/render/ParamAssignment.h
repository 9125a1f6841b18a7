#pragma once

#include "tools/render/RenderTarget.h"

#include <string>
#include <vector>

namespace kelmo::render {

// One --param setting resolved against the plug-in's parameters.
struct ParamAssignment
{
  int index = 0;
  double value = 0.0;
};

// Reads "NAME=VALUE": NAME is a parameter's exact name or its index (blanks around NAME and
// VALUE are ignored); VALUE is a finite number within the parameter's range, a whole number for
// whole-valued parameters. A name that several parameters share is refused with the indices to
// use instead. False with a one-line reason in error.
bool ResolveParamAssignment(const std::string& text, const std::vector<ParamInfo>& params,
                            ParamAssignment& out, std::string& error);

} // namespace kelmo::render

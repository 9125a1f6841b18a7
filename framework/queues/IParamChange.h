#pragma once

#include <cstdint>

namespace plugin {

// A parameter change queued between threads: index and real (not normalised) value.
struct IParamChange
{
  int32_t paramIdx = 0;
  double value = 0.0;
};

static_assert(sizeof(IParamChange) == 16, "IParamChange is a 16-byte record");

} // namespace plugin

#pragma once

#include <cstdint>
#include <limits>

namespace plugin {

// A set of parameter indices in one word, bit i for parameter i. Sets that cross threads without
// a lock use it (values the processor set for the controller to catch up with, editor refreshes
// asked for off the main thread), as do callers that pick parameters by index. A plug-in whose
// parameters all take part must have at most kParamMaskBits of them, and says so where it
// defines its count.
using ParamMask = std::uint64_t;

// How many parameters a ParamMask can name: indices 0 to kParamMaskBits - 1.
inline constexpr int kParamMaskBits = std::numeric_limits<ParamMask>::digits;

// Every index a mask can name.
inline constexpr ParamMask kAllParamsMask = ~ParamMask{0};

// The one-parameter set {paramIdx}; empty for an index outside 0 to kParamMaskBits - 1.
constexpr ParamMask ParamBit(int paramIdx) noexcept
{
  return paramIdx >= 0 && paramIdx < kParamMaskBits ? ParamMask{1} << paramIdx : ParamMask{0};
}

// True when paramIdx is in mask.
constexpr bool HasParam(ParamMask mask, int paramIdx) noexcept
{
  return (mask & ParamBit(paramIdx)) != 0;
}

} // namespace plugin

#include "tools/editor/InputRanges.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace kelmo::editor {

bool ValidFrameCount(double frames) noexcept
{
  return std::isfinite(frames) && frames >= 1.0 && frames <= kMaxFrames && frames == std::floor(frames);
}

bool ValidSignal(double hz, double dbfs) noexcept
{
  return std::isfinite(hz) && std::isfinite(dbfs) && hz > 0.0 && hz < 24000.0 && dbfs <= 40.0;
}

bool FitsEvent(double value) noexcept
{
  return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

bool ParseNumber(const std::string& text, double& value) noexcept
{
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end && *end == '\0' && std::isfinite(value);
}

} // namespace kelmo::editor

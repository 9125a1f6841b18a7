#include "tools/render/OutputClip.h"

#include <cmath>
#include <limits>

namespace kelmo::render {

template <typename T> int64_t ClipForFile(T* samples, int n, bool pcm24) noexcept
{
  const T limit = pcm24 ? T(1) : static_cast<T>(std::numeric_limits<float>::max());
  int64_t clipped = 0;
  for (int i = 0; i < n; ++i) {
    T& x = samples[i];
    if (std::isnan(x)) {
      x = T(0);
    } else if (x > limit) {
      x = limit;
    } else if (x < -limit) {
      x = -limit;
    } else {
      continue;
    }
    ++clipped;
  }
  return clipped;
}

template int64_t ClipForFile<float>(float*, int, bool) noexcept;
template int64_t ClipForFile<double>(double*, int, bool) noexcept;

} // namespace kelmo::render

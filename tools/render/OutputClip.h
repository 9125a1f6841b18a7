#pragma once

#include <cstdint>

namespace kelmo::render {

// Makes samples fit the output file before they are metered and written, so that the file and
// the summary hold the same values: a 32-bit float file takes magnitudes up to the largest
// finite float, a 24-bit PCM file up to full scale. Beyond that a sample is clipped to the
// limit; a NaN becomes 0. Returns how many samples were changed.
template <typename T> int64_t ClipForFile(T* samples, int n, bool pcm24) noexcept;

} // namespace kelmo::render

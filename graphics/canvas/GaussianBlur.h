#pragma once

#include "graphics/canvas/ILayer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plugin::ui {

// The one-sided Gaussian kernel of the drop-shadow blur: weights[0] = 255 is the centre weight,
// weights[i] = round(255 exp(-4.5 i^2 / size^2)) for i < ceil(size), with
// size = max(1, scaledBlur + 1); norm = weights[0] + 2 (weights[1] + ... ). At most kMaxLength
// weights (a blur of more than 65535 pixels is cut there).
struct GaussianKernel
{
  static constexpr int kMaxLength = 65536;

  std::vector<uint8_t> weights;
  int64_t norm = 0;

  explicit GaussianKernel(float scaledBlur);
  int Length() const noexcept { return static_cast<int>(weights.size()); }
};

// One separable pass: each of `rows` input rows (n samples 4 bytes apart; rows inStride bytes
// apart, negative to walk upwards) is blurred and written as a column of the output (row r of the
// input to bytes out[r * 4 + x * outStride]). Each output is min(255, sum / norm) where the sum
// takes only samples inside the row, so the blur fades towards the row ends; a row shorter than
// the kernel is never read outside. No allocation.
void GaussianBlurSwap(uint8_t* out, const uint8_t* in, const GaussianKernel& kernel, int n, int rows,
                      ptrdiff_t outStride, ptrdiff_t inStride);

// Blurs the alpha bytes (byte alphaIndex of each 4-byte pixel) of a width x height image in place,
// in two passes; rows stored bottom-up when flipped (the result is stored top row first).
// scaledBlur is the blur size in pixels. False, leaving the mask untouched, when the mask does not
// hold width x height pixels or alphaIndex is not 0..3. Main thread; allocates one image-sized
// buffer.
bool BlurAlpha(RawBitmapData& mask, int width, int height, int alphaIndex, bool flipped, float scaledBlur);

} // namespace plugin::ui

#include "graphics/canvas/GaussianBlur.h"

#include <algorithm>
#include <cmath>

namespace plugin::ui {

GaussianKernel::GaussianKernel(float scaledBlur)
{
  const double size = std::max(1.0, static_cast<double>(scaledBlur) + 1.0); // NaN gives 1
  const double length = std::min(std::ceil(size), static_cast<double>(kMaxLength));
  weights.resize(static_cast<size_t>(length));
  for (size_t i = 0; i < weights.size(); ++i) {
    const double d = static_cast<double>(i);
    weights[i] = static_cast<uint8_t>(std::lround(255.0 * std::exp(-4.5 * d * d / (size * size))));
    norm += i == 0 ? weights[i] : 2 * weights[i];
  }
}

void GaussianBlurSwap(uint8_t* out, const uint8_t* in, const GaussianKernel& kernel, int n, int rows,
                      ptrdiff_t outStride, ptrdiff_t inStride)
{
  const int k = kernel.Length();
  const uint8_t* w = kernel.weights.data();
  for (int r = 0; r < rows; ++r) {
    const uint8_t* row = in + r * inStride;
    auto sample = [row](int x) { return static_cast<int64_t>(row[static_cast<ptrdiff_t>(x) * 4]); };
    uint8_t* col = out + static_cast<ptrdiff_t>(r) * 4;
    // run: equal samples ending at index ahead, the last sample of the current window.
    int run = 0;
    int ahead = -1;
    for (int x = 0; x < n; ++x) {
      for (const int to = std::min(x + k - 1, n - 1); ahead < to;) {
        ++ahead;
        run = (ahead > 0 && sample(ahead) == sample(ahead - 1)) ? run + 1 : 1;
      }
      const int lo = std::min(x, k - 1);
      const int hi = std::min(n - 1 - x, k - 1);
      uint8_t value;
      if (lo == k - 1 && hi == k - 1 && run >= 2 * k - 1) {
        value = static_cast<uint8_t>(sample(x)); // the whole window holds one value
      } else {
        int64_t sum = w[0] * sample(x);
        for (int i = 1; i <= lo; ++i)
          sum += w[i] * sample(x - i);
        for (int i = 1; i <= hi; ++i)
          sum += w[i] * sample(x + i);
        value = static_cast<uint8_t>(std::min<int64_t>(255, sum / kernel.norm));
      }
      col[static_cast<ptrdiff_t>(x) * outStride] = value;
    }
  }
}

bool BlurAlpha(RawBitmapData& mask, int width, int height, int alphaIndex, bool flipped, float scaledBlur)
{
  if (width <= 0 || height <= 0 || alphaIndex < 0 || alphaIndex > 3) return false;
  const int64_t bytes = static_cast<int64_t>(width) * height * 4;
  if (static_cast<int64_t>(mask.GetSize()) != bytes || !mask.Get()) return false;

  const GaussianKernel kernel(scaledBlur);
  std::vector<uint8_t> swap(static_cast<size_t>(bytes));
  const ptrdiff_t rowBytes = static_cast<ptrdiff_t>(width) * 4;
  const uint8_t* firstRow = mask.Get() + alphaIndex + (flipped ? (height - 1) * rowBytes : 0);
  // Pass 1: image rows (in image order) into the columns of the swap buffer, height samples per row.
  GaussianBlurSwap(swap.data() + alphaIndex, firstRow, kernel, width, height,
                   static_cast<ptrdiff_t>(height) * 4, flipped ? -rowBytes : rowBytes);
  // Pass 2: back into the mask, top row first.
  GaussianBlurSwap(mask.Get() + alphaIndex, swap.data() + alphaIndex, kernel, height, width, rowBytes,
                   static_cast<ptrdiff_t>(height) * 4);
  return true;
}

} // namespace plugin::ui

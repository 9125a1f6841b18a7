#include "graphics/renderer/FNTBlur.h"

#include <cmath>

namespace {

constexpr int kAlphaPrecision = 16; // fraction bits of the coefficient
constexpr int kValuePrecision = 7;  // fraction bits of the running value

// One line forwards then backwards: step bytes apart, n long; both ends forced to 0.
void BlurLine(unsigned char* p, int n, int step, int alpha)
{
  int z = 0;
  for (int i = 1; i < n; ++i) {
    z += (alpha * (((int)p[i * step] << kValuePrecision) - z)) >> kAlphaPrecision;
    p[i * step] = (unsigned char)(z >> kValuePrecision);
  }
  p[(n - 1) * step] = 0;
  z = 0;
  for (int i = n - 2; i >= 0; --i) {
    z += (alpha * (((int)p[i * step] << kValuePrecision) - z)) >> kAlphaPrecision;
    p[i * step] = (unsigned char)(z >> kValuePrecision);
  }
  p[0] = 0;
}

} // namespace

void fntBlur(unsigned char* dst, int w, int h, int stride, int iblur)
{
  if (iblur < 1 || w < 1 || h < 1) return;
  const float sigma = (float)iblur * 0.57735f;
  const int alpha = (int)((1 << kAlphaPrecision) * (1.0f - std::exp(-2.3f / (sigma + 1.0f))));
  for (int pass = 0; pass < 2; ++pass) {
    for (int x = 0; x < w; ++x)
      BlurLine(dst + x, h, stride, alpha);
    for (int y = 0; y < h; ++y)
      BlurLine(dst + y * stride, w, 1, alpha);
  }
}

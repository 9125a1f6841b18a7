#include "platform/mac/system/BitmapContext.h"

#include <algorithm>
#include <cmath>

namespace plugin::sys {

namespace {

std::uint8_t ToByte(float v) noexcept
{
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.f, 1.f) * 255.f));
}

// A normalised Gaussian of standard deviation sigma, cut at three deviations (and at maxRadius).
std::vector<float> GaussianKernel(double sigma, int maxRadius)
{
  const int radius = static_cast<int>(std::min<double>(maxRadius, std::ceil(3.0 * sigma)));
  std::vector<float> kernel(static_cast<std::size_t>(2 * radius + 1));
  double sum = 0.0;
  for (int k = -radius; k <= radius; ++k) {
    const double w = std::exp(-0.5 * (k * k) / (sigma * sigma));
    kernel[static_cast<std::size_t>(k + radius)] = static_cast<float>(w);
    sum += w;
  }
  for (float& w : kernel)
    w = static_cast<float>(w / sum);
  return kernel;
}

// One pass of a separable blur: along x when horizontal, else along y.
std::vector<float> BlurPass(const std::vector<float>& in, int width, int height, const std::vector<float>& kernel,
                            bool horizontal)
{
  const int radius = static_cast<int>(kernel.size() / 2);
  std::vector<float> out(in.size(), 0.f);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float sum = 0.f;
      for (int k = -radius; k <= radius; ++k) {
        const int sx = horizontal ? x + k : x;
        const int sy = horizontal ? y : y + k;
        if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
        sum += kernel[static_cast<std::size_t>(k + radius)] * in[static_cast<std::size_t>(sy) * width + sx];
      }
      out[static_cast<std::size_t>(y) * width + x] = sum;
    }
  return out;
}

} // namespace

std::unique_ptr<BitmapContext> BitmapContext::Create(int width, int height, int bitsPerComponent,
                                                     BitmapColorSpace colorSpace, std::uint32_t bitmapInfo)
{
  if (bitsPerComponent != 8 || bitmapInfo != kBitmapAlphaPremultipliedLast) return nullptr;
  if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide) return nullptr;
  return std::make_unique<BitmapContext>(width, height, colorSpace);
}

BitmapContext::BitmapContext(int width, int height, BitmapColorSpace colorSpace)
    : mWidth(width), mHeight(height), mColorSpace(colorSpace),
      mRgba(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0)
{}

void BitmapContext::SetShadowWithColor(Size offset, double blur, Color color) noexcept
{
  const bool valid = std::isfinite(offset.width) && std::isfinite(offset.height) && std::isfinite(blur) &&
                     blur >= 0.0;
  const Color c = Color::DeviceRgb(color.red, color.green, color.blue, color.alpha);
  mShadow = Shadow{offset.width, offset.height, blur, c, valid && c.alpha > 0.0};
}

std::vector<float> BitmapContext::ShadowAlpha(const std::vector<float>& alpha) const
{
  // Offsets past the bitmap's extent all cast the shadow off it; clamping keeps the sums in range.
  const double reach = static_cast<double>(mWidth) + mHeight;
  const int dx = static_cast<int>(std::lround(std::clamp(mShadow.offsetX, -reach, reach)));
  const int dy = static_cast<int>(std::lround(std::clamp(mShadow.offsetY, -reach, reach)));
  std::vector<float> moved(alpha.size(), 0.f);
  for (int y = 0; y < mHeight; ++y)
    for (int x = 0; x < mWidth; ++x) {
      // User space grows upward, rows downward.
      const int sx = x - dx;
      const int sy = y + dy;
      if (sx < 0 || sy < 0 || sx >= mWidth || sy >= mHeight) continue;
      moved[static_cast<std::size_t>(y) * mWidth + x] = alpha[static_cast<std::size_t>(sy) * mWidth + sx];
    }
  const double sigma = mShadow.blur / 2.0;
  if (sigma <= 0.0) return moved;
  const std::vector<float> kernel = GaussianKernel(sigma, std::max(mWidth, mHeight));
  return BlurPass(BlurPass(moved, mWidth, mHeight, kernel, true), mWidth, mHeight, kernel, false);
}

void BitmapContext::Composite(std::size_t i, float r, float g, float b, float a) noexcept
{
  std::uint8_t* p = &mRgba[i * 4];
  const float keep = 1.f - a;
  p[0] = ToByte(r + keep * (p[0] / 255.f));
  p[1] = ToByte(g + keep * (p[1] / 255.f));
  p[2] = ToByte(b + keep * (p[2] / 255.f));
  p[3] = ToByte(a + keep * (p[3] / 255.f));
}

void BitmapContext::DrawImage(Rect rect, const BitmapImage& image)
{
  if (!std::isfinite(rect.origin.x) || !std::isfinite(rect.origin.y) || !std::isfinite(rect.size.width) ||
      !std::isfinite(rect.size.height) || rect.size.width <= 0.0 || rect.size.height <= 0.0)
    return;
  // The image as a layer of the bitmap's size, sampled at each pixel's centre.
  const std::size_t count = static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight);
  std::vector<float> layer(count * 4, 0.f);
  std::vector<float> alpha(count, 0.f);
  const std::vector<std::uint8_t>& src = image.Pixels();
  for (int row = 0; row < mHeight; ++row)
    for (int col = 0; col < mWidth; ++col) {
      const double ux = col + 0.5;
      const double uy = mHeight - row - 0.5;
      if (!rect.Contains({ux, uy})) continue;
      const int ix = std::min(image.Width() - 1, static_cast<int>((ux - rect.MinX()) / rect.size.width * image.Width()));
      const int iy =
          std::min(image.Height() - 1, static_cast<int>((rect.MaxY() - uy) / rect.size.height * image.Height()));
      const std::uint8_t* s = &src[(static_cast<std::size_t>(iy) * image.Width() + ix) * 4];
      const std::size_t i = static_cast<std::size_t>(row) * mWidth + col;
      for (int k = 0; k < 4; ++k)
        layer[i * 4 + k] = s[k] / 255.f;
      alpha[i] = layer[i * 4 + 3];
    }
  if (mShadow.on) {
    const std::vector<float> shadow = ShadowAlpha(alpha);
    const Color& c = mShadow.color;
    for (std::size_t i = 0; i < count; ++i) {
      const float a = shadow[i] * static_cast<float>(c.alpha);
      if (a > 0.f)
        Composite(i, static_cast<float>(c.red) * a, static_cast<float>(c.green) * a, static_cast<float>(c.blue) * a,
                  a);
    }
  }
  for (std::size_t i = 0; i < count; ++i)
    if (alpha[i] > 0.f) Composite(i, layer[i * 4], layer[i * 4 + 1], layer[i * 4 + 2], layer[i * 4 + 3]);
}

BitmapImageRef BitmapContext::CreateImage() const
{
  return BitmapImage::Create(mWidth, mHeight, mColorSpace, mRgba);
}

} // namespace plugin::sys

#pragma once

#include "platform/mac/system/GpuFloat4.h"
#include "platform/mac/system/GpuSampler.h"
#include "platform/mac/system/GpuUnorm8.h"

#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plugin::sys {

// A texture with the settings of the sampler that reads it, decoded once so that a shader can
// sample it in its inner loop (a fragment setup keeps one per draw). Sample gives exactly what
// GpuSamplerState::Sample gives. Holds a pointer into the texture: valid while both live.
class GpuBoundTexture
{
public:
  GpuBoundTexture() noexcept = default;
  GpuBoundTexture(const GpuTexture& texture, const GpuSamplerDescriptor& sampler) noexcept
      : mBytes(texture.LevelBytes(0)), mWidth(texture.Width()), mHeight(texture.Height()),
        mLinear(sampler.magFilter == GpuSamplerMinMagFilter::Linear),
        mRepeatS(sampler.sAddressMode == GpuSamplerAddressMode::Repeat),
        mRepeatT(sampler.tAddressMode == GpuSamplerAddressMode::Repeat)
  {
    switch (texture.PixelFormat()) {
    case GpuPixelFormat::RGBA8Unorm:
      mLayout = Layout::RGBA;
      break;
    case GpuPixelFormat::BGRA8Unorm:
      mLayout = Layout::BGRA;
      break;
    default:
      mLayout = Layout::R;
      break;
    }
  }

  // The texture rows a sample at normalised v reads, with their weights: what every sample of a
  // row of constant v shares.
  struct Rows
  {
    std::size_t row0 = 0, row1 = 0; // first texel of each row
    float ay = 0.0f;                // weight of row1 (linear filtering)
  };

  // The rows of a sample at v. Any thread; no allocation.
  [[gnu::always_inline]] Rows RowsAt(float v) const noexcept
  {
    const double y = Scaled(v, mHeight);
    Rows r;
    if (!mLinear) {
      r.row0 = r.row1 = std::size_t{Address(Floor(y), mHeight, mRepeatT)} * mWidth;
      return r;
    }
    const double fy = y - 0.5;
    const long long iy = Floor(fy);
    r.ay = static_cast<float>(fy - static_cast<double>(iy));
    r.row0 = std::size_t{Address(iy, mHeight, mRepeatT)} * mWidth;
    r.row1 = std::size_t{Address(iy + 1, mHeight, mRepeatT)} * mWidth;
    return r;
  }

  // Texel at normalised (u, v), filtered from level 0, for rows = RowsAt(v). Any thread; no
  // allocation. Inlined, so that a shader's fragment loop keeps the texture's settings in registers.
  [[gnu::always_inline]] GpuFloat4 SampleInRows(float u, const Rows& rows) const noexcept
  {
    const double x = Scaled(u, mWidth);
    if (!mLinear) return Texel(rows.row0 + Address(Floor(x), mWidth, mRepeatS));
    const double fx = x - 0.5;
    const long long ix = Floor(fx);
    const float ax = static_cast<float>(fx - static_cast<double>(ix));
    const float ay = rows.ay;
    const std::size_t x0 = Address(ix, mWidth, mRepeatS), x1 = Address(ix + 1, mWidth, mRepeatS);
    // The taps in the order (x0, y0), (x1, y0), (x0, y1), (x1, y1), summed from zero.
    GpuFloat4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
    sum += (1 - ax) * (1 - ay) * Texel(rows.row0 + x0);
    sum += ax * (1 - ay) * Texel(rows.row0 + x1);
    sum += (1 - ax) * ay * Texel(rows.row1 + x0);
    sum += ax * ay * Texel(rows.row1 + x1);
    return sum;
  }

  // SampleInRows for four normalised u at once, into texels: lane by lane the same operations, so
  // the same texels. Any thread; no allocation.
  [[gnu::always_inline]] void SampleInRows4(GpuFloat4 u, const Rows& rows, GpuFloat4 texels[4]) const noexcept
  {
#if defined(__SSE2__)
    if (mLinear && mLayout != Layout::R) return SampleLinear4(u, rows, texels);
#endif
    for (int l = 0; l < 4; ++l)
      texels[l] = SampleInRows(u[l], rows);
  }

  // Texel at normalised (u, v), filtered from level 0, into rgba. Any thread; no allocation.
  [[gnu::always_inline]] void Sample(float u, float v, float rgba[4]) const noexcept
  {
    GpuStore4(rgba, SampleInRows(u, RowsAt(v)));
  }

private:
  enum class Layout : std::uint8_t { RGBA, BGRA, R };
#if defined(__SSE2__)
  // Linear filtering of four four-channel samples: Scaled, Floor and the weights on two lanes of
  // doubles at a time, then the taps. A lane permutation commutes with the lane-wise sums, so
  // BGRA texels are swizzled once, after summing.
  [[gnu::always_inline]] void SampleLinear4(GpuFloat4 u, const Rows& rows, GpuFloat4 texels[4]) const noexcept
  {
    const __m128d size = _mm_set1_pd(static_cast<double>(mWidth)), half = _mm_set1_pd(0.5);
    const __m128d fxLo = _mm_sub_pd(Scaled2(_mm_cvtps_pd(u), size), half);
    const __m128d fxHi = _mm_sub_pd(Scaled2(_mm_cvtps_pd(_mm_movehl_ps(u, u)), size), half);
    const __m128i ixLo = Floor2(fxLo), ixHi = Floor2(fxHi);
    const GpuFloat4 ax = _mm_movelh_ps(_mm_cvtpd_ps(_mm_sub_pd(fxLo, _mm_cvtepi32_pd(ixLo))),
                                       _mm_cvtpd_ps(_mm_sub_pd(fxHi, _mm_cvtepi32_pd(ixHi))));
    const GpuInt4 ix = reinterpret_cast<GpuInt4>(_mm_unpacklo_epi64(ixLo, ixHi));
    const float ay = rows.ay;
    const GpuFloat4 w00 = (1 - ax) * (1 - ay), w10 = ax * (1 - ay), w01 = (1 - ax) * ay, w11 = ax * ay;
    const unsigned char* r0 = mBytes + rows.row0 * 4;
    const unsigned char* r1 = mBytes + rows.row1 * 4;
    const bool bgra = mLayout == Layout::BGRA;
    texels[0] = Bilinear(r0, r1, ix[0], Lane<0>(w00), Lane<0>(w10), Lane<0>(w01), Lane<0>(w11), bgra);
    texels[1] = Bilinear(r0, r1, ix[1], Lane<1>(w00), Lane<1>(w10), Lane<1>(w01), Lane<1>(w11), bgra);
    texels[2] = Bilinear(r0, r1, ix[2], Lane<2>(w00), Lane<2>(w10), Lane<2>(w01), Lane<2>(w11), bgra);
    texels[3] = Bilinear(r0, r1, ix[3], Lane<3>(w00), Lane<3>(w10), Lane<3>(w01), Lane<3>(w11), bgra);
  }

  // Lane L of v in every lane.
  template <int L> static GpuFloat4 Lane(GpuFloat4 v) noexcept
  {
    return __builtin_shufflevector(v, v, L, L, L, L);
  }

  // The four taps around column ix of rows r0 and r1 of a four-channel texture, weighted and
  // summed in the order of SampleInRows.
  [[gnu::always_inline]] GpuFloat4 Bilinear(const unsigned char* r0, const unsigned char* r1, std::int32_t ix,
                                            GpuFloat4 w00, GpuFloat4 w10, GpuFloat4 w01, GpuFloat4 w11,
                                            bool bgra) const noexcept
  {
    GpuFloat4 t00, t10, t01, t11;
    const std::size_t x0 = static_cast<std::uint32_t>(ix);
    if (ix >= 0 && x0 + 1 < mWidth) { // both columns inside: neighbours in memory
      Unorm8PairToFloat4(r0 + x0 * 4, t00, t10);
      Unorm8PairToFloat4(r1 + x0 * 4, t01, t11);
    } else {
      const std::size_t a0 = Address(ix, mWidth, mRepeatS), a1 = Address(ix + 1LL, mWidth, mRepeatS);
      t00 = GpuUnorm8ToFloat4(r0 + a0 * 4);
      t10 = GpuUnorm8ToFloat4(r0 + a1 * 4);
      t01 = GpuUnorm8ToFloat4(r1 + a0 * 4);
      t11 = GpuUnorm8ToFloat4(r1 + a1 * 4);
    }
    GpuFloat4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
    sum += w00 * t00;
    sum += w10 * t10;
    sum += w01 * t01;
    sum += w11 * t11;
    return bgra ? __builtin_shufflevector(sum, sum, 2, 1, 0, 3) : sum;
  }

  // The two four-byte texels at p as normalised floats, each as GpuUnorm8ToFloat4 gives it.
  static void Unorm8PairToFloat4(const unsigned char* p, GpuFloat4& first, GpuFloat4& second) noexcept
  {
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
    first = _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero)) * (1.0f / 255.0f);
    second = _mm_cvtepi32_ps(_mm_unpackhi_epi16(words, zero)) * (1.0f / 255.0f);
  }

  // Scaled on two lanes of s = t * size: non-finite values to 0, then clamped to +-1e9.
  static __m128d Scaled2(__m128d t, __m128d size) noexcept
  {
    __m128d s = _mm_mul_pd(t, size);
    s = _mm_and_pd(s, _mm_cmpeq_pd(_mm_sub_pd(s, s), _mm_setzero_pd()));
    return _mm_min_pd(_mm_max_pd(s, _mm_set1_pd(-1e9)), _mm_set1_pd(1e9));
  }

  // Floor on two lanes within what Scaled gives less 0.5, as two int32 in the low half.
  static __m128i Floor2(__m128d v) noexcept
  {
    const __m128i i = _mm_cvttpd_epi32(v);
    const __m128d above = _mm_cmpgt_pd(_mm_cvtepi32_pd(i), v); // all ones where truncation went up
    return _mm_add_epi32(i, _mm_shuffle_epi32(_mm_castpd_si128(above), _MM_SHUFFLE(3, 3, 2, 0)));
  }
#endif

  // Texel i of level 0 as normalised floats, the way GpuTexture::ReadTexel gives it.
  GpuFloat4 Texel(std::size_t i) const noexcept
  {
    switch (mLayout) {
    case Layout::RGBA:
      return GpuUnorm8ToFloat4(mBytes + i * 4);
    case Layout::BGRA: {
      const GpuFloat4 t = GpuUnorm8ToFloat4(mBytes + i * 4);
      return __builtin_shufflevector(t, t, 2, 1, 0, 3);
    }
    case Layout::R:
      break;
    }
    return GpuFloat4{kGpuUnorm8ToFloat[mBytes[i]], 0.0f, 0.0f, 1.0f};
  }

  // Maps a texel index onto [0, size), repeating or clamping to the edge.
  static std::uint32_t Address(long long i, std::uint32_t size, bool repeat) noexcept
  {
    const long long n = size;
    if (i >= 0 && i < n) return static_cast<std::uint32_t>(i);
    if (repeat) return static_cast<std::uint32_t>(((i % n) + n) % n);
    return static_cast<std::uint32_t>(i < 0 ? 0 : n - 1);
  }

  // Texel coordinate of a normalised coordinate; non-finite values fall to 0.
  static double Scaled(float t, std::uint32_t size) noexcept
  {
    const double s = static_cast<double>(t) * size;
    if (!std::isfinite(s)) return 0.0;
    return s > 1e9 ? 1e9 : (s < -1e9 ? -1e9 : s);
  }

  // floor of a value within what Scaled gives, as an integer.
  static long long Floor(double v) noexcept
  {
    const auto i = static_cast<long long>(v);
    return static_cast<double>(i) > v ? i - 1 : i;
  }

  const unsigned char* mBytes = nullptr;
  std::uint32_t mWidth = 0, mHeight = 0;
  Layout mLayout = Layout::R;
  bool mLinear = false, mRepeatS = false, mRepeatT = false;
};

} // namespace plugin::sys

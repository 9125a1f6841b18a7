#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Four floats or ints in one vector register, for the rasteriser's per-texel work on all four
// channels at once. Each lane computes exactly what the scalar code computes for its channel.
namespace plugin::sys {

using GpuFloat4 = float __attribute__((vector_size(16)));
using GpuInt4 = std::int32_t __attribute__((vector_size(16)));

inline GpuFloat4 GpuLoad4(const float* p) noexcept
{
  GpuFloat4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void GpuStore4(float* p, GpuFloat4 v) noexcept
{
  std::memcpy(p, &v, sizeof v);
}

// Lane by lane: a where mask is set (all ones), b where it is clear.
inline GpuFloat4 GpuSelect4(GpuInt4 mask, GpuFloat4 a, GpuFloat4 b) noexcept
{
  return std::bit_cast<GpuFloat4>((std::bit_cast<GpuInt4>(a) & mask) | (std::bit_cast<GpuInt4>(b) & ~mask));
}

// |v| per lane, as std::fabs.
inline GpuFloat4 GpuAbs4(GpuFloat4 v) noexcept
{
  return std::bit_cast<GpuFloat4>(std::bit_cast<GpuInt4>(v) & 0x7FFFFFFF);
}

// The square root per lane, correctly rounded as std::sqrt.
inline GpuFloat4 GpuSqrt4(GpuFloat4 v) noexcept
{
#if defined(__SSE2__)
  return _mm_sqrt_ps(v);
#else
  return GpuFloat4{std::sqrt(v[0]), std::sqrt(v[1]), std::sqrt(v[2]), std::sqrt(v[3])};
#endif
}

// The four bytes at p as normalised floats: byte / 255, as kGpuUnorm8ToFloat holds them.
inline GpuFloat4 GpuUnorm8ToFloat4(const unsigned char* p) noexcept
{
#if defined(__SSE2__)
  std::int32_t word;
  std::memcpy(&word, p, 4);
  const __m128i zero = _mm_setzero_si128();
  const __m128i ints = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(word), zero), zero);
  return _mm_cvtepi32_ps(ints) * (1.0f / 255.0f);
#else
  const GpuInt4 ints = {p[0], p[1], p[2], p[3]};
  return __builtin_convertvector(ints, GpuFloat4) * (1.0f / 255.0f);
#endif
}

// GpuFloatToUnorm8 on every lane, written as four bytes at p: clamped to [0, 1] (NaN to 0),
// times 255, rounded half away from zero.
inline void GpuFloat4ToUnorm8(GpuFloat4 v, unsigned char* p) noexcept
{
#if defined(__SSE2__)
  // max takes its second operand, 0, for a NaN lane (and for -0); min then caps at 1.
  const __m128 clamped = _mm_min_ps(_mm_max_ps(v, _mm_setzero_ps()), _mm_set1_ps(1.0f));
  const __m128 scaled = _mm_mul_ps(clamped, _mm_set1_ps(255.0f));
  const __m128i rounded = _mm_and_si128(_mm_cvttps_epi32(_mm_add_ps(scaled, _mm_set1_ps(0.5f))),
                                        _mm_castps_si128(_mm_cmpge_ps(scaled, _mm_set1_ps(0.5f))));
  // Every lane is 0..255: packing keeps the values.
  const __m128i words = _mm_packs_epi32(rounded, rounded);
  const std::int32_t packed = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
  std::memcpy(p, &packed, 4);
#else
  const GpuFloat4 zero = {0.0f, 0.0f, 0.0f, 0.0f}, one = {1.0f, 1.0f, 1.0f, 1.0f};
  const GpuInt4 positive = v > zero; // false for NaN
  GpuFloat4 clamped = std::bit_cast<GpuFloat4>(std::bit_cast<GpuInt4>(v) & positive);
  const GpuInt4 below = clamped < one;
  clamped = std::bit_cast<GpuFloat4>((std::bit_cast<GpuInt4>(clamped) & below) |
                                     (std::bit_cast<GpuInt4>(one) & ~below));
  const GpuFloat4 scaled = clamped * 255.0f;
  const GpuInt4 rounded = __builtin_convertvector(scaled + 0.5f, GpuInt4) & (scaled >= 0.5f);
  for (int c = 0; c < 4; ++c)
    p[c] = static_cast<unsigned char>(rounded[c]);
#endif
}

} // namespace plugin::sys

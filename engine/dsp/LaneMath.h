#pragma once

#include "engine/dsp/Lanes.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelmo::dsp {

// Largest argument the cosine series covers.
constexpr double kHalfPiBound = 1.5707963267948966;

// Square root, natural logarithm and cosine for one lane (double) and for two (Pair), with the
// same result in every lane whatever its neighbour holds.

inline double Sqrt(double x) noexcept
{
  return std::sqrt(x);
}
inline Pair Sqrt(Pair x) noexcept
{
#if defined(__SSE2__)
  return reinterpret_cast<Pair>(_mm_sqrt_pd(reinterpret_cast<__m128d>(x)));
#else
  return Pair{std::sqrt(x[0]), std::sqrt(x[1])};
#endif
}

// Natural logarithm through the C library, lane by lane: its table method has a short latency
// that a polynomial of the same accuracy does not beat here.
inline double Log(double x) noexcept
{
  return std::log(x);
}
inline Pair Log(Pair x) noexcept
{
  return Pair{std::log(x[0]), std::log(x[1])};
}

// Cosine. Arguments up to pi/2 in magnitude, the common case in the signal path, take the
// Taylor series to x^22 (remainder below 1e-19) evaluated in Estrin's scheme, whose dependency
// chain is a handful of operations long; larger or non-finite arguments go to std::cos.
template <class V> inline V CosSeries(V x) noexcept
{
  const V z = x * x;
  const V z2 = z * z;
  const V z4 = z2 * z2;
  const V z8 = z4 * z4;
  const V p01 = 1.0 - 0.5 * z;
  const V p23 = 1.0 / 24.0 - (1.0 / 720.0) * z;
  const V p45 = 1.0 / 40320.0 - (1.0 / 3628800.0) * z;
  const V p67 = 1.0 / 479001600.0 - (1.0 / 87178291200.0) * z;
  const V p89 = 1.0 / 20922789888000.0 - (1.0 / 6402373705728000.0) * z;
  const V p1011 = 1.0 / 2432902008176640000.0 - (1.0 / 1124000727777607680000.0) * z;
  const V p03 = p01 + p23 * z2;
  const V p47 = p45 + p67 * z2;
  const V p811 = p89 + p1011 * z2;
  return (p03 + p47 * z4) + p811 * z8;
}

inline double Cos(double x) noexcept
{
  return std::fabs(x) <= kHalfPiBound ? CosSeries(x) : std::cos(x);
}
inline Pair Cos(Pair x) noexcept
{
  const Pair a = Abs(x);
  if (a[0] <= kHalfPiBound && a[1] <= kHalfPiBound) return CosSeries(x);
  const Pair series = CosSeries(x);
  return Pair{a[0] <= kHalfPiBound ? series[0] : std::cos(x[0]),
              a[1] <= kHalfPiBound ? series[1] : std::cos(x[1])};
}

} // namespace kelmo::dsp

#pragma once

#include "engine/dsp/Lanes.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelmo::dsp {

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

// Natural logarithm and cosine through the C library, lane by lane: its implementations are
// short-latency table methods that a polynomial of the same accuracy does not beat here.
inline double Log(double x) noexcept
{
  return std::log(x);
}
inline Pair Log(Pair x) noexcept
{
  return Pair{std::log(x[0]), std::log(x[1])};
}

inline double Cos(double x) noexcept
{
  return std::cos(x);
}
inline Pair Cos(Pair x) noexcept
{
  return Pair{std::cos(x[0]), std::cos(x[1])};
}

} // namespace kelmo::dsp

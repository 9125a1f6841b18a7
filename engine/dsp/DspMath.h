#pragma once

#include "engine/dsp/Lanes.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelmo::dsp {

// Added to states, signals and coefficients throughout the signal path so that nothing decays
// into subnormal numbers, which are slow on common processors; it is part of the arithmetic.
constexpr double kDenormalOffset = 1e-15;
// Weight of each new value in the colour and stereo stages' slow smoothers (0.01 in single
// precision).
constexpr double kSlowSmoothing = 0.009999999776482582;
// ln(10)/20: dB value times this is the exponent of the linear gain.
constexpr double kDbToExp = 0.1151292546497;
// 20/ln(10): natural log times this is dB.
constexpr double kLnToDb = 8.685889638065037;
constexpr double kPi = 3.141592653589793;
// Smallest normal double; meter values below it are treated as unset.
constexpr double kMinNormal = 2.2250738585072014e-308;
// What a meter readout and needle show at rest: after a reset, and in place of an unusable value.
constexpr double kMeterRest = 0.001;
// Just below 1: the top of several unit ranges, so that one minus such a value stays above 0.
constexpr double kBelowOne = 0.999999999999999;

// Gain of a level in dB.
inline double DbToGain(double db) noexcept
{
  return std::exp(db * kDbToExp);
}

// Branch-free minimum and maximum: a < b ? a : b and a > b ? a : b, lane by lane (with a NaN
// the second argument results).
inline double Min(double a, double b) noexcept
{
#if defined(__SSE2__)
  return _mm_cvtsd_f64(_mm_min_sd(_mm_set_sd(a), _mm_set_sd(b)));
#else
  return a < b ? a : b;
#endif
}
inline double Max(double a, double b) noexcept
{
#if defined(__SSE2__)
  return _mm_cvtsd_f64(_mm_max_sd(_mm_set_sd(a), _mm_set_sd(b)));
#else
  return a > b ? a : b;
#endif
}
inline Pair Min(Pair a, Pair b) noexcept
{
#if defined(__SSE2__)
  return reinterpret_cast<Pair>(_mm_min_pd(reinterpret_cast<__m128d>(a), reinterpret_cast<__m128d>(b)));
#else
  return Sel(a < b, a, b);
#endif
}
inline Pair Max(Pair a, Pair b) noexcept
{
#if defined(__SSE2__)
  return reinterpret_cast<Pair>(_mm_max_pd(reinterpret_cast<__m128d>(a), reinterpret_cast<__m128d>(b)));
#else
  return Sel(a > b, a, b);
#endif
}

// trunc(x) for |x| below 2^63: the integer conversion truncates towards zero. Far cheaper than
// std::trunc on baseline x86-64.
inline double TruncSmall(double x) noexcept
{
  return static_cast<double>(static_cast<long long>(x));
}

// Above 1 gives 1, below 0 gives the denormal offset, otherwise the value itself (branch-free).
template <class V> inline V ClampUnit(V x) noexcept
{
  const V high = Min(x, Const<V>(1.0));
  return Sel(x < 0.0, Const<V>(kDenormalOffset), high);
}

// min(x, 1) with values below 0 replaced by the denormal offset.
template <class V> inline V MinOneGuarded(V x) noexcept
{
  x = Min(x, Const<V>(1.0));
  return Sel(x < 0.0, Const<V>(kDenormalOffset), x);
}

// Smoothstep 3t^2 - 2t^3 (no clamping of its own), as t^2 (3 - 2t): the two factors form side
// by side, which shortens the dependency chain.
template <class V> inline V Smoothstep(V t) noexcept
{
  return (t * t) * (3.0 - 2.0 * t);
}

// x - c x^3 with x^2 and c x formed side by side.
template <class V> inline V CubicSoftening(V x) noexcept
{
  return x - (0.1481495 * x) * (x * x);
}

// Cubic soft clipper: x - 0.1481495 x^3 limited to [-1, 1]. Past +-1.5 the cubic turns back
// and reaches -1 at about 3 (+1 at about -3); the limits alone keep it bounded. A NaN or an
// infinite x gives -1.
template <class V> inline V SoftClip(V x) noexcept
{
  return Min(Max(CubicSoftening(x), Const<V>(-1.0)), Const<V>(1.0));
}

// SoftClip with a negative result replaced by the denormal offset.
template <class V> inline V SoftClipGuarded(V x) noexcept
{
  const V y = SoftClip(x);
  return Sel(y < 0.0, Const<V>(kDenormalOffset), y);
}

// SoftClipGuarded for an input already in [1e-15, 1] (a ClampUnit result): there neither the
// output limits nor the offset change anything, so only the cubic remains.
template <class V> inline V SoftClipUnit(V u) noexcept
{
  return CubicSoftening(u);
}

// True for values a meter must not show: infinite, NaN, zero or subnormal.
inline bool IsUnusableMeterValue(double x) noexcept
{
  return !std::isfinite(x) || std::fabs(x) < kMinNormal;
}

} // namespace kelmo::dsp

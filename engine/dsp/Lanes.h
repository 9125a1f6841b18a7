#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

namespace kelmo::dsp {

// The signal path is written once for one channel (double) and for both channels side by side
// (Pair, lane 0 = channel 0, lane 1 = channel 1). Packed and scalar IEEE operations give the
// same results, so a channel computes bit-identically in either form.
using Pair = double __attribute__((vector_size(16)));
using PairBits = uint64_t __attribute__((vector_size(16)));

template <class V> inline V Const(double x) noexcept
{
  if constexpr (sizeof(V) == sizeof(double))
    return x;
  else
    return V{x, x};
}

// cond ? a : b, lane by lane for pairs.
template <class C, class V> inline V Sel(C cond, V a, V b) noexcept
{
  return cond ? a : b;
}

inline double Abs(double x) noexcept
{
  return std::fabs(x);
}
inline Pair Abs(Pair x) noexcept
{
  return reinterpret_cast<Pair>(reinterpret_cast<PairBits>(x) & 0x7fffffffffffffffULL);
}

// Magnitude of x with the sign of s.
inline double CopySign(double x, double s) noexcept
{
  return std::copysign(x, s);
}
inline Pair CopySign(Pair x, Pair s) noexcept
{
  const PairBits sign = reinterpret_cast<PairBits>(s) & 0x8000000000000000ULL;
  return reinterpret_cast<Pair>((reinterpret_cast<PairBits>(x) & 0x7fffffffffffffffULL) | sign);
}

// Lane values read from, and written to, one item per lane (a channel state, a side's values).
template <class V, class T, class F> inline V Gather(T* const* items, F get) noexcept
{
  if constexpr (sizeof(V) == sizeof(double))
    return get(*items[0]);
  else
    return V{get(*items[0]), get(*items[1])};
}

template <class V, class T, class F> inline void Scatter(T* const* items, V value, F ref) noexcept
{
  if constexpr (sizeof(V) == sizeof(double)) {
    ref(*items[0]) = value;
  } else {
    ref(*items[0]) = value[0];
    ref(*items[1]) = value[1];
  }
}

inline Pair LoadPair(const double* p) noexcept
{
  Pair v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void StorePair(double* p, Pair v) noexcept
{
  std::memcpy(p, &v, sizeof v);
}

} // namespace kelmo::dsp

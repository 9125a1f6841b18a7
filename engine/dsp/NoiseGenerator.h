#pragma once

#include <cstdint>

namespace kelmo::dsp {

// Bit source that jitters the detector's sub-step positions. One generator is shared by both
// channels and all three sub-step loops, so its sequence depends on the processing order.
class NoiseGenerator
{
public:
  static constexpr uint64_t kSeed0 = 1000000000ULL;

  // Output bit (0 or 1) of the current state, without advancing. Audio thread; no allocation.
  int PeekBit() const noexcept
  {
    // The bit is ((out mod 44100) * 6087) >> 27 (never above 1). That product reaches 2^27
    // exactly from out mod 44100 = 22050 on, so the bit says whether out lies in the upper half
    // of its period of 44100, which is the parity of out / 22050: one division by a constant.
    const uint64_t out = Rotl(mS0 + mS1, 17) + mS0;
    return static_cast<int>((out / 22050u) & 1u);
  }

  // Moves the state one step on. Audio thread; no allocation.
  void Advance() noexcept
  {
    mS1 ^= mS0;
    mS0 = Rotl(mS0, 49) ^ mS1 ^ (mS1 << 21);
    mS1 = Rotl(mS1, 28);
  }

  // One draw: the current bit, then the state advances.
  int Draw() noexcept
  {
    const int bit = PeekBit();
    Advance();
    return bit;
  }

  uint64_t State0() const noexcept { return mS0; }
  uint64_t State1() const noexcept { return mS1; }

private:
  static uint64_t Rotl(uint64_t x, int k) noexcept { return (x << k) | (x >> (64 - k)); }

  uint64_t mS0 = kSeed0;
  uint64_t mS1 = 0;
};

} // namespace kelmo::dsp

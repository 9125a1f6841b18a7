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
    const uint64_t out = Rotl(mS0 + mS1, 17) + mS0;
    const uint32_t product = static_cast<uint32_t>(out % 44100u) * 6087u;
    const uint32_t bit = product >> 27;
    return bit > 1u ? 1 : static_cast<int>(bit);
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

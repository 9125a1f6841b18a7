#pragma once

#include "engine/dsp/DspMath.h"
#include "engine/dsp/Lanes.h"

namespace kelmo::dsp {

// The sections of the bank the signal path runs, by what they filter; every channel has its own
// of each. The others stay unused.
enum FilterSection : int {
  kSidechainHighPass = 0,        // detector input, retuned every block
  kTubeBandPass = 2,             // colour stage, retuned every frame with the tube mode
  kStereoBandPass = 3,           // stereo stage input, retuned every frame
  kRemovedLowPass320Hz = 4,      // what the gain cell removed
  kDriveLowPass2100Hz = 5,       // colour stage drive
  kRemovedLowPass160Hz = 6,      // what the gain cell removed
  kRemovedHighPass9274Hz = 7,    // what the gain cell removed; designed against twice a low rate
  kTriodeBandPass = 8,           // colour stage, retuned with kTubeBandPass; silent in pentode mode
  kCosineHighPass80Hz = 16,      // the tube polynomial's cosine, first of two in series
  kPhaseHighPass80Hz = 17,       // second of the two; also the stereo stage's phase term
  kOutputLowPass50Hz = 20,       // gain cell output
  kOutputBandPass60Hz = 21,      // gain cell output
  kToneBandPass203Hz = 22,       // colour stage tone
  kToneBandPass10893Hz = 23,     // colour stage tone
  kSideBandPass761Hz = 24,       // stereo stage side (channel 1's)
  kResonanceBandPass1034Hz = 25, // difference to the raw input
  kResonanceBandPass2981Hz = 26, // difference to the raw input
  kResonanceHighPass6509Hz = 27, // difference to the raw input
};

// From this rate on kRemovedHighPass9274Hz runs once per frame at the rate; below it, twice
// against twice the rate.
constexpr double kHighRateHz = 88200.0;

// The 32 second-order sections of both channels: coefficients (a0 normalised to 1) and two
// state words per section, stored channel-interleaved so both channels can run side by side.
// Sections run in transposed direct form II with the denormal offset; the output adds the offset
// to the state first, which keeps one addition off the signal's path through a chain of sections.
struct FilterBank
{
  static constexpr int kNumSections = 32;
  static constexpr int kNumChannels = 2;

  alignas(16) double b0[kNumSections][kNumChannels] = {};
  alignas(16) double b1[kNumSections][kNumChannels] = {};
  alignas(16) double b2[kNumSections][kNumChannels] = {};
  alignas(16) double a1[kNumSections][kNumChannels] = {};
  alignas(16) double a2[kNumSections][kNumChannels] = {};
  alignas(16) double z1[kNumSections][kNumChannels] = {};
  alignas(16) double z2[kNumSections][kNumChannels] = {};

  // Runs section n of channel c on x and returns its output. Audio thread; no allocation.
  double Run(int n, int c, double x) noexcept
  {
    const double y = b0[n][c] * x + (z1[n][c] + kDenormalOffset);
    z1[n][c] = b1[n][c] * x + kDenormalOffset + z2[n][c] - a1[n][c] * y;
    z2[n][c] = b2[n][c] * x + kDenormalOffset - a2[n][c] * y;
    return y;
  }

  // Runs section n of both channels (lane c = channel c). Each row is 16-byte aligned, so the
  // coefficients are read as aligned pairs and fold into the arithmetic.
  Pair Run(int n, Pair x) noexcept
  {
    AlignedPair& s1 = Row(z1, n);
    AlignedPair& s2 = Row(z2, n);
    const Pair y = Row(b0, n) * x + (s1 + kDenormalOffset);
    s1 = Row(b1, n) * x + kDenormalOffset + s2 - Row(a1, n) * y;
    s2 = Row(b2, n) * x + kDenormalOffset - Row(a2, n) * y;
    return y;
  }

  // Lane form used by code written for both widths: channel is the channel of a single lane.
  double RunLanes(int n, int channel, double x) noexcept { return Run(n, channel, x); }
  Pair RunLanes(int n, int, Pair x) noexcept { return Run(n, x); }

  // Fills every state word of channel c with the denormal offset (coefficients are kept).
  void ClearState(int c) noexcept
  {
    for (int n = 0; n < kNumSections; ++n)
      z1[n][c] = z2[n][c] = kDenormalOffset;
  }

  // A row of a table as an aligned pair (a type allowed to alias its doubles).
  using AlignedPair = double __attribute__((vector_size(16), aligned(16), may_alias));
  static AlignedPair& Row(double (&words)[kNumSections][kNumChannels], int n) noexcept
  {
    return *reinterpret_cast<AlignedPair*>(words[n]);
  }

  void SetCoefficients(int n, int c, double nb0, double nb1, double nb2, double na1, double na2) noexcept
  {
    b0[n][c] = nb0;
    b1[n][c] = nb1;
    b2[n][c] = nb2;
    a1[n][c] = na1;
    a2[n][c] = na2;
  }
};

// Highest frequency a section is designed for, as a fraction of the rate it is designed against.
constexpr double kMaxDesignFraction = 0.495;

// Per-frame band-passes are redesigned only when their frequency moves by more than this (Hz):
// smaller moves change the coefficients by less than 1e-12 relative, far below what shows in
// the output, and skipping them saves a tangent per channel and frame while a meter idles.
constexpr double kRetuneToleranceHz = 1e-9;

// True when a band-pass designed at designedHz must be redesigned for hz.
inline bool NeedsRetune(double hz, double designedHz) noexcept
{
  return !(hz - designedHz <= kRetuneToleranceHz && designedHz - hz <= kRetuneToleranceHz);
}

// Limits a design frequency to kMaxDesignFraction of the design rate.
double LimitDesignFrequency(double hz, double designRate) noexcept;

// Designs the fixed sections (all but the side-chain high-pass and the three band-passes retuned
// while running) of channel c for a sample rate. Called when
// the rate or the sub-step factor changes; audio thread or set-up; no allocation.
void DesignFixedBank(FilterBank& bank, int c, double sampleRate) noexcept;

// Side-chain high-pass of channel c at hz. Once per block.
void DesignSidechainHighPass(FilterBank& bank, int c, double hz, double sampleRate) noexcept;

// Band-passes retuned with the tube mode (kTubeBandPass and kTriodeBandPass, one frequency, a
// width each): b1 is the denormal offset.
void DesignTubeBandPasses(FilterBank& bank, int c, double hz, double r2, double r8,
                          double sampleRate) noexcept;

// Band-pass feeding the stereo stage (kStereoBandPass): b1 is 0.
void DesignStereoBandPass(FilterBank& bank, int c, double hz, double r, double sampleRate) noexcept;

} // namespace kelmo::dsp

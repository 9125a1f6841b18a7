#include "engine/dsp/FilterBank.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace kelmo::dsp {
namespace {

// Magnitude response of section n at hz.
double Magnitude(const FilterBank& b, int n, double hz, double rate, int c = 0)
{
  const std::complex<double> z = std::polar(1.0, -2.0 * 3.141592653589793 * hz / rate);
  const std::complex<double> num = b.b0[n][c] + b.b1[n][c] * z + b.b2[n][c] * z * z;
  const std::complex<double> den = 1.0 + b.a1[n][c] * z + b.a2[n][c] * z * z;
  return std::abs(num / den);
}

TEST(FilterBank, SectionRunsTransposedDirectFormWithGuard)
{
  FilterBank b;
  b.SetCoefficients(1, 1, 0.5, 0.25, 0.125, -0.2, 0.1);
  b.ClearState(1);
  const double y0 = b.Run(1, 1, 1.0);
  EXPECT_EQ(y0, 0.5 * 1.0 + (1e-15 + 1e-15));
  EXPECT_EQ(b.z1[1][1], 0.25 + 1e-15 + 1e-15 - (-0.2) * y0);
  EXPECT_EQ(b.z2[1][1], 0.125 + 1e-15 - 0.1 * y0);
  EXPECT_EQ(b.z1[1][0], 0.0); // the other channel is untouched
}

TEST(FilterBank, BothChannelsSideBySideMatchOneAtATime)
{
  FilterBank pair, single;
  for (FilterBank* b : {&pair, &single}) {
    DesignFixedBank(*b, 0, 48000.0);
    DesignFixedBank(*b, 1, 96000.0);
    b->ClearState(0);
    b->ClearState(1);
  }
  for (int n = 0; n < 200; ++n) {
    const double x0 = std::sin(n * 0.1), x1 = std::cos(n * 0.37) * 0.3;
    const Pair y = pair.Run(22, Pair{x0, x1});
    EXPECT_EQ(y[0], single.Run(22, 0, x0));
    EXPECT_EQ(y[1], single.Run(22, 1, x1));
  }
}

TEST(FilterBank, FixedDesignsHaveTheirShapes)
{
  for (double rate : {44100.0, 48000.0, 96000.0}) {
    FilterBank b;
    DesignFixedBank(b, 0, rate);
    EXPECT_NEAR(Magnitude(b, 4, 0.001, rate), 1.0, 1e-6);        // low-pass passes DC
    EXPECT_NEAR(Magnitude(b, 16, rate * 0.45, rate), 1.0, 1e-2); // high-pass passes the top
    EXPECT_LT(Magnitude(b, 16, 5.0, rate), 1e-2);
    EXPECT_NEAR(Magnitude(b, 25, 1034.0, rate), 1.0, 5e-3); // band-pass peaks at its centre
    EXPECT_EQ(b.b1[25][0], 0.0);
    EXPECT_EQ(b.b1[21][0], 1e-15);
  }
}

TEST(FilterBank, DesignFrequenciesAreLimitedBelowNyquist)
{
  // At 16 kHz the 10893 Hz band-pass would lie above Nyquist; it is designed at 0.495 * rate.
  FilterBank low;
  DesignFixedBank(low, 0, 16000.0);
  for (int n : {21, 22, 23, 24, 25, 26, 27, 4, 5, 6, 7}) {
    EXPECT_TRUE(std::isfinite(low.b0[n][0]) && std::isfinite(low.a1[n][0]) && std::isfinite(low.a2[n][0]))
        << n;
    // Stable: both poles inside the unit circle.
    EXPECT_LT(std::fabs(low.a2[n][0]), 1.0) << n;
  }
  EXPECT_EQ(LimitDesignFrequency(10893.0, 16000.0), 0.495 * 16000.0);
  // Nothing changes from 22.05 kHz up.
  EXPECT_EQ(LimitDesignFrequency(10893.0, 22050.0), 10893.0);
}

TEST(FilterBank, DynamicBandPassesPeakAtTheirFrequency)
{
  FilterBank b;
  DesignTubeBandPasses(b, 0, 1861.0, 4.3478260869565215, 25.0, 48000.0);
  DesignStereoBandPass(b, 0, 930.0, 2.127659574468085, 48000.0);
  DesignSidechainHighPass(b, 0, 150.0, 48000.0);
  EXPECT_NEAR(Magnitude(b, 2, 1861.0, 48000.0), 1.0, 1e-3);
  EXPECT_NEAR(Magnitude(b, 8, 1861.0, 48000.0), 1.0, 1e-3);
  EXPECT_GT(Magnitude(b, 8, 2500.0, 48000.0), Magnitude(b, 2, 2500.0, 48000.0)); // 8 is the wider
  EXPECT_NEAR(Magnitude(b, 3, 930.0, 48000.0), 1.0, 1e-3);
  EXPECT_EQ(b.b1[2][0], 1e-15);
  EXPECT_EQ(b.b1[3][0], 0.0);
  EXPECT_LT(Magnitude(b, 0, 20.0, 48000.0), 0.05);
  EXPECT_NEAR(Magnitude(b, 0, 5000.0, 48000.0), 1.0, 1e-2);
}

} // namespace
} // namespace kelmo::dsp

#include "engine/dsp/LaneMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmo::dsp {
namespace {

TEST(LaneMath, CosineMatchesTheLibraryAcrossBothRanges)
{
  double worst = 0.0;
  for (int i = -40000; i <= 40000; ++i) {
    const double x = i * 1e-4; // -4 .. 4: the series and the library fallback
    worst = std::max(worst, std::fabs(Cos(x) - std::cos(x)));
  }
  EXPECT_LT(worst, 4e-16);
  for (double x : {0.0, -0.0, 1e-300, 1e-8, kHalfPiBound, std::nextafter(kHalfPiBound, 2.0), -kHalfPiBound})
    EXPECT_NEAR(Cos(x), std::cos(x), 2e-16) << x;
  EXPECT_EQ(Cos(0.0), 1.0);
  EXPECT_EQ(Cos(1e6), std::cos(1e6));
  EXPECT_TRUE(std::isnan(Cos(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(Cos(std::numeric_limits<double>::quiet_NaN())));
}

TEST(LaneMath, PairLanesAgreeWithSingleLanesWhateverTheNeighbour)
{
  const double values[] = {0.3, -1.2, 1.5707963267948966, 2.5, -40.0, 1e-20};
  for (double a : values) {
    for (double b : values) {
      const Pair c = Cos(Pair{a, b});
      EXPECT_EQ(c[0], Cos(a)) << a << " " << b;
      EXPECT_EQ(c[1], Cos(b)) << a << " " << b;
      const Pair l = Log(Pair{std::fabs(a) + 1.0, std::fabs(b) + 1.0});
      EXPECT_EQ(l[0], Log(std::fabs(a) + 1.0));
      EXPECT_EQ(l[1], Log(std::fabs(b) + 1.0));
      const Pair r = Sqrt(Pair{std::fabs(a), std::fabs(b)});
      EXPECT_EQ(r[0], std::sqrt(std::fabs(a)));
      EXPECT_EQ(r[1], std::sqrt(std::fabs(b)));
    }
  }
}

} // namespace
} // namespace kelmo::dsp

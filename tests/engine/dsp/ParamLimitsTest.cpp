#include "engine/dsp/ParamLimits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmo::dsp {
namespace {

TEST(ParamLimits, SanitizeClampsAndReplacesNonFinite)
{
  ParamValues v = DefaultParamValues();
  v[kLAttack] = 1e9;
  v[kInputGain] = -1e9;
  v[kVariGain] = std::numeric_limits<double>::quiet_NaN();
  v[kNoiseAmount] = -std::numeric_limits<double>::infinity();
  const ParamValues s = SanitizeParams(v);
  EXPECT_EQ(s[kLAttack], 40.0);
  EXPECT_EQ(s[kInputGain], -16.0);
  EXPECT_EQ(s[kVariGain], 0.0);
  EXPECT_EQ(s[kNoiseAmount], 0.3);
  EXPECT_EQ(s[kLRelease], 450.0);
}

} // namespace
} // namespace kelmo::dsp

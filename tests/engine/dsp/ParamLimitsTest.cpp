#include "engine/dsp/ParamLimits.h"
#include "engine/KelmoParamTable.h"

#include "framework/editor/IEditorDelegate.h"
#include "framework/params/IParam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelmo::dsp {
namespace {

// Holds the parameters only; gestures go nowhere.
class ParamHolder : public plugin::IEditorDelegate
{
public:
  ParamHolder() : plugin::IEditorDelegate(kNumParams) {}
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

// The engine clamps to its own table; it must agree with the parameters the host sees, or a
// value the host accepts would be processed as a different one.
TEST(ParamLimits, AgreeWithTheParameterDefinitions)
{
  ParamHolder holder;
  DefineKelmoParams(holder);
  const ParamValues defaults = DefaultParamValues();
  for (int i = 0; i < kNumParams; ++i) {
    const plugin::IParam* param = holder.GetParam(i);
    ASSERT_NE(param, nullptr) << i;
    EXPECT_EQ(GetParamLimit(i).min, param->GetMin()) << i;
    EXPECT_EQ(GetParamLimit(i).max, param->GetMax()) << i;
    EXPECT_EQ(defaults[i], param->GetDefault()) << i;
  }
}

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

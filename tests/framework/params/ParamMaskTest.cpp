#include "framework/params/ParamMask.h"

#include <gtest/gtest.h>

namespace {

using plugin::ParamMask;

TEST(ParamMask, EachIndexHasItsOwnBitAndOthersNone)
{
  struct Case
  {
    int idx;
    ParamMask bit;
  };
  const Case cases[] = {
      {0, 0x1},
      {1, 0x2},
      {37, ParamMask{1} << 37},
      {63, ParamMask{1} << 63},
      {64, 0}, // beyond the word: no bit, rather than a shift past its width
      {1000, 0},
      {-1, 0},
      {-64, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(plugin::ParamBit(c.idx), c.bit) << c.idx;
    EXPECT_EQ(plugin::HasParam(plugin::kAllParamsMask, c.idx), c.bit != 0) << c.idx;
  }
  EXPECT_EQ(plugin::kParamMaskBits, 64);
}

} // namespace

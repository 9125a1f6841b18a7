#include "framework/params/ParamMask.h"

#include <gtest/gtest.h>

// An index outside the word has no bit, rather than a shift past the word's width.
TEST(ParamMask, OnlyIndicesInsideTheWordHaveABit)
{
  for (int idx : {0, 37, 63})
    EXPECT_EQ(plugin::ParamBit(idx), plugin::ParamMask{1} << idx) << idx;
  for (int idx : {64, 1000, -1, -64})
    EXPECT_FALSE(plugin::ParamBit(idx) || plugin::HasParam(plugin::kAllParamsMask, idx)) << idx;
}

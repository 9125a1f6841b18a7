#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <vector>

using namespace testhost;

namespace {

// Redefines the parameters as plain doubles -100..100 (default = index) in groups B A B C A B A,
// and parameter 7 as an int 0..4 in group C.
void Regroup(TestPlugin& p)
{
  const char* groups[] = {"B", "A", "B", "C", "A", "B", "A"};
  for (int i = 0; i < 7; ++i)
    p.GetParam(i)->InitDouble("p", i, -100, 100, 0.5, "", 0, groups[i]);
  p.GetParam(7)->InitInt("Steps", 0, 0, 4, "", 0, "C");
}

} // namespace

// Names are rewritten wherever the text occurs, and copied values are constrained to the target.
TEST(ParamCopies, CloneRenamesInsideNamesAndCopiesConstrainToTheTarget)
{
  TestPlugin p;
  p.GetParam(kGain)->Set(2.5);
  p.CloneParams(kGain, kFreq, kAttack, "ai", "AI", "Copy");
  EXPECT_STREQ(p.GetParam(kAttack)->GetName(), "GAIn");
  EXPECT_STREQ(p.GetParam(kHalf)->GetGroup(), "Copy");
  EXPECT_EQ(p.GetParam(kAttack)->Value(), 2.5); // the source's value, not its default
  EXPECT_EQ(p.GetParam(kHalf)->Value(), 1000.0);
  p.CopyParamValues(kHalf, kAttack, 1);
  EXPECT_EQ(p.GetParam(kAttack)->Value(), 4.0); // constrained to the target

  Regroup(p);
  p.CopyParamValues("A", "B"); // A = {1, 4, 6} goes to B = {0, 2, 5} in order
  EXPECT_EQ(Values(p), (std::vector<double>{1, 1, 4, 3, 4, 6, 6, 0}));
}

#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testhost;
using HE = HookEvent;

TEST(EditorDelegate, ConstrainEditorResizeClampsEachSide)
{
  TestPlugin p;
  p.SetSizeConstraints(2697, 899, 500, 1500); // reordered
  const std::tuple<int, int, bool, int, int> cases[] = {{1000, 600, true, 1000, 600},
                                                        {800, 600, false, 899, 600},
                                                        {3000, 2000, false, 2697, 1500},
                                                        {1000, 2000, false, 1000, 1500},
                                                        {1000, 100, false, 1000, 500}};
  for (const auto& [width, height, inside, outW, outH] : cases) {
    int w = width, h = height;
    EXPECT_EQ(p.ConstrainEditorResize(w, h), inside) << width << "x" << height;
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(outW, outH));
  }
}

TEST(EditorDelegate, MessagesReachOnMessageWithTheirTags)
{
  TestPlugin p;
  p.SendControlMsgFromDelegate(/*ctrlTag*/ 7, /*msgTag*/ 3, 16, nullptr);
  p.SendArbitraryMsgFromDelegate(5, 2, nullptr);
  p.SendArbitraryMsgFromUI(1, 2, 3, nullptr);
  EXPECT_EQ(p.log, (std::vector<HE>{{"message", 3, 16, 7}, {"message", 5, 2, -1}, {"message", 1, 3, 2}}));
}

TEST(EditorDelegate, ResetReportsEveryParameterToBothHooks)
{
  TestPlugin p;
  p.OnParamReset(kReset);
  ASSERT_EQ(p.log.size(), 2u * kNumTestParams);
  EXPECT_EQ(std::vector<HE>(p.log.begin(), p.log.begin() + 4),
            (std::vector<HE>{{"change", 0, 1.0, kReset, -1},
                             {"changeUI", 0, 0.0, kReset},
                             {"change", 1, 1000.0, kReset, -1},
                             {"changeUI", 1, 0.0, kReset}}));
}

TEST(EditorDelegate, OpeningAndRestoringSendSnappedNormalisedValues)
{
  TestPlugin p;
  p.GetParam(kHalf)->Set(0.9); // stored snapped to 1.0
  EXPECT_EQ(p.OpenWindow(nullptr), nullptr);
  p.OnRestoreState();
  const auto sent = p.Only("toEditor");
  ASSERT_EQ(sent.size(), 2u * kNumTestParams);
  EXPECT_EQ(sent[kSteps], (HE{"toEditor", kSteps, 0.5, 1}));
  EXPECT_EQ(sent[kNumTestParams + kHalf], (HE{"toEditor", kHalf, 0.75, 1}));
}

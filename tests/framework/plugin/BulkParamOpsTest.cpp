#include "framework/plugin/IPluginAPIBase.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

using namespace plugin;

namespace {

// Eight parameters: 0-3 in group "A", 4-5 in "B", 6 without a group, 7 stepped 0..4 in "B".
class BulkPlugin : public IPluginAPIBase
{
public:
  BulkPlugin() : IPluginAPIBase(Config(), kAPIVST3)
  {
    InitParamRange(0, 3, 1, "Band %i", 0.5, 0.0, 1.0, 0.01, "", 0, "A");
    GetParam(4)->InitDouble("Wide", 15.0, 0.0, 10.0, 0.1, "", 0, "B"); // default outside the range
    GetParam(5)->InitDouble("Other", 2.0, 0.0, 10.0, 0.1, "", 0, "B");
    GetParam(6)->InitDouble("Loose", 3.0, 0.0, 10.0, 0.1);
    GetParam(7)->InitInt("Steps", 0, 0, 4, "", 0, "B");
  }
  static IPluginConfig Config()
  {
    IPluginConfig c;
    c.mNParams = 8;
    return c;
  }
  void SetAll(double v)
  {
    for (int i = 0; i < NParams(); ++i)
      GetParam(i)->Set(v);
  }
  std::vector<double> Values() const
  {
    std::vector<double> v;
    for (int i = 0; i < NParams(); ++i)
      v.push_back(GetParam(i)->Value());
    return v;
  }
};

} // namespace

TEST(BulkOps, InitParamRangeNamesAndDefines)
{
  BulkPlugin p;
  EXPECT_STREQ(p.GetParam(0)->GetName(), "Band 1");
  EXPECT_STREQ(p.GetParam(3)->GetName(), "Band 4");
  EXPECT_STREQ(p.GetParam(2)->GetGroup(), "A");
  EXPECT_EQ(p.GetParam(1)->Value(), 0.5);
  p.InitParamRange(6, 5, 1, "Never %i", 0.0, 0.0, 1.0, 0.1); // start after end: nothing
  EXPECT_STREQ(p.GetParam(6)->GetName(), "Loose");
  p.InitParamRange(6, 99, 7, "Tail %i", 0.25, 0.0, 1.0, 0.05); // cut to the list
  EXPECT_STREQ(p.GetParam(7)->GetName(), "Tail 8");
  p.InitParamRange(0, 0, 1, nullptr, 0.0, 0.0, 1.0, 0.1);
  EXPECT_STREQ(p.GetParam(0)->GetName(), "");
}

TEST(BulkOps, DefaultsByRangeGroupAndAll)
{
  BulkPlugin p;
  p.SetAll(1.0);
  p.DefaultParamValues(3, 2);
  EXPECT_EQ(p.Values(), std::vector<double>(8, 1.0));
  p.DefaultParamValues(2, 2);
  EXPECT_EQ(p.Values(), (std::vector<double>{1, 1, 0.5, 1, 1, 1, 1, 1}));
  p.DefaultParamValues("B");
  EXPECT_EQ(p.Values(), (std::vector<double>{1, 1, 0.5, 1, 10, 2, 1, 0}));
  p.DefaultParamValues("b"); // group names are case-sensitive
  EXPECT_EQ(p.Values(), (std::vector<double>{1, 1, 0.5, 1, 10, 2, 1, 0}));
  p.SetAll(1.0);
  p.DefaultParamValues("b");
  EXPECT_EQ(p.Values(), std::vector<double>(8, 1.0));
  p.DefaultParamValues("");
  EXPECT_EQ(p.GetParam(6)->Value(), 3.0);
  p.DefaultParamValues("no such group");
  p.DefaultParamValues(nullptr); // reads as the empty group
  p.SetAll(1.0);
  p.DefaultParamValues();
  EXPECT_EQ(p.Values(), (std::vector<double>{0.5, 0.5, 0.5, 0.5, 10, 2, 3, 0})); // never outside the range
  p.DefaultParamValues(-10, 100); // indices outside the list are skipped
}

TEST(BulkOps, RandomIsRepeatableAndRespectsSteps)
{
  BulkPlugin a, b;
  std::srand(1); // the unseeded state of a fresh process
  a.RandomiseParamValues();
  std::srand(1);
  b.RandomiseParamValues();
  EXPECT_EQ(a.Values(), b.Values());

  std::set<double> seen;
  for (int i = 0; i < 400; ++i) {
    a.RandomiseParamValues(7, 7);
    seen.insert(a.GetParam(7)->Value());
  }
  EXPECT_EQ(seen, (std::set<double>{0, 1, 2, 3, 4}));

  a.SetAll(0.0);
  a.RandomiseParamValues("A");
  for (int i = 4; i < 8; ++i)
    EXPECT_EQ(a.GetParam(i)->Value(), 0.0);
  for (int i = 0; i < 4; ++i) {
    EXPECT_GE(a.GetParam(i)->Value(), 0.0);
    EXPECT_LE(a.GetParam(i)->Value(), 1.0);
  }
}

TEST(BulkOps, VisitorsVisitInOrderAndEmptyCallablesDoNothing)
{
  BulkPlugin p;
  std::vector<int> visited;
  p.ForParamInRange(2, 5, [&](int idx, IParam&) { visited.push_back(idx); });
  EXPECT_EQ(visited, (std::vector<int>{2, 3, 4, 5}));
  visited.clear();
  p.ForParamInGroup("B", [&](int idx, IParam& param) {
    visited.push_back(idx);
    EXPECT_EQ(&param, p.GetParam(idx));
  });
  EXPECT_EQ(visited, (std::vector<int>{4, 5, 7}));
  visited.clear();
  p.ForParamInGroup("b", [&](int idx, IParam&) { visited.push_back(idx); }); // case-sensitive
  EXPECT_TRUE(visited.empty());
  EXPECT_NO_THROW(p.ForParamInRange(0, 7, IPluginBase::ParamFunc{}));
  EXPECT_NO_THROW(p.ForParamInGroup("A", nullptr));
  EXPECT_NO_THROW(p.PrintParamValues());
}

#include "framework/plugin/HostDetection.h"
#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <tuple>

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

TEST(ParamState, NativeDoublesInIndexOrder)
{
  TestPlugin p;
  p.GetParam(kGain)->Set(0.5);
  p.GetParam(kHalf)->Set(-2.0);
  IByteChunk state;
  const int32_t prefix = 7;
  state.Put(&prefix);
  ASSERT_TRUE(p.SerializeState(state));
  ASSERT_EQ(state.Size(), 4 + 8 * kNumTestParams);
  EXPECT_EQ(Bytes(state, 4, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));
  EXPECT_EQ(Bytes(state, 4 + 56, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0xC0}));

  SetAllNormalized(p, 0.3);
  IByteChunk edited;
  ASSERT_TRUE(p.SerializeState(edited));
  TestPlugin fresh;
  EXPECT_EQ(fresh.UnserializeState(edited, 0), edited.Size());
  EXPECT_EQ(Values(fresh), Values(p));
  IByteChunk again;
  fresh.SerializeState(again);
  EXPECT_TRUE(again.IsEqual(edited));
}

TEST(ParamState, HostileStatesLeaveValidValuesAndNotifyEveryParameter)
{
  TestPlugin src;
  SetAllNormalized(src, 0.7);
  IByteChunk good;
  src.SerializeState(good);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> defaults = Values(TestPlugin());
  std::vector<double> twoRead = defaults; // a parameter without data keeps its value
  twoRead[0] = Values(src)[0];
  twoRead[1] = Values(src)[1];
  const std::tuple<IByteChunk, int, int, std::vector<double>> cases[] = {
      {Chunk(Bytes(good, 0, 20)), 0, -1, twoRead},
      {good, -1, -1, defaults},
      {good, 64, -1, defaults},
      {Chunk(StateBytes({-1e9, 1e9, nan, 1e9, -1e9, 1e9, -1e9, 1e9})), 0, 64, {0, 20000, 0, 1, 0, 4, 1, 2}}};
  for (const auto& [chunk, start, end, values] : cases) {
    TestPlugin p;
    EXPECT_EQ(p.UnserializeState(chunk, start), end) << start;
    EXPECT_EQ(Values(p), values) << start;
    ASSERT_EQ(p.log.size(), 2u * kNumTestParams); // change and changeUI for each parameter
    EXPECT_EQ(p.log[10], (HookEvent{"change", 5, p.GetParam(5)->Value(), kPresetRecall, -1}));
  }
}

TEST(PluginIdentity, VersionAPIAndBuildTexts)
{
  TestPlugin p;
  EXPECT_EQ(p.GetPluginVersion(false), 2 * 65536 + 1 * 256 + 3);
  EXPECT_EQ(p.GetPluginVersion(true), 20103);
  StringBuf text;
  p.GetPluginVersionStr(text);
  EXPECT_STREQ(text.Get(), "v2.1.3");
  p.GetHostVersionStr(text);
  EXPECT_STREQ(text.Get(), "v0.0.0");
  p.GetBuildInfoStr(text, "Dec  6 2026", "20:53:41");
  EXPECT_EQ(text.Get(),
            std::string("v2.1.3 VST3 (") + p.GetArchString() + "), built on Dec  6 2026 at 20:53 ");
}

TEST(ParamCopies, CloneAndCopyByRangeAndGroup)
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

TEST(BulkOps, DefaultRandomAndNamedRanges)
{
  TestPlugin p;
  Regroup(p);
  const auto setAll = [&](double v) {
    for (int i = 0; i < kNumTestParams; ++i)
      p.GetParam(i)->Set(v);
  };
  const std::pair<std::function<void()>, std::vector<double>> defaults[] = {
      {[&] { p.DefaultParamValues(3, 2); }, {9, 9, 9, 9, 9, 9, 9, 4}},
      {[&] { p.DefaultParamValues(2, 3); }, {9, 9, 2, 3, 9, 9, 9, 4}},
      {[&] { p.DefaultParamValues("A"); }, {9, 1, 9, 9, 4, 9, 6, 4}},
      {[&] { p.DefaultParamValues("a"); }, {9, 9, 9, 9, 9, 9, 9, 4}},
      {[&] { p.DefaultParamValues(); }, {0, 1, 2, 3, 4, 5, 6, 0}}};
  for (const auto& [op, expected] : defaults) {
    setAll(9);
    op();
    EXPECT_EQ(Values(p), expected);
  }

  TestPlugin q;
  Regroup(q);
  std::srand(1); // the unseeded state of a fresh process
  p.RandomiseParamValues();
  std::srand(1);
  q.RandomiseParamValues();
  EXPECT_EQ(Values(p), Values(q));
  std::set<double> seen;
  for (int i = 0; i < 400; ++i) {
    p.RandomiseParamValues(7, 7);
    seen.insert(p.GetParam(7)->Value());
  }
  EXPECT_EQ(seen, (std::set<double>{0, 1, 2, 3, 4}));

  p.InitParamRange(4, 7, 1, "Band %i", 0.5, 0.0, 1.0, 0.01);
  EXPECT_STREQ(p.GetParam(4)->GetName(), "Band 1");
  EXPECT_STREQ(p.GetParam(7)->GetName(), "Band 4");
}

TEST(HostDetection, FirstMatchInTestOrderWins)
{
  const std::pair<const char*, int>
      names[] = {{"REAPER", 1},       {"Cubase 12", 3}, {"WaveLab Elements 11", 32},
                 {"WaveLab Pro", 31}, {"Live 11", 9},   {"Bitwig Studio", 34},
                 {"Pro Tools", 0},    {"ProTools", 2},  {"Standalone", 24}},
      order[] = {{"Blue Cat's VST Host", 44},  {"iZotope RX 10", 42},      {"", 0},
                 {"Deliverance", 9},           {"Standalone Reaper", 1},   {"www standalone", 24},
                 {"Logic Pro X with Live", 9}, {"PreSonus Studio One", 26}};
  for (const auto& [name, id] : names)
    EXPECT_EQ(LookUpHost(name), id) << name;
  for (const auto& [name, id] : order) // the first match in test order wins
    EXPECT_EQ(LookUpHost(name), id) << name;
  EXPECT_EQ(LookUpHost(nullptr), 0);
  const std::string padded(kMaxHostNameLen - 6, 'x');
  EXPECT_EQ(LookUpHost((padded + "reaper").c_str()), 1);  // fits exactly
  EXPECT_EQ(LookUpHost((padded + "xreaper").c_str()), 0); // cut before the last letter
}

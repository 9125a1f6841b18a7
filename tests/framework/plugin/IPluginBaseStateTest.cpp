#include "support/framework/RecordingPlugin.h"
#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

using plugin::IByteChunk;
using plugin::IParam;
using plugin::StringBuf;
using plugin::test::RecordingPlugin;
using testhost::Bytes;

namespace {

// Three wide double parameters holding 1.0, 0.5 and -2.0.
void SetUpThree(RecordingPlugin& plug)
{
  for (int i = 0; i < 3; ++i)
    plug.GetParam(i)->InitDouble("p", 0, -10, 10, 0.001);
  plug.GetParam(0)->Set(1.0);
  plug.GetParam(1)->Set(0.5);
  plug.GetParam(2)->Set(-2.0);
}
} // namespace

TEST(ParamState, ExactBytesOfThreeValues)
{
  RecordingPlugin plug(3, 0);
  SetUpThree(plug);
  IByteChunk chunk;
  EXPECT_TRUE(plug.SerializeState(chunk));
  EXPECT_EQ(Bytes(chunk), (std::vector<uint8_t>{0, 0, 0,    0,    0, 0, 0xF0, 0x3F, 0, 0, 0, 0,
                                                0, 0, 0xE0, 0x3F, 0, 0, 0,    0,    0, 0, 0, 0xC0}));
}

TEST(ParamState, AppendsAfterExistingBytesAndRoundTrips)
{
  RecordingPlugin a(44, 0);
  for (int i = 0; i < 44; ++i) {
    a.GetParam(i)->InitDouble("p", 0, -100, 100, 0.0001);
    a.GetParam(i)->Set(i * 1.25 - 20);
  }
  IByteChunk chunk;
  const int32_t prefix = 0x1234;
  chunk.Put(&prefix);
  ASSERT_TRUE(a.SerializeParams(chunk));
  EXPECT_EQ(chunk.Size(), 4 + 8 * 44);

  RecordingPlugin b(44, 0);
  for (int i = 0; i < 44; ++i)
    b.GetParam(i)->InitDouble("p", 0, -100, 100, 0.0001);
  EXPECT_EQ(b.UnserializeState(chunk, 4), 4 + 8 * 44);
  for (int i = 0; i < 44; ++i)
    EXPECT_EQ(b.GetParam(i)->Value(), a.GetParam(i)->Value()) << i;
  const auto changes = b.CallsOf("OnParamChange");
  ASSERT_EQ(changes.size(), 44u);
  EXPECT_EQ(changes[0].source, plugin::kPresetRecall);
}

TEST(ParamState, NoParametersWriteNothingAndReadReturnsStart)
{
  RecordingPlugin plug(0, 0);
  IByteChunk chunk;
  EXPECT_TRUE(plug.SerializeParams(chunk));
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_EQ(plug.UnserializeParams(chunk, 3), 3);
}

TEST(ParamState, ShortDataSetsWhatIsThereAndKeepsTheRest)
{
  RecordingPlugin src(3, 0);
  SetUpThree(src);
  IByteChunk full;
  src.SerializeParams(full);
  IByteChunk cut;
  cut.PutBytes(full.GetData(), 20);

  RecordingPlugin dst(3, 0);
  SetUpThree(dst);
  dst.GetParam(0)->Set(7);
  dst.GetParam(1)->Set(7);
  dst.GetParam(2)->Set(7);
  EXPECT_EQ(dst.UnserializeParams(cut, 0), -1);
  EXPECT_EQ(dst.GetParam(0)->Value(), 1.0);
  EXPECT_EQ(dst.GetParam(1)->Value(), 0.5);
  EXPECT_EQ(dst.GetParam(2)->Value(), 7.0); // its bytes are missing: kept, never 0.0
  const auto changes = dst.CallsOf("OnParamChange");
  ASSERT_EQ(changes.size(), 3u); // still notifies every parameter
  for (const auto& c : changes)
    EXPECT_EQ(c.source, plugin::kPresetRecall);
}

TEST(ParamState, NegativeStartChangesNothingButNotifies)
{
  RecordingPlugin plug(3, 0);
  SetUpThree(plug);
  IByteChunk chunk;
  plug.SerializeParams(chunk);
  plug.GetParam(0)->Set(3);
  EXPECT_EQ(plug.UnserializeParams(chunk, -1), -1);
  EXPECT_EQ(plug.GetParam(0)->Value(), 3.0);
  EXPECT_EQ(plug.CallsOf("OnParamChangeUI").size(), 3u);
  plug.calls.clear();
  EXPECT_EQ(plug.UnserializeParams(chunk, chunk.Size()), -1); // a start at the end reads nothing
  EXPECT_EQ(plug.GetParam(0)->Value(), 3.0);
  EXPECT_EQ(plug.CallsOf("OnParamChangeUI").size(), 3u);
}

TEST(ParamState, StoredValuesAreConstrainedOnRestore)
{
  RecordingPlugin plug(2, 0);
  plug.GetParam(0)->InitInt("i", 0, 0, 5);
  plug.GetParam(1)->InitDouble("d", 0, 0, 1, 0.01);
  IByteChunk chunk;
  const double stored[2] = {7.3, std::numeric_limits<double>::quiet_NaN()};
  chunk.Put(&stored[0]);
  chunk.Put(&stored[1]);
  EXPECT_EQ(plug.UnserializeParams(chunk, 0), 16);
  EXPECT_EQ(plug.GetParam(0)->Value(), 5.0);
  EXPECT_EQ(plug.GetParam(1)->Value(), 0.0); // NaN gives min
}

TEST(PluginIdentity, VersionFormsAndTexts)
{
  RecordingPlugin plug(0, 0);
  plug.SetVersion(0x00020103);
  EXPECT_EQ(plug.GetPluginVersion(false), 2 * 65536 + 1 * 256 + 3);
  EXPECT_EQ(plug.GetPluginVersion(true), 20103);
  StringBuf text;
  plug.GetPluginVersionStr(text);
  EXPECT_STREQ(text.Get(), "v2.1.3");
  EXPECT_EQ(plug.GetHostVersion(true), 0);
  plug.GetHostVersionStr(text);
  EXPECT_STREQ(text.Get(), "v0.0.0");
  EXPECT_EQ(plug.GetHost(), -1);
}

TEST(PluginIdentity, APIAndBuildTexts)
{
  RecordingPlugin plug(0, 0);
  plug.SetAPI(plugin::kAPIVST3);
  EXPECT_STREQ(plug.GetAPIString(), "VST3");
  plug.SetAPI(8);
  EXPECT_STREQ(plug.GetAPIString(), "CLAP");
  plug.SetAPI(9);
  EXPECT_STREQ(plug.GetAPIString(), "");
  plug.SetAPI(-1);
  EXPECT_STREQ(plug.GetAPIString(), "");

  plug.SetAPI(plugin::kAPIVST3);
  plug.SetVersion(0x00010007);
  StringBuf info;
  plug.GetBuildInfoStr(info, "Dec  6 2026", "20:53:41");
  const std::string expected =
      std::string("v1.0.7 VST3 (") + plug.GetArchString() + "), built on Dec  6 2026 at 20:53 ";
  EXPECT_EQ(info.Get(), expected);
  plug.GetBuildInfoStr(info, nullptr, nullptr);
  EXPECT_NE(std::string(info.Get()).find("built on  at  "), std::string::npos);
}

TEST(PluginIdentity, ParamGroupsAreDistinctAndNonEmpty)
{
  RecordingPlugin plug(0, 0);
  EXPECT_EQ(plug.AddParamGroup("Left"), 0);
  EXPECT_EQ(plug.AddParamGroup("Right"), 1);
  EXPECT_EQ(plug.AddParamGroup("Left"), 0);
  EXPECT_EQ(plug.AddParamGroup(""), -1);
  EXPECT_EQ(plug.AddParamGroup(nullptr), -1);
  EXPECT_EQ(plug.NParamGroups(), 2);
  EXPECT_STREQ(plug.GetParamGroupName(1), "Right");
  EXPECT_STREQ(plug.GetParamGroupName(2), "");
}

TEST(ParamCopies, CloneParamsCopiesDefinitionAndValue)
{
  RecordingPlugin plug(4, 0);
  plug.GetParam(0)->InitGain("L Gain", 0, -12, 12, 0.5, 0, "Left");
  plug.GetParam(1)->InitEnum("L Mode", 0, {"a", "b"}, 0, "Left");
  plug.GetParam(0)->Set(6);
  plug.GetParam(1)->Set(1);
  plug.CloneParams(0, 1, 2, "L ", "R ", "Right");
  EXPECT_STREQ(plug.GetParam(2)->GetName(), "R Gain");
  EXPECT_STREQ(plug.GetParam(3)->GetName(), "R Mode");
  EXPECT_STREQ(plug.GetParam(3)->GetGroup(), "Right");
  EXPECT_EQ(plug.GetParam(2)->Value(), 6.0);
  EXPECT_EQ(plug.GetParam(3)->Value(), 1.0);
  EXPECT_STREQ(plug.GetParam(3)->GetDisplayText(1), "b");

  plug.CloneParams(1, 0, 2, "", "", ""); // from > to: nothing
  plug.CloneParams(2, 3, 3, "", "", ""); // cut to the list: only 2 -> 3
  EXPECT_STREQ(plug.GetParam(3)->GetName(), "R Gain");
  plug.CloneParams(-1, 2, 0, "", "", ""); // bad start: ignored
  plug.CloneParams(0, 0, 10, "", "", "");
}

TEST(ParamCopies, CopyValuesByRangeAndCutToTheList)
{
  RecordingPlugin plug(4, 0);
  for (int i = 0; i < 4; ++i) {
    plug.GetParam(i)->InitDouble("p", 0, 0, 10, 0.1);
    plug.GetParam(i)->Set(i);
  }
  plug.CopyParamValues(0, 2, 2);
  EXPECT_EQ(plug.GetParam(2)->Value(), 0.0);
  EXPECT_EQ(plug.GetParam(3)->Value(), 1.0);
  plug.CopyParamValues(1, 3, 5); // only one fits
  EXPECT_EQ(plug.GetParam(3)->Value(), 1.0);
  plug.CopyParamValues(0, 1, 0);
  plug.CopyParamValues(-2, 1, 2);
  plug.CopyParamValues(0, 9, 2);
  EXPECT_EQ(plug.GetParam(1)->Value(), 1.0);
}

TEST(ParamCopies, CopyValuesBetweenGroupsPairsByOrder)
{
  RecordingPlugin plug(6, 0);
  const char* groups[] = {"B", "A", "B", "C", "A", "B"};
  for (int i = 0; i < 6; ++i) {
    plug.GetParam(i)->InitDouble("p", 0, -100, 100, 1, "", 0, groups[i]);
    plug.GetParam(i)->Set(i + 10);
  }
  plug.CopyParamValues("A", "B"); // A = {1, 4}, B = {0, 2, 5}: two values copied
  EXPECT_EQ(plug.GetParam(0)->Value(), 11.0);
  EXPECT_EQ(plug.GetParam(2)->Value(), 14.0);
  EXPECT_EQ(plug.GetParam(5)->Value(), 15.0);
  plug.CopyParamValues("B", "A"); // more sources than targets: min of the two
  EXPECT_EQ(plug.GetParam(1)->Value(), 11.0);
  EXPECT_EQ(plug.GetParam(4)->Value(), 14.0);
  plug.CopyParamValues(nullptr, "A");
  plug.CopyParamValues("Z", "A");
  EXPECT_EQ(plug.GetParam(1)->Value(), 11.0);
}

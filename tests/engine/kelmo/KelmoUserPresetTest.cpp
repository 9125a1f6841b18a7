#include "support/ChildProcess.h"
#include "support/engine/KelmoTestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace kelmotest;

namespace {

using UserPreset = KelmoTest;

} // namespace

TEST_F(UserPreset, NoFileOrPlaceholderGivesTheDefaults)
{
  {
    TestKelmo k;
    EXPECT_EQ(Values(k), Defaults(k));
  }
  WriteSlot(0, "nada");
  TestKelmo k;
  EXPECT_EQ(Values(k), Defaults(k));
}

TEST_F(UserPreset, SlotZeroIsAppliedAtConstructionExceptTheSkippedIndices)
{
  WriteSlot(0, R"({"Params":{"1":3.3,"20":2,"37":1,"26":1.5,"21":1},"PresetName":"Mine"})");
  TestKelmo k;
  EXPECT_EQ(V(k, kLWetGain), 3.3);
  EXPECT_EQ(V(k, kPluginScale), 1.5);
  EXPECT_EQ(V(k, kOverSampling), 0.0);
  EXPECT_EQ(V(k, kComparisonSlot), 0.0);
  EXPECT_EQ(V(k, kDelta), 0.0);
  // Applied without the change hook: the twin keeps its value although linking is on.
  EXPECT_EQ(V(k, kLinkChannelControls), 1.0);
  EXPECT_EQ(V(k, kRWetGain), 0.0);
  // Nothing else moved, and the preset records are untouched.
  EXPECT_EQ(k.GetCurrentPresetIdx(), 0);
  EXPECT_STREQ(k.GetPresetName(0), "Factory default");
}

TEST_F(UserPreset, ValuesAreSnappedAndClamped)
{
  WriteSlot(0, R"({"Params":{"2":50,"35":2.6,"20":3,"6":5,"17":-4,"0":0.4},"PresetName":"x"})");
  TestKelmo k;
  EXPECT_EQ(V(k, kLThreshold), 36.0);
  EXPECT_EQ(V(k, kLSyncRelease), 3.0);
  EXPECT_EQ(V(k, kOverSampling), 0.0);
  EXPECT_EQ(V(k, kLSidechainFrequency), 50.0);
  EXPECT_EQ(V(k, kVariGain), 0.0);
  EXPECT_EQ(V(k, kPower), 0.0);
}

TEST_F(UserPreset, MemberNamesMustBePlainIndices)
{
  WriteSlot(0, R"({"Params":{"05":1.5,"5.0":300,"44":1,"-1":1,"+7":3,"7":-6.5},"PresetName":"keys"})");
  TestKelmo k;
  EXPECT_EQ(V(k, kLRelease), 450.0);
  EXPECT_EQ(V(k, kLSidechainGain), -6.5);
  EXPECT_EQ(V(k, kPower), 1.0);
}

TEST_F(UserPreset, NonNumbersAreIgnoredOneByOne)
{
  WriteSlot(0, R"({"Params":{"1":false,"2":"1","3":null,"4":[1],"9":{"a":1},"12":7.5},"PresetName":"t"})");
  TestKelmo k;
  EXPECT_EQ(V(k, kLWetGain), 0.0);
  EXPECT_EQ(V(k, kLThreshold), 0.0);
  EXPECT_EQ(V(k, kLFeedBack), 1.0);
  EXPECT_EQ(V(k, kLAttack), 20.0);
  EXPECT_EQ(V(k, kRWetGain), 0.0);
  EXPECT_EQ(V(k, kRAttack), 7.5);
}

TEST_F(UserPreset, UnusableDocumentsCountAsMissing)
{
  const char* docs[] = {
      "",
      "{",
      R"({"Params":{"1":3.3}})"
      "trailing",
      R"({"Params":{"1":1e400},"PresetName":"big"})",
      "/* note */ {\"Params\":{\"1\":3.3}}",
      "\xEF\xBB\xBF\xFF\xFE garbage",
  };
  for (const char* doc : docs) {
    SCOPED_TRACE(doc);
    WriteSlot(0, doc);
    TestKelmo k;
    EXPECT_EQ(Values(k), Defaults(k));
    // Still a working instance: audio runs and the meters are sent.
    k.Prepare(48000.0, 64);
    std::vector<double> l(64, 0.25), r(64, -0.25);
    k.ProcessInPlace(l.data(), r.data(), 64);
    k.OnIdle();
    EXPECT_EQ(k.Only(EditorEvent::kControlMsg).size(), 4u);
  }
}

// A document that parses is applied at start-up as far as its types allow; one with nothing of
// use is still a load, so the editor is sent every value.
TEST_F(UserPreset, WrongTypesSkipOnlyWhatTheyHold)
{
  const std::pair<const char*, double> cases[] = {{R"({"Params":{"1":3.3},"PresetName":7})", 3.3},
                                                  {R"({"Params":[3.3],"PresetName":"list"})", 0.0},
                                                  {R"([{"Params":{"1":3.3}}])", 0.0},
                                                  {R"("just text")", 0.0}};
  for (const auto& [doc, wetGain] : cases) {
    WriteSlot(0, doc);
    TestKelmo k;
    std::vector<double> want = Defaults(k);
    want[kLWetGain] = wetGain;
    EXPECT_EQ(Values(k), want) << doc;
  }
  TestKelmo k; // slot 0 still holds the last file
  k.events.clear();
  k.LoadUserPreset(0);
  EXPECT_EQ(k.Only(EditorEvent::kParamValue).size(), 44u);
}

TEST_F(UserPreset, ADirectoryOrAHugeFileCountsAsMissing)
{
  std::filesystem::create_directories(UserPresetPath(0));
  {
    TestKelmo k;
    EXPECT_EQ(Values(k), Defaults(k));
  }
  std::filesystem::remove(UserPresetPath(0));
  std::string huge = R"({"Params":{"1":3.3},"PresetName":")";
  huge += std::string(1100 * 1024, 'a') + "\"}";
  WriteSlot(0, huge);
  TestKelmo k;
  EXPECT_EQ(Values(k), Defaults(k));
}

TEST_F(UserPreset, AppliedOnlyOverUntouchedDefaultsAtPresetZero)
{
  WriteSlot(0, R"({"Params":{"1":3.3},"PresetName":"Mine"})");
  TestKelmo k;
  ASSERT_EQ(V(k, kLWetGain), 3.3);

  // The instance is no longer at its defaults: a second load is refused, and stays refused.
  WriteSlot(0, R"({"Params":{"1":-2.2},"PresetName":"Mine"})");
  k.LoadUserPreset(0);
  EXPECT_EQ(V(k, kLWetGain), 3.3);
  k.GetParam(kLWetGain)->Set(0.0);
  k.LoadUserPreset(0);
  EXPECT_EQ(V(k, kLWetGain), 0.0);

  // Another current preset refuses it, even over untouched defaults.
  WriteSlot(0, "nada");
  TestKelmo other;
  ASSERT_TRUE(other.RestorePreset(35)); // a free record: the values stay the defaults
  ASSERT_EQ(other.GetCurrentPresetIdx(), 35);
  WriteSlot(0, R"({"Params":{"17":55},"PresetName":"Mine"})");
  other.LoadUserPreset(0);
  EXPECT_EQ(V(other, kVariGain), 0.0);
  TestKelmo fresh;
  EXPECT_EQ(V(fresh, kVariGain), 55.0);
}

TEST_F(UserPreset, RefusedOnceAudioHasRun)
{
  TestKelmo k;
  k.Prepare(48000.0, 32);
  std::vector<double> l(32, 0.0), r(32, 0.0);
  k.ProcessInPlace(l.data(), r.data(), 32);
  ASSERT_TRUE(k.Dsp().BlockProcessed());
  WriteSlot(0, R"({"Params":{"1":3.3},"PresetName":"late"})");
  k.LoadUserPreset(0);
  EXPECT_EQ(V(k, kLWetGain), 0.0);
}

TEST_F(UserPreset, ALoadSendsEveryValueToTheEditor)
{
  TestKelmo k;
  WriteSlot(3, R"({"Params":{"6":300,"41":0},"PresetName":"three"})");
  k.events.clear();
  k.LoadUserPreset(3);
  EXPECT_EQ(V(k, kLSidechainFrequency), 300.0);
  EXPECT_EQ(V(k, kRSidechainInput), 0.0);
  const auto sent = k.Only(EditorEvent::kParamValue);
  ASSERT_EQ(sent.size(), 44u);
  for (int i = 0; i < 44; ++i) {
    EXPECT_EQ(sent[static_cast<size_t>(i)].idx, i);
    EXPECT_TRUE(sent[static_cast<size_t>(i)].normalized);
    EXPECT_DOUBLE_EQ(sent[static_cast<size_t>(i)].value, k.GetParam(i)->GetNormalized());
  }
  EXPECT_NEAR(sent[kLSidechainFrequency].value, 0.5, 1e-12);

  // A missing or unusable file sends nothing.
  k.events.clear();
  TestKelmo m;
  m.events.clear();
  m.LoadUserPreset(9);
  WriteSlot(4, "{oops");
  m.LoadUserPreset(4);
  EXPECT_TRUE(m.events.empty());
}

TEST_F(UserPreset, FolderOverrideAndSlotNames)
{
  EXPECT_EQ(UserPresetPath(0), folder.Path() + "/0 User Preset.json");
  EXPECT_EQ(UserPresetPath(12), folder.Path() + "/12 User Preset.json");
  // A missing folder tree is created by the first save, then read back by a new instance.
  SetUserPresetFolder(folder.Path() + "/Quillmere/Kelmo Presets");
  WriteSlot(0, R"({"Params":{"31":42},"PresetName":"deep"})");
  TestKelmo k;
  EXPECT_EQ(V(k, kDryBlend), 42.0);
}

TEST_F(UserPreset, AnUnwritableFolderFailsTheSaveAndLeavesTheDefaults)
{
  // A file where a folder should be stops the save whoever runs it.
  const std::string blocker = folder.Path() + "/Quillmere";
  ASSERT_TRUE(WriteStringToFile(blocker, "not a folder"));
  SetUserPresetFolder(blocker + "/Kelmo Presets");
  EXPECT_FALSE(WriteStringToFile(UserPresetPath(0), R"({"Params":{"1":3.3},"PresetName":"x"})"));
  TestKelmo k;
  EXPECT_EQ(Values(k), Defaults(k));
}

TEST_F(UserPreset, AFolderWithoutWritePermissionFailsTheSave)
{
  // Run by a user whom the folder's permissions bind (the superuser's child drops its rights).
  const std::string locked = folder.Path() + "/locked";
  ASSERT_EQ(::mkdir(locked.c_str(), 0555), 0);
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
  SetUserPresetFolder(locked + "/Kelmo Presets");
  const auto saved = testsupport::RunInChild([&] {
    return std::to_string(WriteStringToFile(UserPresetPath(0), R"({"Params":{"1":3.3},"PresetName":"x"})"));
  });
  EXPECT_EQ(saved.value_or("no child"), "0");
  TestKelmo k;
  EXPECT_EQ(Values(k), Defaults(k));
  ::chmod(locked.c_str(), 0700);
}

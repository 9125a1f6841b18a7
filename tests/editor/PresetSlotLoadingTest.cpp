#include "editor/PresetSlotLoading.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/UserPresetFiles.h"
#include "editor/UserPresetNames.h"
#include "engine/kelmo/KelmoTestSupport.h"

using namespace kelmotest;
using namespace plugin::ui;

namespace {

using PresetSlots = KelmoTest;

// What a slot looks like from the preset bar once it is loaded.
struct SlotOutcome
{
  std::string listText;
  std::optional<std::string> label;
  std::vector<double> values;
};

void ExpectOutcome(const SlotOutcome& got, const SlotOutcome& want)
{
  EXPECT_EQ(got.listText, want.listText);
  EXPECT_EQ(got.label, want.label);
  ASSERT_EQ(got.values.size(), want.values.size());
  for (std::size_t i = 0; i < want.values.size(); ++i)
    if (got.values[i] != want.values[i]) {
      ADD_FAILURE() << "parameter " << i << " is " << got.values[i] << ", expected " << want.values[i];
      return;
    }
}

// Parameter values after recalling the framework preset of slot alone.
std::vector<double> FrameworkValues(int slot)
{
  TestKelmo ref;
  EXPECT_TRUE(ref.RestorePreset(slot));
  return Values(ref);
}

// The last n events are every parameter's normalised value in index order.
void ExpectAllValuesSentLast(const TestKelmo& k)
{
  const auto sent = k.Only(EditorEvent::kParamValue);
  ASSERT_GE(sent.size(), static_cast<std::size_t>(kNumParams));
  for (int i = 0; i < kNumParams; ++i) {
    const EditorEvent& e = sent[sent.size() - kNumParams + static_cast<std::size_t>(i)];
    EXPECT_EQ(e.idx, i);
    EXPECT_TRUE(e.normalized);
    EXPECT_EQ(e.value, k.GetParam(i)->GetNormalized());
  }
}

struct FileCase
{
  std::optional<std::string> file; // nothing: no file at all
  std::optional<std::string> name; // nothing: the slot counts as empty
  std::string label;               // "" for an empty slot: the framework name
  std::vector<std::pair<int, double>> changes;
};

const std::string kLongName(10 * 1024, 'n');
const std::string kE = "\xC3\xA9"; // one two-byte character

std::string Repeat(const std::string& s, int n)
{
  std::string out;
  for (int i = 0; i < n; ++i)
    out += s;
  return out;
}

const std::vector<FileCase>& FileCases()
{
  static const std::vector<FileCase> cases = {
      {std::nullopt, std::nullopt, "", {}},
      {"nada", std::nullopt, "", {}},
      {"nada\n", std::nullopt, "", {}},
      {"", std::nullopt, "", {}},
      {"{oops", std::nullopt, "", {}},
      {R"({"Params":[1.5],"PresetName":"list"})", std::nullopt, "", {}},
      {R"({"Params":"1.5","PresetName":"text"})", std::nullopt, "", {}},
      {R"({"Params":{"1":2},"PresetName":7})", std::nullopt, "", {}},
      {R"({"Params":{"1":1e400},"PresetName":"huge"})", std::nullopt, "", {}},
      {"{\"Params\":{\"1\":2},\"PresetName\":\"bad \xFF\"}", std::nullopt, "", {}},
      // Values that are not numbers are skipped one by one; huge ones are clamped.
      {R"({"Params":{"1":"3.3","4":null,"17":true,"12":1e300,"13":-1e300,"26":1.5,"21":1,"20":3,"37":1},)"
       R"("PresetName":"values"})",
       "values",
       "values",
       {{kRAttack, 40.0}, {kRRelease, 100.0}, {kPluginScale, 1.5}}},
      // Int and enum values are cut toward zero before they are clamped; doubles are kept.
      {R"({"Params":{"35":2.7,"36":-0.4,"0":1e300,"3":-1e300,"40":3.99,"17":2.7,"26":0.5}})",
       "User Preset",
       "User Preset",
       {{kLSyncRelease, 2.0},
        {kRSyncRelease, 0.0},
        {kPower, 1.0},
        {kLFeedBack, 0.0},
        {kLSidechainInput, 3.0},
        {kVariGain, 2.7},
        {kPluginScale, 1.0}}},
      {R"({"Params":{},"PresetName":")" + kLongName + "\"}", kLongName, std::string(38, 'n'), {}},
      {R"({"Params":{},"PresetName":"abcdefghijabcdefghijabcdefghijabcdefghijabcdefghij"})",
       "abcdefghijabcdefghijabcdefghijabcdefghijabcdefghij",
       "abcdefghijabcdefghijabcdefghijabcdefgh",
       {}},
      {R"({"Params":{},"PresetName":")" + Repeat(kE, 40) + "\"}", Repeat(kE, 40), Repeat(kE, 38), {}},
      {R"({"Params":{},"PresetName":"ab\u0000cd"})", std::string("ab\0cd", 5), "ab", {}},
      {R"({"Params":{},"PresetName":""})", "", "", {}},
  };
  return cases;
}

} // namespace

TEST_F(PresetSlots, HostileFilesLoadAsFarAsTheyAreUsable)
{
  constexpr int kSlot = 5;
  const std::vector<double> framework = FrameworkValues(kSlot);
  for (const FileCase& c : FileCases()) {
    SCOPED_TRACE(c.file.value_or("(no file)").substr(0, 80));
    DeleteFileAtPath(UserPresetPath(kSlot));
    if (c.file) WriteSlot(kSlot, *c.file);

    TestKelmo k;
    ASSERT_TRUE(k.RestorePreset(1));
    k.GetParam(kLWetGain)->Set(-7.0);
    k.events.clear();
    const std::string frameworkName = k.GetPresetName(kSlot);

    SlotOutcome want{frameworkName, frameworkName, framework};
    if (c.name) {
      want.listText = "- User: " + *c.name;
      want.label = c.label;
    }
    for (const auto& [idx, value] : c.changes)
      want.values[static_cast<std::size_t>(idx)] = value;

    SlotOutcome got;
    got.listText = UserPresetDisplayName(kSlot, frameworkName);
    const std::vector<std::string> list = PresetListTexts(k);
    ASSERT_EQ(list.size(), 40u);
    EXPECT_EQ(list[kSlot], got.listText);
    got.label = LoadPresetSlot(k, kSlot);
    got.values = Values(k);
    ExpectOutcome(got, want);
    EXPECT_EQ(k.GetCurrentPresetIdx(), kSlot);
    if (c.name) ExpectAllValuesSentLast(k);

    // The scale restore touches "Plugin Scale" alone, and only for a usable file.
    TestKelmo s;
    s.GetParam(kPluginScale)->Set(1.25);
    std::vector<double> scaleWant = Values(s);
    for (const auto& [idx, value] : c.changes)
      if (idx == kPluginScale) scaleWant[kPluginScale] = value;
    s.events.clear();
    LoadUserPresetScale(s, kSlot);
    EXPECT_EQ(Values(s), scaleWant);
    if (c.name)
      ExpectAllValuesSentLast(s);
    else
      EXPECT_TRUE(s.events.empty());
  }
}

// Everything a save stores comes back exactly on a load, for int, enum and double parameters;
// what a file never holds comes from the slot's framework preset.
TEST_F(PresetSlots, SaveAndLoadRoundTripEveryParameterType)
{
  TestKelmo k;
  for (int i = 0; i < kNumParams; ++i) {
    plugin::IParam& p = *k.GetParam(i);
    if (p.Type() == plugin::IParam::kTypeDouble)
      p.Set(p.GetMin() + 0.3719 * p.GetRange()); // unsnapped, not on any display step
    else
      p.Set(p.GetDefault() == p.GetMax() ? p.GetMin() : p.GetMax());
  }
  const std::vector<double> saved = Values(k);
  const UserPresetParams params = CaptureUserPresetParams(k);
  for (int i = 0; i < kNumParams; ++i)
    k.GetParam(i)->Set(k.GetParam(i)->GetDefault()); // edits after the choice
  ASSERT_TRUE(WriteUserPresetFile(9, params, "Round trip"));

  const std::vector<double> framework = FrameworkValues(9);
  std::vector<double> want = saved;
  for (int i : {kOverSampling, kDelta, kComparisonSlot}) {
    ASSERT_NE(framework[i], saved[i]) << i; // the check below would not see a file value
    want[i] = framework[i];
  }
  ASSERT_TRUE(k.RestorePreset(2));
  EXPECT_EQ(LoadPresetSlot(k, 9), "Round trip");
  EXPECT_EQ(Values(k), want);

  // Saved again from the loaded state, the file is the same byte for byte.
  const std::string first = ReadFileToString(UserPresetPath(9));
  ASSERT_TRUE(WriteUserPresetFile(9, CaptureUserPresetParams(k), "Round trip"));
  EXPECT_EQ(ReadFileToString(UserPresetPath(9)), first);
}

TEST_F(PresetSlots, ListShowsUserFilesOverFrameworkNames)
{
  TestKelmo k;
  ASSERT_TRUE(WriteUserPresetFile(0, {}, "Mine"));
  ASSERT_TRUE(WriteUserPresetFile(39, {}, ""));
  const std::vector<std::string> list = PresetListTexts(k);
  ASSERT_EQ(list.size(), 40u);
  for (int slot = 0; slot < 40; ++slot) {
    SCOPED_TRACE(slot);
    const std::string want = slot == 0 ? "- User: Mine" : slot == 39 ? "- User: " : k.GetPresetName(slot);
    EXPECT_EQ(list[static_cast<std::size_t>(slot)], want);
  }
  EXPECT_EQ(list[1], "42 dV");
  EXPECT_EQ(list[38], "empty");
}

TEST_F(PresetSlots, AFreeRecordIsNamedByTheRestoreAndOverlaid)
{
  TestKelmo k;
  k.GetParam(kVariGain)->Set(33.0);
  EXPECT_EQ(LoadPresetSlot(k, 36), "user preset 1");
  EXPECT_EQ(V(k, kVariGain), 33.0); // a free record keeps the current sound
  ASSERT_TRUE(WriteUserPresetFile(37, {{kVariGain, 66.0, true}}, "over free"));
  EXPECT_EQ(LoadPresetSlot(k, 37), "over free");
  EXPECT_EQ(V(k, kVariGain), 66.0);
  EXPECT_STREQ(k.GetPresetName(37), "user preset 2");
  EXPECT_EQ(PresetSlotLabel(k, 37), "over free");
  EXPECT_EQ(PresetSlotLabel(k, 36), "user preset 1");
}

TEST_F(PresetSlots, ResetReturnsTheSlotToItsFrameworkPreset)
{
  TestKelmo k;
  ASSERT_TRUE(WriteUserPresetFile(4, {{kLWetGain, 5.5, true}}, "to reset"));
  ASSERT_EQ(LoadPresetSlot(k, 4), "to reset");
  ASSERT_EQ(V(k, kLWetGain), 5.5);
  ASSERT_TRUE(DeleteUserPresetFile(4));
  EXPECT_EQ(LoadPresetSlot(k, 4), std::string(k.GetPresetName(4)));
  EXPECT_EQ(Values(k), FrameworkValues(4));
}

TEST_F(PresetSlots, SlotsOutsideTheListChangeNothing)
{
  TestKelmo k;
  ASSERT_TRUE(k.RestorePreset(3));
  k.GetParam(kInputGain)->Set(4.0);
  const std::vector<double> before = Values(k);
  for (int slot : {-1, 40, 12345}) {
    SCOPED_TRACE(slot);
    k.events.clear();
    EXPECT_EQ(LoadPresetSlot(k, slot), std::nullopt);
    LoadUserPresetScale(k, slot);
    EXPECT_EQ(Values(k), before);
    EXPECT_EQ(k.GetCurrentPresetIdx(), 3);
    EXPECT_TRUE(k.events.empty());
    EXPECT_EQ(UserPresetDisplayName(slot, "fw"), "fw");
  }
}

#include "editor/PresetSlotLoading.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/UserPresetFiles.h"
#include "editor/UserPresetNames.h"
#include "support/engine/KelmoTestSupport.h"

using namespace kelmotest;
using namespace plugin::ui;

namespace {

using PresetSlots = KelmoTest;
using Changes = std::vector<std::pair<int, double>>;

// Parameter values after recalling the framework preset of slot alone, with changes on top.
std::vector<double> FrameworkValues(int slot, const Changes& changes = {})
{
  TestKelmo ref;
  EXPECT_TRUE(ref.RestorePreset(slot));
  std::vector<double> v = Values(ref);
  for (const auto& [idx, value] : changes)
    v[static_cast<std::size_t>(idx)] = value;
  return v;
}

void ExpectValues(const std::vector<double>& got, const std::vector<double>& want)
{
  for (std::size_t i = 0; i < want.size(); ++i)
    if (got[i] != want[i]) {
      ADD_FAILURE() << "parameter " << i << " is " << got[i] << ", expected " << want[i];
      return;
    }
}

// Every parameter's normalised value was sent to the editor last, in index order.
void ExpectAllValuesSentLast(const TestKelmo& k)
{
  const auto sent = k.Only(EditorEvent::kParamValue);
  ASSERT_GE(sent.size(), static_cast<std::size_t>(kNumParams));
  for (int i = 0; i < kNumParams; ++i) {
    const EditorEvent& e = sent[sent.size() - kNumParams + static_cast<std::size_t>(i)];
    EXPECT_TRUE(e.idx == i && e.normalized && e.value == k.GetParam(i)->GetNormalized()) << i;
  }
}

struct FileCase
{
  std::optional<std::string> file; // nothing: no file at all
  std::optional<std::string> name; // nothing: the slot counts as empty
  std::string label;               // the name display's text for a user slot
  Changes changes;                 // over the slot's framework preset
};

std::string Repeat(const std::string& s, int n)
{
  std::string out;
  for (int i = 0; i < n; ++i)
    out += s;
  return out;
}

std::vector<FileCase> FileCases()
{
  const std::string longName(10 * 1024, 'n'), e = "\xC3\xA9", abc = Repeat("abcdefghij", 5);
  const auto named = [](const std::string& name) { return R"({"Params":{},"PresetName":")" + name + "\"}"; };
  return {
      {std::nullopt, std::nullopt, "", {}},
      {"nada", std::nullopt, "", {}},
      {"nada\n", std::nullopt, "", {}},
      {"", std::nullopt, "", {}},
      {"{oops", std::nullopt, "", {}},
      {R"({"Params":{"1":1e400},"PresetName":"huge"})", std::nullopt, "", {}},
      {named("bad \xFF"), std::nullopt, "", {}},
      // JSON of the wrong types: a user slot all the same, the wrong parts ignored one by one.
      {R"({"Params":[1.5],"PresetName":"list"})", "list", "list", {}},
      {R"({"Params":"1.5","PresetName":"text"})", "text", "text", {}},
      {R"({"Params":{"1":2},"PresetName":7})", "User Preset", "User Preset", {{kLWetGain, 2.0}}},
      {"[1]", "User Preset", "User Preset", {}},
      // Non-numbers are skipped one by one; huge values are clamped; 20, 21 and 37 never load.
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
      {named(longName), longName, std::string(38, 'n'), {}},
      {named(abc), abc, abc.substr(0, 38), {}},
      {named(Repeat(e, 40)), Repeat(e, 40), Repeat(e, 38), {}},
      {named("ab\\u0000cd"), std::string("ab\0cd", 5), "ab", {}},
      {named(""), "", "", {}},
  };
}

} // namespace

// The list text, the label, the values and the scale restore of a slot for each kind of file.
TEST_F(PresetSlots, HostileFilesLoadAsFarAsTheyAreUsable)
{
  constexpr int kSlot = 5;
  for (const FileCase& c : FileCases()) {
    SCOPED_TRACE(c.file.value_or("(no file)").substr(0, 80));
    DeleteFileAtPath(UserPresetPath(kSlot));
    if (c.file) WriteSlot(kSlot, *c.file);
    TestKelmo k;
    ASSERT_TRUE(k.RestorePreset(1));
    k.GetParam(kLWetGain)->Set(-7.0);
    k.events.clear();
    const std::string frameworkName = k.GetPresetName(kSlot);

    const std::vector<std::string> list = PresetListTexts(k);
    ASSERT_EQ(list.size(), 40u);
    for (int i = 0; i < 40; ++i)
      if (i != kSlot) {
        EXPECT_EQ(list[static_cast<std::size_t>(i)], k.GetPresetName(i));
      }
    EXPECT_EQ(list[kSlot], c.name ? "- User: " + *c.name : frameworkName);
    EXPECT_EQ(UserPresetDisplayName(kSlot, frameworkName), list[kSlot]);
    EXPECT_EQ(LoadPresetSlot(k, kSlot), c.name ? c.label : frameworkName);
    EXPECT_EQ(k.GetCurrentPresetIdx(), kSlot);
    ExpectValues(Values(k), FrameworkValues(kSlot, c.changes));
    if (c.name) ExpectAllValuesSentLast(k);

    // The scale restore touches "Plugin Scale" alone, and only for a usable file.
    TestKelmo s;
    s.GetParam(kPluginScale)->Set(1.25);
    std::vector<double> want = Values(s);
    for (const auto& [idx, value] : c.changes)
      if (idx == kPluginScale) want[kPluginScale] = value;
    s.events.clear();
    LoadUserPresetScale(s, kSlot);
    ExpectValues(Values(s), want);
    if (c.name)
      ExpectAllValuesSentLast(s);
    else
      EXPECT_TRUE(s.events.empty());
  }
}

// Everything a save stores comes back exactly, for int, enum and double parameters; what a
// file never holds comes from the slot's framework preset.
TEST_F(PresetSlots, SaveAndLoadRoundTripEveryParameterType)
{
  TestKelmo k;
  for (int i = 0; i < kNumParams; ++i) {
    plugin::IParam& p = *k.GetParam(i);
    const bool isDouble = p.Type() == plugin::IParam::kTypeDouble;
    p.Set(isDouble                       ? p.GetMin() + 0.3719 * p.GetRange()
          : p.GetDefault() == p.GetMax() ? p.GetMin()
                                         : p.GetMax());
  }
  std::vector<double> want = Values(k);
  const UserPresetParams params = CaptureUserPresetParams(k);
  k.GetParam(kLWetGain)->Set(0.0); // an edit after the slot was chosen is not saved
  ASSERT_TRUE(WriteUserPresetFile(9, params, "Round trip"));
  const std::vector<double> framework = FrameworkValues(9);
  for (int i : {kOverSampling, kDelta, kComparisonSlot}) {
    ASSERT_NE(framework[i], want[i]) << i;
    want[i] = framework[i];
  }
  ASSERT_TRUE(k.RestorePreset(2));
  EXPECT_EQ(LoadPresetSlot(k, 9), "Round trip");
  ExpectValues(Values(k), want);
  // Saved again from the loaded state, the file is the same byte for byte.
  const std::string first = ReadFileToString(UserPresetPath(9));
  ASSERT_TRUE(WriteUserPresetFile(9, CaptureUserPresetParams(k), "Round trip"));
  EXPECT_EQ(ReadFileToString(UserPresetPath(9)), first);
}

// A free record takes the current sound and its new name; a file still lays over it.
TEST_F(PresetSlots, FreeRecordsAndSlotsOutsideTheList)
{
  TestKelmo k;
  k.GetParam(kVariGain)->Set(33.0);
  EXPECT_EQ(LoadPresetSlot(k, 36), "user preset 1");
  EXPECT_EQ(V(k, kVariGain), 33.0);
  ASSERT_TRUE(WriteUserPresetFile(37, {{kVariGain, 66.0, true}}, "over free"));
  EXPECT_EQ(LoadPresetSlot(k, 37), "over free");
  EXPECT_EQ(V(k, kVariGain), 66.0);
  EXPECT_EQ(PresetSlotLabel(k, 36), "user preset 1");

  const std::vector<double> before = Values(k);
  for (int slot : {-1, 40}) {
    k.events.clear();
    EXPECT_EQ(LoadPresetSlot(k, slot), std::nullopt);
    LoadUserPresetScale(k, slot);
    EXPECT_EQ(Values(k), before);
    EXPECT_EQ(k.GetCurrentPresetIdx(), 37);
    EXPECT_TRUE(k.events.empty());
  }
}

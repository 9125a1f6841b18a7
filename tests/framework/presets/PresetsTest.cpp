#include "engine/presets/TempFolder.h"
#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

using namespace testhost;

namespace {

std::vector<double> Doubles(const IByteChunk& chunk)
{
  std::vector<double> out(static_cast<size_t>(chunk.Size()) / 8);
  for (size_t i = 0; i < out.size(); ++i)
    chunk.Get(&out[i], static_cast<int>(i * 8));
  return out;
}

std::vector<double> StateOf(const IPluginBase& p, int idx)
{
  return Doubles(p.GetPreset(idx)->mChunk);
}

// The defaults with some values replaced.
std::vector<double> Defaults(std::initializer_list<std::pair<int, double>> changes)
{
  std::vector<double> v = Values(TestPlugin());
  for (const auto& [idx, value] : changes)
    v[static_cast<size_t>(idx)] = value;
  return v;
}

// One preset bank entry: name length, name, flag, state.
std::vector<uint8_t> Entry(const std::string& name, const std::vector<uint8_t>& state)
{
  const auto n = static_cast<uint8_t>(name.size());
  std::vector<uint8_t> e{n, 0, 0, 0};
  for (char c : name)
    e.push_back(static_cast<uint8_t>(c));
  e.push_back(state.empty() ? 0 : 1);
  e.insert(e.end(), state.begin(), state.end());
  return e;
}

std::string ReadText(const std::string& path)
{
  std::stringstream ss;
  ss << std::ifstream(path).rdbuf();
  return ss.str();
}

} // namespace

TEST(PresetRecords, ConstructorsFillTheFirstFreeRecord)
{
  TestPlugin p(TestOptions{.nPresets = 9});
  EXPECT_STREQ(p.GetPresetName(1), "Quiet");
  EXPECT_STREQ(p.GetPresetName(2), "empty");
  EXPECT_FALSE(p.GetPreset(2)->mInitialized);
  EXPECT_STREQ(p.GetPresetName(-1), "");
  EXPECT_STREQ(p.GetPresetName(9), "");
  p.GetParam(kAttack)->Set(500);
  const std::vector<double> current = Values(p);
  // A later pair wins, an unknown index is ignored, the marker reads as "not given".
  p.MakePresetFromNamedParams(
      "Named", {{kHalf, 0.75}, {kMode, 3}, {kSteps, 2.9}, {kMode, 1}, {99, 1.0}, {kGain, 9.999e-8}});
  p.MakePreset("Values", {0.1, 30, 2, 1, 3, 7, 3.3, -5});
  p.MakePreset("Short", {0.9});
  p.MakePresetFromChunk("Chunk", Chunk({1, 2, 3}));
  p.MakePresetFromBlob("Four", "AAECAw==", 4);
  p.MakePresetFromBlob("Six", "AAECAw==", 6);
  p.MakeDefaultPreset(nullptr, 5); // only one record is left
  EXPECT_EQ(StateOf(p, 2),
            Defaults({{kHalf, 0.75}, {kMode, 1}, {kSteps, 2}, {kAttack, 500}})); // stored unsnapped
  EXPECT_EQ(StateOf(p, 3), (std::vector<double>{0.1, 30, 2, 1, 3, 7, 3.3, -5}));
  EXPECT_EQ(StateOf(p, 4), Defaults({{kGain, 0.9}, {kAttack, 500}}));
  EXPECT_EQ(Bytes(p.GetPreset(5)->mChunk), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(Bytes(p.GetPreset(6)->mChunk), (std::vector<uint8_t>{0, 1, 2, 3}));
  EXPECT_EQ(Bytes(p.GetPreset(7)->mChunk), (std::vector<uint8_t>{0, 1, 2, 3, 0, 0}));
  EXPECT_STREQ(p.GetPresetName(8), "Empty");
  EXPECT_EQ(StateOf(p, 8), current);
  EXPECT_EQ(Values(p), current); // no constructor changes a parameter
}

TEST(PresetRecords, RestoringFreeAndInitialisedRecords)
{
  TestPlugin p(TestOptions{.nPresets = 5});
  p.MakePresetFromChunk("Broken", IByteChunk());
  p.GetParam(kAttack)->Set(42);
  ASSERT_TRUE(p.RestorePreset(4)); // a free record keeps the current sound as a user preset
  ASSERT_TRUE(p.RestorePreset(3));
  EXPECT_STREQ(p.GetPresetName(4), "user preset 1");
  EXPECT_STREQ(p.GetPresetName(3), "user preset 2");
  EXPECT_EQ(StateOf(p, 4), Values(p));
  EXPECT_EQ(p.GetCurrentPresetIdx(), 3);
  p.log.clear();
  ASSERT_TRUE(p.RestorePreset("Loud"));
  EXPECT_EQ(Values(p), Defaults({{kGain, 2.0}, {kMode, 2}}));
  EXPECT_EQ(p.GetCurrentPresetIdx(), 0);
  ASSERT_EQ(p.log.size(), 3u * kNumTestParams + 1); // values reported, then the editor gets them all
  EXPECT_EQ(p.log[2 * kNumTestParams], (HookEvent{"presetChanged", 0}));
  EXPECT_EQ(p.log.back().what, "toEditor");

  for (const char* bad : {"Broken", "nobody", "", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(p.RestorePreset(bad)) << (bad ? bad : "null");
  EXPECT_FALSE(p.RestorePreset(5));
  EXPECT_FALSE(p.RestorePreset(-1));
  EXPECT_EQ(p.GetCurrentPresetIdx(), 0);

  p.GetParam(kSteps)->Set(4);
  p.ModifyCurrentPreset(nullptr);
  p.ModifyCurrentPreset("Renamed");
  EXPECT_EQ(StateOf(p, 0), Values(p));
  EXPECT_STREQ(p.GetPresetName(0), "Renamed");
}

TEST(PresetRecords, PruneRemovesOnlyFreeRecords)
{
  TestPlugin p(TestOptions{.nPresets = 4});
  ASSERT_TRUE(p.RestorePreset(3));
  p.PruneUninitializedPresets();
  ASSERT_EQ(p.NPresets(), 3);
  EXPECT_STREQ(p.GetPresetName(2), "user preset 1");
  EXPECT_EQ(p.GetCurrentPresetIdx(), 3); // not adjusted
}

TEST(PresetBank, ExactBytesAndRoundTrip)
{
  TestPlugin a(TestOptions{.nPresets = 3});
  IByteChunk bank;
  ASSERT_TRUE(a.SerializePresets(bank));
  std::vector<uint8_t> expected = Entry("Loud", StateBytes(Defaults({{kGain, 2.0}, {kMode, 2}})));
  for (const auto& e :
       {Entry("Quiet", StateBytes(Defaults({{kGain, 0.5}, {kSteps, 4}}))), Entry("empty", {})})
    expected.insert(expected.end(), e.begin(), e.end());
  EXPECT_EQ(Bytes(bank), expected);

  TestPlugin src(TestOptions{.nPresets = 4});
  src.MakePresetFromNamedParams("Raw", {{kHalf, 9.3}}); // stored unsnapped
  src.GetPreset(3)->SetName("renamed free");
  IByteChunk good;
  src.SerializePresets(good);
  TestPlugin b(TestOptions{.nPresets = 4});
  b.SetCurrentPresetIdx(2);
  EXPECT_EQ(b.UnserializePresets(good, 0), good.Size());
  EXPECT_EQ(StateOf(b, 2), Defaults({{kHalf, 2.0}})); // re-read through the definitions
  EXPECT_EQ(Values(b), Defaults({{kHalf, 2.0}}));     // and the current preset restored at the end
  EXPECT_EQ(StateOf(b, 1), StateOf(src, 1));
  EXPECT_STREQ(b.GetPresetName(3), "renamed free");
  EXPECT_FALSE(b.GetPreset(3)->mInitialized);
}

TEST(PresetBank, ACorruptEntryLeavesThatRecordAndLaterOnesUntouched)
{
  TestPlugin src(TestOptions{.nPresets = 3});
  src.MakePresetFromNamedParams("Third", {{kGain, 3.0}});
  IByteChunk bank;
  src.SerializePresets(bank);
  const std::vector<uint8_t> good = Bytes(bank);
  const size_t second = 4 + 4 + 1 + 64, secondEnd = second + 4 + 5 + 1 + 64;
  std::vector<std::vector<uint8_t>> corrupt;
  for (size_t cut = secondEnd - 1; cut > second; cut -= 7) // truncated inside the second entry
    corrupt.emplace_back(good.begin(), good.begin() + static_cast<long>(cut));
  for (int32_t badLen : {-1, -0x7fffffff, 0x7fffffff, 1000}) {
    corrupt.push_back(good);
    std::memcpy(&corrupt.back()[second], &badLen, 4);
  }
  corrupt.push_back(good);
  corrupt.back()[second + 4 + 5] = 2; // a flag byte that is neither 0 nor 1
  for (const auto& bytes : corrupt) {
    TestPlugin dst(TestOptions{.nPresets = 3});
    dst.GetPreset(0)->SetName("old");
    dst.GetPreset(1)->SetName("keep");
    EXPECT_EQ(dst.UnserializePresets(Chunk(bytes), 0), -1) << bytes.size();
    EXPECT_STREQ(dst.GetPresetName(0), "Loud");
    EXPECT_STREQ(dst.GetPresetName(1), "keep");
    EXPECT_STREQ(dst.GetPresetName(2), "empty");
    EXPECT_FALSE(dst.GetPreset(2)->mInitialized);
  }
  TestPlugin p;
  p.log.clear();
  EXPECT_EQ(p.UnserializePresets(bank, -1), -1);
  EXPECT_EQ(p.Only("presetChanged").size(), 1u); // the current preset is still restored
}

TEST(PresetDumps, CallTexts)
{
  TempFolder folder;
  TestPlugin p;
  ASSERT_TRUE(p.RestorePreset(0));
  p.GetParam(kAttack)->Set(12.5);
  p.DumpMakePresetSrc((folder / "src").c_str());
  EXPECT_EQ(ReadText(folder / "src"),
            "MakePreset(\"Loud\", 2.000000, 1000.000000, 10.000000, false, 2, 2, 12.500000, 0.000000);\n");

  p.DumpPresetBlob((folder / "blob").c_str());
  const std::string text = ReadText(folder / "blob"), head = "MakePresetFromBlob(\"Loud\", \"";
  ASSERT_EQ(text.rfind(head, 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 8), "\", 64);\n");
  const std::string encoded = text.substr(head.size(), text.size() - head.size() - 8);
  p.MakePresetFromBlob("Copy", encoded.c_str(), 64);
  EXPECT_TRUE(p.GetPreset(2)->mChunk.IsEqual(p.GetPreset(0)->mChunk));
}

#include "support/TempFolder.h"
#include "support/framework/RecordingPlugin.h"
#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using plugin::IByteChunk;
using plugin::IParam;
using plugin::IPreset;
using plugin::test::RecordingPlugin;
using testhost::Bytes;

namespace {

std::vector<double> Doubles(const IByteChunk& chunk)
{
  std::vector<double> out(static_cast<size_t>(chunk.Size()) / 8);
  for (size_t i = 0; i < out.size(); ++i)
    chunk.Get(&out[i], static_cast<int>(i * 8));
  return out;
}

// A plug-in with a double, a bool, an enum, an int, a stepped double and a wide double.
void Define(RecordingPlugin& plug)
{
  plug.GetParam(0)->InitDouble("Gain", 0.5, 0, 1, 0.01);
  plug.GetParam(1)->InitBool("On", true, "", 0, "", "off", "on");
  plug.GetParam(2)->InitEnum("Mode", 0, {"a", "b", "c", "d"});
  plug.GetParam(3)->InitInt("Count", 2, 0, 8);
  plug.GetParam(4)->InitDouble("Steps", 1, 0, 10, 0.5, "", IParam::kFlagStepped);
  plug.GetParam(5)->InitDouble("Wide", 0, -1000, 1000, 0.001);
}

// A file of this test program's own temporary folder, which goes when the program ends.
std::string TempPath(const char* tag)
{
  static const testsupport::TempFolder folder("kelmo-presets");
  return folder / (std::string(tag) + ".txt");
}

std::string ReadFile(const std::string& path)
{
  std::ifstream in(path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

} // namespace

TEST(PresetRecords, CreatedFreeAndNamedEmpty)
{
  RecordingPlugin plug(2, 3);
  EXPECT_EQ(plug.NPresets(), 3);
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(plug.GetPreset(i)->mInitialized);
    EXPECT_STREQ(plug.GetPresetName(i), "empty");
    EXPECT_EQ(plug.GetPreset(i)->mChunk.Size(), 0);
  }
  EXPECT_STREQ(plug.GetPresetName(-1), "");
  EXPECT_STREQ(plug.GetPresetName(3), "");
}

TEST(PresetConstructors, NamedPairsTakeCurrentValuesForTheRest)
{
  RecordingPlugin plug(6, 2);
  Define(plug);
  plug.MakePresetFromNamedParams("Named", {{5, 0.25}, {2, 3}, {4, 0.75}, {2, 1}, {99, 1.0}, {-1, 1.0}});
  const IPreset* p = plug.GetPreset(0);
  EXPECT_TRUE(p->mInitialized);
  EXPECT_STREQ(p->mName, "Named");
  EXPECT_EQ(Doubles(p->mChunk),
            (std::vector<double>{0.5, 1, 1, 2, 0.75, 0.25})); // later pair wins, unsnapped
  EXPECT_EQ(plug.GetParam(4)->Value(), 1.0);                  // no parameter changes

  plug.MakePresetFromNamedParams("Marker", {{0, 9.999e-8}, {3, 2.9}});
  EXPECT_EQ(Doubles(plug.GetPreset(1)->mChunk)[0], 0.5); // the marker reads as "not given"
  EXPECT_EQ(Doubles(plug.GetPreset(1)->mChunk)[3], 2.0); // an int parameter takes an int

  plug.MakePresetFromNamedParams("NoRoom", {{0, 1.0}}); // every record is taken: nothing
  EXPECT_STREQ(plug.GetPresetName(1), "Marker");
}

TEST(PresetConstructors, ValueListsChunksAndDefaults)
{
  RecordingPlugin plug(6, 5);
  Define(plug);
  const std::vector<double> current = testhost::Values(plug);
  plug.MakePreset("Values", {0.1, 0, 2, 7, 3.3, -5});
  EXPECT_EQ(Doubles(plug.GetPreset(0)->mChunk), (std::vector<double>{0.1, 0, 2, 7, 3.3, -5}));
  plug.MakePreset("Short", {0.9}); // missing values: current values
  EXPECT_EQ(Doubles(plug.GetPreset(1)->mChunk), (std::vector<double>{0.9, 1, 0, 2, 1, 0}));

  IByteChunk chunk;
  chunk.PutBytes("\x01\x02\x03", 3);
  plug.MakePresetFromChunk("Chunk", chunk);
  EXPECT_EQ(Bytes(plug.GetPreset(2)->mChunk), (std::vector<uint8_t>{1, 2, 3}));

  plug.MakeDefaultPreset(nullptr, 5); // fills the two that are left
  EXPECT_STREQ(plug.GetPresetName(3), "Empty");
  EXPECT_STREQ(plug.GetPresetName(4), "Empty");
  EXPECT_EQ(plug.GetPreset(4)->mChunk.Size(), 48);
  EXPECT_EQ(Doubles(plug.GetPreset(4)->mChunk), (std::vector<double>{0.5, 1, 0, 2, 1, 0})); // current values
  EXPECT_TRUE(plug.GetPreset(4)->mInitialized);
  EXPECT_EQ(testhost::Values(plug), current); // no constructor changes a parameter
}

TEST(PresetConstructors, NamesAreTruncatedTo255)
{
  RecordingPlugin plug(1, 2);
  const std::string longName(400, 'x');
  plug.MakeDefaultPreset(longName.c_str(), 1);
  EXPECT_EQ(std::string(plug.GetPresetName(0)), std::string(255, 'x'));
  plug.MakePreset(nullptr, {});
  EXPECT_STREQ(plug.GetPresetName(1), "");
}

TEST(PresetConstructors, Base64Blob)
{
  RecordingPlugin plug(0, 5);
  plug.MakePresetFromBlob("four", "AAECAw==", 4);
  EXPECT_EQ(Bytes(plug.GetPreset(0)->mChunk), (std::vector<uint8_t>{0, 1, 2, 3}));
  plug.MakePresetFromBlob("six", "AAECAw==", 6);
  EXPECT_EQ(Bytes(plug.GetPreset(1)->mChunk), (std::vector<uint8_t>{0, 1, 2, 3, 0, 0}));
  plug.MakePresetFromBlob("two", "AAECAw==", 2);
  EXPECT_EQ(Bytes(plug.GetPreset(2)->mChunk), (std::vector<uint8_t>{0, 1}));
  plug.MakePresetFromBlob("none", "AAECAw==", 0);
  EXPECT_TRUE(plug.GetPreset(3)->mInitialized);
  EXPECT_EQ(plug.GetPreset(3)->mChunk.Size(), 0);
  plug.MakePresetFromBlob("null", nullptr, 3);
  EXPECT_EQ(Bytes(plug.GetPreset(4)->mChunk), (std::vector<uint8_t>{0, 0, 0}));
}

TEST(PresetConstructors, FillAndPrune)
{
  RecordingPlugin plug(1, 3);
  plug.MakeDefaultPreset("first", 1);
  plug.GetPreset(2)->mInitialized = true;
  plug.GetPreset(2)->SetName("third");
  plug.SetCurrentPresetIdx(2);
  plug.PruneUninitializedPresets();
  ASSERT_EQ(plug.NPresets(), 2);
  EXPECT_STREQ(plug.GetPresetName(1), "third");
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 2); // not adjusted

  RecordingPlugin fill(1, 3);
  fill.MakeDefaultPreset("first", 1);
  fill.FillEmptyPresets();
  EXPECT_STREQ(fill.GetPresetName(2), "Empty");
  EXPECT_TRUE(fill.GetPreset(2)->mInitialized);
}

TEST(PresetRestore, FreeRecordsBecomeNumberedUserPresets)
{
  RecordingPlugin plug(6, 4);
  Define(plug);
  plug.MakePresetFromNamedParams("Factory A", {{0, 0.1}});
  plug.MakePresetFromNamedParams("Factory B", {{0, 0.2}});
  plug.GetParam(5)->Set(42);
  plug.calls.clear();
  ASSERT_TRUE(plug.RestorePreset(3));
  EXPECT_STREQ(plug.GetPresetName(3), "user preset 1");
  EXPECT_EQ(Doubles(plug.GetPreset(3)->mChunk)[5], 42.0);
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 3);
  ASSERT_TRUE(plug.RestorePreset(2));
  EXPECT_STREQ(plug.GetPresetName(2), "user preset 2");
  ASSERT_EQ(plug.CallsOf("OnPresetChanged").size(), 2u);
  EXPECT_EQ(plug.CallsOf("OnRestoreState").size(), 2u);
  EXPECT_EQ(plug.GetParam(5)->Value(), 42.0); // saving changes no parameter
}

TEST(PresetRestore, InitialisedRecordsLoadTheirState)
{
  RecordingPlugin plug(6, 3);
  Define(plug);
  plug.MakePresetFromNamedParams("Loud", {{0, 0.9}, {4, 7.3}});
  plug.MakePresetFromChunk("Broken", IByteChunk());
  plug.calls.clear();
  ASSERT_TRUE(plug.RestorePreset("Loud"));
  EXPECT_EQ(plug.GetParam(0)->Value(), 0.9);
  EXPECT_EQ(plug.GetParam(4)->Value(), 7.5); // snapped on the way in
  EXPECT_EQ(plug.CallsOf("OnParamChange").size(), 6u);
  const auto order = plug.calls;
  EXPECT_EQ(order[order.size() - 1 - 6 * 2].hook, "OnRestoreState"); // then the editor gets every value

  EXPECT_FALSE(plug.RestorePreset("Broken")); // unreadable state
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
  EXPECT_FALSE(plug.RestorePreset("nobody"));
  EXPECT_FALSE(plug.RestorePreset(""));
  EXPECT_FALSE(plug.RestorePreset(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(plug.RestorePreset(3));
  EXPECT_FALSE(plug.RestorePreset(-1));
}

TEST(PresetRestore, ModifyCurrentPreset)
{
  RecordingPlugin plug(6, 2);
  Define(plug);
  plug.MakePresetFromNamedParams("One", {});
  plug.GetParam(3)->Set(6);
  plug.ModifyCurrentPreset(nullptr);
  EXPECT_STREQ(plug.GetPresetName(0), "One");
  EXPECT_EQ(Doubles(plug.GetPreset(0)->mChunk)[3], 6.0);
  plug.ModifyCurrentPreset("Renamed");
  EXPECT_STREQ(plug.GetPresetName(0), "Renamed");
  plug.SetCurrentPresetIdx(1);
  plug.ModifyCurrentPreset("Free"); // the initialised flag is left as it was
  EXPECT_FALSE(plug.GetPreset(1)->mInitialized);
  EXPECT_STREQ(plug.GetPresetName(1), "Free");
  plug.SetCurrentPresetIdx(7);
  plug.ModifyCurrentPreset("Nowhere"); // outside the list: nothing
}

TEST(PresetBank, ExampleBytes)
{
  RecordingPlugin plug(2, 2);
  plug.GetParam(0)->InitDouble("a", 0, -4, 4, 0.5);
  plug.GetParam(1)->InitDouble("b", 0, -4, 4, 0.5);
  plug.MakePresetFromNamedParams("A", {{0, 1.0}, {1, -2.0}});
  IByteChunk bank;
  ASSERT_TRUE(plug.SerializePresets(bank));
  std::vector<uint8_t> expected = {1, 0, 0, 0, 'A', 1};
  for (uint8_t b : std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0xC0})
    expected.push_back(b);
  for (uint8_t b : std::vector<uint8_t>{5, 0, 0, 0, 'e', 'm', 'p', 't', 'y', 0})
    expected.push_back(b);
  EXPECT_EQ(Bytes(bank), expected);
}

TEST(PresetBank, RoundTripIntoAFreshPlugin)
{
  RecordingPlugin a(6, 4);
  Define(a);
  a.MakePresetFromNamedParams("One", {{0, 0.3}, {2, 2}});
  a.MakePresetFromNamedParams("Two", {{5, -7.5}, {4, 9.3}}); // stored unsnapped
  a.GetPreset(3)->SetName("renamed free");
  IByteChunk bank;
  ASSERT_TRUE(a.SerializePresets(bank));

  RecordingPlugin b(6, 4);
  Define(b);
  b.SetCurrentPresetIdx(1);
  EXPECT_EQ(b.UnserializePresets(bank, 0), bank.Size());
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(b.GetPresetName(i), a.GetPresetName(i));
    EXPECT_EQ(b.GetPreset(i)->mInitialized, a.GetPreset(i)->mInitialized);
  }
  EXPECT_EQ(Doubles(b.GetPreset(1)->mChunk)[4], 9.5); // the stored state is re-read through the definitions
  EXPECT_EQ(b.GetParam(5)->Value(), -7.5);            // and the current preset is restored at the end
  EXPECT_EQ(b.GetCurrentPresetIdx(), 1);

  IByteChunk again;
  b.SerializePresets(again);
  RecordingPlugin c(6, 4);
  Define(c);
  EXPECT_EQ(c.UnserializePresets(again, 0), again.Size());
  IByteChunk third;
  c.SerializePresets(third);
  EXPECT_TRUE(third.IsEqual(again));
}

TEST(PresetBank, CorruptEntriesLeaveThatRecordAndLaterOnesUntouched)
{
  RecordingPlugin src(2, 3);
  src.GetParam(0)->InitDouble("a", 0, -4, 4, 0.5);
  src.GetParam(1)->InitDouble("b", 0, -4, 4, 0.5);
  src.MakePresetFromNamedParams("First", {{0, 1.0}});
  src.MakePresetFromNamedParams("Second", {{0, 2.0}});
  src.MakePresetFromNamedParams("Third", {{0, 3.0}});
  IByteChunk bank;
  src.SerializePresets(bank);
  const std::vector<uint8_t> good = Bytes(bank);
  const size_t secondAt = 4 + 5 + 1 + 16; // "First" entry length

  auto load = [&](const std::vector<uint8_t>& bytes, RecordingPlugin& dst) {
    dst.GetParam(0)->InitDouble("a", 0, -4, 4, 0.5);
    dst.GetParam(1)->InitDouble("b", 0, -4, 4, 0.5);
    dst.MakePresetFromNamedParams("keep0", {});
    dst.MakePresetFromNamedParams("keep1", {});
    IByteChunk chunk;
    chunk.PutBytes(bytes.data(), static_cast<int>(bytes.size()));
    return dst.UnserializePresets(chunk, 0);
  };
  auto expectSecondUntouched = [](const RecordingPlugin& dst) {
    EXPECT_STREQ(dst.GetPresetName(0), "First");
    EXPECT_STREQ(dst.GetPresetName(1), "keep1");
    EXPECT_TRUE(dst.GetPreset(1)->mInitialized);
    EXPECT_STREQ(dst.GetPresetName(2), "empty");
    EXPECT_FALSE(dst.GetPreset(2)->mInitialized);
  };

  for (size_t cut = secondAt + 1; cut < secondAt + 4 + 6 + 1 + 16; cut += 3) { // truncated inside "Second"
    RecordingPlugin dst(2, 3);
    EXPECT_EQ(load(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)), dst), -1)
        << cut;
    expectSecondUntouched(dst);
  }
  for (int32_t badLen : {-1, -0x7fffffff, 0x7fffffff, 1000}) {
    std::vector<uint8_t> bytes = good;
    std::memcpy(&bytes[secondAt], &badLen, 4);
    RecordingPlugin dst(2, 3);
    EXPECT_EQ(load(bytes, dst), -1) << badLen;
    expectSecondUntouched(dst);
  }
  {
    std::vector<uint8_t> bytes = good;
    bytes[secondAt + 4 + 6] = 2; // flag byte neither 0 nor 1
    RecordingPlugin dst(2, 3);
    EXPECT_EQ(load(bytes, dst), -1);
    expectSecondUntouched(dst);
  }
}

TEST(PresetBank, BadStartAndNoRecords)
{
  RecordingPlugin plug(1, 2);
  plug.MakeDefaultPreset("x", 2);
  IByteChunk bank;
  plug.SerializePresets(bank);
  plug.calls.clear();
  EXPECT_EQ(plug.UnserializePresets(bank, -1), -1);
  EXPECT_EQ(plug.CallsOf("OnRestoreState").size(), 1u); // the current preset is still restored
  RecordingPlugin none(1, 0);
  IByteChunk empty;
  EXPECT_FALSE(none.SerializePresets(empty)); // nothing written: no bank
  EXPECT_TRUE(none.SerializePresets(bank));   // appended to a chunk that holds something
  EXPECT_EQ(none.UnserializePresets(bank, 5), 5);
}

TEST(PresetDumps, CallTexts)
{
  RecordingPlugin plug(6, 2);
  Define(plug);
  plug.MakePresetFromNamedParams("Dumped", {{0, 0.25}, {2, 3}, {5, -1.5}});
  ASSERT_TRUE(plug.RestorePreset(0));
  const std::string path = TempPath("src");
  std::remove(path.c_str());
  plug.DumpMakePresetSrc(path.c_str());
  EXPECT_EQ(ReadFile(path), "MakePreset(\"Dumped\", 0.250000, true, 3, 2, 1.000000, -1.500000);\n");

  std::remove(path.c_str());
  const char* names[] = {"kGain", "kOn", "kMode", "kCount", "kSteps"}; // one missing
  plug.DumpMakePresetFromNamedParamsSrc(path.c_str(), names);
  EXPECT_EQ(ReadFile(path),
            "  MakePresetFromNamedParams(\"Dumped\", 6,\n    kGain, 0.250000,\n    kOn, true,\n"
            "    kMode, 3,\n    kCount, 2,\n    kSteps, 1.000000,\n    , -1.500000);\n");
  std::remove(path.c_str());
}

TEST(PresetDumps, BlobRoundTripsAndBadInputWritesNothing)
{
  RecordingPlugin plug(6, 2);
  Define(plug);
  plug.MakePresetFromNamedParams("Blob", {{5, 123.456}});
  const std::string path = TempPath("blob");
  std::remove(path.c_str());
  plug.DumpPresetBlob(path.c_str());
  const std::string text = ReadFile(path);
  const std::string head = "MakePresetFromBlob(\"Blob\", \"";
  ASSERT_EQ(text.rfind(head, 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 8), "\", 48);\n");
  const std::string encoded = text.substr(head.size(), text.size() - head.size() - 8);
  EXPECT_EQ(encoded.size(), 64u); // 48 bytes -> 64 characters
  plug.MakePresetFromBlob("Copy", encoded.c_str(), 48);
  EXPECT_TRUE(plug.GetPreset(1)->mChunk.IsEqual(plug.GetPreset(0)->mChunk));
  std::remove(path.c_str());

  plug.SetCurrentPresetIdx(9);
  plug.DumpPresetBlob(path.c_str());
  EXPECT_NE(access(path.c_str(), F_OK), 0); // bad index: no file written
  plug.DumpPresetBlob(nullptr);
  plug.DumpMakePresetSrc(nullptr);
  plug.DumpMakePresetSrc("/nonexistent-dir/x/y.txt");
  plug.DumpMakePresetFromNamedParamsSrc(nullptr, {});
}

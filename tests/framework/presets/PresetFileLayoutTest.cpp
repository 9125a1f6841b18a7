#include "framework/presets/PresetFileFormat.h"
#include "support/TempFolder.h"
#include "support/framework/TestPlugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

using namespace testhost;

namespace {

constexpr uint32_t kCcnK = 0x43636E4B, kFPCh = 0x46504368, kFxCk = 0x4678436B, kFBCh = 0x46424368,
                   kFxBk = 0x4678426B, kId = kTestUniqueID, kVersion = 20103;
const std::vector<uint8_t> kPrefix{0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};

// The bytes a file should hold, built field by field as the format lists them.
struct Expected
{
  std::vector<uint8_t> bytes;
  Expected& Words(std::initializer_list<uint32_t> words)
  {
    for (uint32_t w : words)
      for (int shift : {24, 16, 8, 0})
        bytes.push_back(static_cast<uint8_t>(w >> shift));
    return *this;
  }
  Expected& Name(const std::string& name)
  {
    std::string field = name.substr(0, 27);
    field.resize(28, '\0');
    bytes.insert(bytes.end(), field.begin(), field.end());
    return *this;
  }
  Expected& Floats(const std::vector<double>& values)
  {
    for (double v : values)
      Words({std::bit_cast<uint32_t>(static_cast<float>(v))});
    return *this;
  }
  Expected& Raw(const std::vector<uint8_t>& raw)
  {
    bytes.insert(bytes.end(), raw.begin(), raw.end());
    return *this;
  }
};

// Compares a whole file with what it should hold and reports the first byte that differs.
::testing::AssertionResult SameBytes(const IByteChunk& file, const Expected& expected)
{
  const std::vector<uint8_t> actual = Bytes(file);
  for (size_t i = 0; i < std::max(actual.size(), expected.bytes.size()); ++i)
    if (i >= actual.size() || i >= expected.bytes.size() || actual[i] != expected.bytes[i])
      return ::testing::AssertionFailure() << "first difference at byte " << i << " of " << actual.size()
                                           << " (expected " << expected.bytes.size() << ")";
  return ::testing::AssertionSuccess();
}

IByteChunk Written(bool (*write)(const IPluginBase&, IByteChunk&), const TestPlugin& p)
{
  IByteChunk f;
  EXPECT_TRUE(write(p, f));
  return f;
}

// A copy of a file with big-endian words replaced: {position, value} pairs.
IByteChunk Edited(const IByteChunk& f, std::initializer_list<std::pair<int, uint32_t>> edits)
{
  IByteChunk out = Chunk(Bytes(f));
  for (const auto& [pos, v] : edits)
    for (int i = 0; i < 4; ++i)
      out.GetData()[pos + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
  return out;
}

// Normalized values of the defaults, as the parameter forms store them.
std::vector<double> NormalizedDefaults(std::initializer_list<std::pair<int, double>> changes)
{
  std::vector<double> v{0.25, std::log(50.0) / std::log(1000.0), std::cbrt(0.1), 0, 1.0 / 3, 0.5, 9.0 / 999,
                        0.5};
  for (const auto& [idx, value] : changes)
    v[static_cast<size_t>(idx)] = value;
  return v;
}

} // namespace

TEST(PresetFiles, ProgramLayouts)
{
  TestPlugin chunks(TestOptions{.chunks = true}), params;
  params.ModifyCurrentPreset("A name that is far longer than the field");
  Expected c, f;
  c.Words({kCcnK, 60 + 72, kFPCh, 1, kId, kVersion, 8}).Name("Loud").Words({72}).Raw(kPrefix);
  c.Raw(StateBytes(Values(chunks)));
  f.Words({kCcnK, 0, kFxCk, 1, kId, kVersion, 8}).Name("A name that is far longer than the field");
  f.Floats(NormalizedDefaults({}));
  EXPECT_TRUE(SameBytes(Written(WriteProgramFXP, chunks), c));
  EXPECT_TRUE(SameBytes(Written(WriteProgramFXP, params), f));
}

TEST(PresetFiles, BankLayouts)
{
  TestPlugin params, chunks(TestOptions{.chunks = true});
  Expected f, c;
  f.Words({kCcnK, 0, kFxBk, 2, kId, kVersion, 4, 0}).Raw(std::vector<uint8_t>(124, 0));
  const std::pair<const char*, std::vector<double>> records[] = {
      {"Loud", NormalizedDefaults({{kGain, 0.5}, {kMode, 2.0 / 3}})},
      {"Quiet", NormalizedDefaults({{kGain, 0.125}, {kSteps, 1}})},
      {"empty", {0, 0, 0, 0, 0, 0, 0, 0.5}}, // a free record has no state: every value reads 0
      {"empty", {0, 0, 0, 0, 0, 0, 0, 0.5}}};
  for (const auto& [name, values] : records)
    f.Words({kCcnK, 0, kFxCk, 1, kId, kVersion, 8}).Name(name).Floats(values);
  EXPECT_TRUE(SameBytes(Written(WriteBankFXB, params), f));

  IByteChunk presets;
  chunks.SerializePresets(presets);
  const auto n = static_cast<uint32_t>(8 + presets.Size());
  c.Words({kCcnK, 160 + n, kFBCh, 2, kId, kVersion, 4, 0}).Raw(std::vector<uint8_t>(124, 0)).Words({n});
  c.Raw(kPrefix).Raw(Bytes(presets));
  EXPECT_TRUE(SameBytes(Written(WriteBankFXB, chunks), c));
}

TEST(PresetFiles, RoundTripsThroughFiles)
{
  testsupport::TempFolder folder;
  const std::string fxp = folder / "p.fxp", fxb = folder / "b.fxb";
  for (bool chunks : {false, true}) {
    TestPlugin a(TestOptions{.chunks = chunks}), program(TestOptions{.chunks = chunks}),
        bank(TestOptions{.chunks = chunks});
    ASSERT_TRUE(a.RestorePreset(1));
    a.GetParam(kAttack)->Set(650.5);
    a.ModifyCurrentPreset("Edited");
    a.GetParam(kSteps)->Set(3);
    SetAllNormalized(program, 0.9);
    SetAllNormalized(bank, 0.1);
    ASSERT_TRUE(a.SaveProgramAsFXP(fxp.c_str()) && a.SaveBankAsFXB(fxb.c_str()));
    ASSERT_TRUE(program.LoadProgramFromFXP(fxp.c_str()) && bank.LoadBankFromFXB(fxb.c_str()));
    const double tolerance = chunks ? 0.0 : 1e-3; // single precision in the parameter form
    EXPECT_EQ(FirstDifference(Values(program), Values(a), tolerance), -1) << chunks;
    EXPECT_STREQ(program.GetPresetName(0), "Edited");
    // The parameter form restores the file's current program; the chunk form keeps the plug-in's.
    EXPECT_EQ(bank.GetCurrentPresetIdx(), chunks ? 0 : 1);
    for (int preset : {0, 1}) {
      ASSERT_TRUE(a.RestorePreset(preset) && bank.RestorePreset(preset));
      EXPECT_STREQ(bank.GetPresetName(preset), a.GetPresetName(preset));
      EXPECT_EQ(FirstDifference(Values(bank), Values(a), tolerance), -1) << chunks << " " << preset;
    }
    EXPECT_EQ(program.Only("hostPresetChange").size() + bank.Only("hostPresetChange").size(), 2u);
  }
  TestPlugin a(TestOptions{.chunks = true}), b(TestOptions{.chunks = true});
  a.GetParam(kHalf)->Set(1.5);
  const IByteChunk f = Written(WriteProgramFXP, a);
  IByteChunk noPrefix = Edited(Chunk(Bytes(f, 0, 60)), {{56, static_cast<uint32_t>(f.Size() - 68)}});
  noPrefix.PutBytes(f.GetData() + 68, f.Size() - 68);
  ASSERT_TRUE(ReadProgramFXP(b, noPrefix));
  EXPECT_EQ(Values(b), Values(a)); // a chunk without the prefix is read from offset 60
}

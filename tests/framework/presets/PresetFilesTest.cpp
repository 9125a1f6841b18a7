#include "engine/presets/TempFolder.h"
#include "framework/buffers/WholeFile.h"
#include "framework/presets/PresetFileFormat.h"
#include "tests/framework/support/TestPlugin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <sys/stat.h>

using namespace testhost;

namespace {

constexpr uint32_t kCcnK = 0x43636E4B, kFPCh = 0x46504368, kFxCk = 0x4678436B, kFBCh = 0x46424368,
                   kFxBk = 0x4678426B;
const std::vector<uint8_t> kPrefix{0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00};

uint32_t BE32(const IByteChunk& c, int pos)
{
  const uint8_t* d = c.GetData() + pos;
  return (uint32_t{d[0]} << 24) | (uint32_t{d[1]} << 16) | (uint32_t{d[2]} << 8) | d[3];
}

void PutBE32(IByteChunk& c, int pos, uint32_t v)
{
  for (int i = 0; i < 4; ++i)
    c.GetData()[pos + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// The seven header words at pos (code, size, form, format version, id, plug-in version, count).
std::vector<uint32_t> Header(const IByteChunk& c, int pos = 0)
{
  std::vector<uint32_t> words;
  for (int i = 0; i < 7; ++i)
    words.push_back(BE32(c, pos + 4 * i));
  return words;
}

std::string Name(const IByteChunk& c, int pos)
{
  return std::string(reinterpret_cast<const char*>(c.GetData() + pos), 28).c_str();
}

IByteChunk Written(bool (*write)(const IPluginBase&, IByteChunk&), const TestPlugin& p)
{
  IByteChunk f;
  EXPECT_TRUE(write(p, f));
  return f;
}

IByteChunk Edited(const IByteChunk& f, int pos, uint32_t v)
{
  IByteChunk out = Chunk(Bytes(f));
  PutBE32(out, pos, v);
  return out;
}

// Reads every file into a plug-in whose values and presets differ from the writer's; each must be
// refused without any change.
void ExpectRefused(bool chunks, bool (*read)(IPluginBase&, const IByteChunk&),
                   const std::vector<IByteChunk>& files)
{
  TestPlugin p(TestOptions{.chunks = chunks});
  ASSERT_TRUE(p.RestorePreset(2)); // a user preset and live values that differ from it
  SetAllNormalized(p, 0.6);
  const std::vector<uint8_t> before = Snapshot(p);
  for (size_t i = 0; i < files.size(); ++i)
    ASSERT_FALSE(read(p, files[i])) << "file " << i << " of " << files.size();
  EXPECT_EQ(Snapshot(p), before);
  EXPECT_TRUE(p.Only("hostPresetChange").empty());
}

std::vector<IByteChunk> Truncations(const IByteChunk& f)
{
  std::vector<IByteChunk> out;
  for (int n = 0; n < f.Size(); ++n)
    out.push_back(Chunk(Bytes(f, 0, n)));
  return out;
}

} // namespace

TEST(FxpLayout, ChunkAndParameterForms)
{
  TestPlugin chunks(TestOptions{.chunks = true}), params;
  params.ModifyCurrentPreset("A name that is far longer than the field");
  const IByteChunk c = Written(WriteProgramFXP, chunks), f = Written(WriteProgramFXP, params);
  ASSERT_EQ(c.Size(), 60 + 8 + 8 * kNumTestParams);
  EXPECT_EQ(Header(c), (std::vector<uint32_t>{kCcnK, 132, kFPCh, 1, kTestUniqueID, 20103, 8}));
  EXPECT_EQ(Name(c, 28), "Loud");
  EXPECT_EQ(BE32(c, 56), 72u);
  EXPECT_EQ(Bytes(c, 60, 8), kPrefix);
  EXPECT_EQ(Bytes(c, 68, 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xF0, 0x3F})); // the current gain 1.0

  ASSERT_EQ(f.Size(), 56 + 4 * kNumTestParams);
  EXPECT_EQ(Header(f), (std::vector<uint32_t>{kCcnK, 0, kFxCk, 1, kTestUniqueID, 20103, 8}));
  EXPECT_EQ(Name(f, 28), "A name that is far longer t");
  EXPECT_EQ(f.GetData()[55], 0);
  EXPECT_EQ(BE32(f, 56 + 4 * kGain), 0x3E800000u);  // 1 of 0..4 is 0.25, big-endian
  EXPECT_EQ(BE32(f, 56 + 4 * kSteps), 0x3F000000u); // 2 of 0..4 is 0.5
}

TEST(FxpRoundTrip, BothFormsThroughFiles)
{
  TempFolder folder;
  for (bool chunks : {false, true}) {
    TestPlugin a(TestOptions{.chunks = chunks}), b(TestOptions{.chunks = chunks});
    a.GetParam(kSteps)->Set(3.0);
    a.GetParam(kAttack)->Set(250.5);
    a.ModifyCurrentPreset("Saved");
    SetAllNormalized(b, 0.9);
    ASSERT_TRUE(a.SaveProgramAsFXP((folder / "p.fxp").c_str()));
    ASSERT_TRUE(b.LoadProgramFromFXP((folder / "p.fxp").c_str()));
    for (int i = 0; i < kNumTestParams; ++i) // single precision in the parameter form
      EXPECT_NEAR(b.GetParam(i)->Value(), a.GetParam(i)->Value(), chunks ? 0.0 : 1e-3) << chunks << " " << i;
    EXPECT_STREQ(b.GetPresetName(0), "Saved");
    EXPECT_EQ(b.Only("hostPresetChange").size(), 1u);
  }
  TestPlugin a(TestOptions{.chunks = true}), b(TestOptions{.chunks = true});
  a.GetParam(kHalf)->Set(1.5);
  const IByteChunk f = Written(WriteProgramFXP, a);
  IByteChunk noPrefix = Chunk(Bytes(f, 0, 60)); // a chunk without the prefix is read from offset 60
  noPrefix.PutBytes(f.GetData() + 68, f.Size() - 68);
  PutBE32(noPrefix, 56, static_cast<uint32_t>(f.Size() - 68));
  ASSERT_TRUE(ReadProgramFXP(b, noPrefix));
  EXPECT_EQ(Values(b), Values(a));
}

TEST(FxpHostile, CorruptFilesChangeNothing)
{
  TestPlugin other(TestOptions{.uniqueID = 0x41424344}), chunkWriter(TestOptions{.chunks = true}), writer;
  const IByteChunk good = Written(WriteProgramFXP, writer), chunkFile = Written(WriteProgramFXP, chunkWriter);
  std::vector<IByteChunk> bad = Truncations(good);
  for (const auto& [pos, value] : std::vector<std::pair<int, uint32_t>>{
           {0, 0x43636E4C}, {8, 0x46784342}, {12, 2}, {24, 7}, {24, 9}, {24, 0xFFFFFFFF}})
    bad.push_back(Edited(good, pos, value));
  bad.push_back(Written(WriteProgramFXP, other));
  bad.push_back(chunkFile); // the chunk form into a plug-in without state chunks
  ExpectRefused(false, ReadProgramFXP, bad);

  bad = Truncations(chunkFile);
  bad.push_back(Edited(chunkFile, 56, 73)); // the chunk runs past the file
  bad.push_back(Edited(chunkFile, 56, 0x80000000u));
  bad.push_back(Edited(Chunk(Bytes(chunkFile, 0, 60 + 8 + 16)), 56, 24)); // a state of 2 of 8 values
  ExpectRefused(true, ReadProgramFXP, bad);
}

TEST(FxpHostile, NaNAndInfiniteFloatsGiveValidValues)
{
  TestPlugin p;
  IByteChunk f = Written(WriteProgramFXP, p);
  PutBE32(f, 56 + 4 * kGain, 0x7FC00000u);  // NaN
  PutBE32(f, 56 + 4 * kCurve, 0x7F800000u); // +inf
  PutBE32(f, 56 + 4 * kHalf, 0xFF800000u);  // -inf
  ASSERT_TRUE(ReadProgramFXP(p, f));
  EXPECT_EQ(Values(p)[kGain], 0.0);
  EXPECT_EQ(Values(p)[kCurve], 100.0);
  EXPECT_EQ(Values(p)[kHalf], -2.0);
}

TEST(FxbLayout, ParameterAndChunkBanks)
{
  TestPlugin params, chunks(TestOptions{.chunks = true});
  const IByteChunk f = Written(WriteBankFXB, params), c = Written(WriteBankFXB, chunks);
  ASSERT_EQ(f.Size(), 156 + 4 * 88);
  EXPECT_EQ(Header(f), (std::vector<uint32_t>{kCcnK, 0, kFxBk, 2, kTestUniqueID, 20103, 4}));
  EXPECT_EQ(BE32(f, 28), 0u);
  EXPECT_EQ(Bytes(f, 32, 124), std::vector<uint8_t>(124, 0));
  EXPECT_EQ(Header(f, 156 + 88), (std::vector<uint32_t>{kCcnK, 0, kFxCk, 1, kTestUniqueID, 20103, 8}));
  EXPECT_EQ(Name(f, 156 + 88 + 28), "Quiet");
  EXPECT_EQ(BE32(f, 156 + 88 + 56), 0x3E000000u);          // Quiet's gain 0.5 of 0..4 is 0.125
  EXPECT_EQ(BE32(f, 156 + 3 * 88 + 56 + 28), 0x3F000000u); // a free record reads 0.0: Half is 0.5

  IByteChunk bank;
  chunks.SerializePresets(bank);
  ASSERT_EQ(c.Size(), 160 + 8 + bank.Size());
  EXPECT_EQ(Header(c), (std::vector<uint32_t>{kCcnK, static_cast<uint32_t>(c.Size()), kFBCh, 2, kTestUniqueID,
                                              20103, 4}));
  EXPECT_EQ(BE32(c, 156), static_cast<uint32_t>(8 + bank.Size()));
  EXPECT_EQ(Bytes(c, 160, 8), kPrefix);
  EXPECT_EQ(Bytes(c, 168), Bytes(bank));
}

TEST(FxbRoundTrip, BothFormsThroughFiles)
{
  TempFolder folder;
  for (bool chunks : {false, true}) {
    TestPlugin a(TestOptions{.chunks = chunks}), b(TestOptions{.chunks = chunks});
    ASSERT_TRUE(a.RestorePreset(1));
    a.GetParam(kAttack)->Set(650);
    a.ModifyCurrentPreset("Edited");
    SetAllNormalized(b, 0.1);
    ASSERT_TRUE(a.SaveBankAsFXB((folder / "b.fxb").c_str()));
    ASSERT_TRUE(b.LoadBankFromFXB((folder / "b.fxb").c_str()));
    // The parameter form restores the file's current program; the chunk form keeps the plug-in's.
    EXPECT_EQ(b.GetCurrentPresetIdx(), chunks ? 0 : 1);
    EXPECT_EQ(b.Only("hostPresetChange").size(), 1u);
    for (int preset : {0, 1}) {
      ASSERT_TRUE(a.RestorePreset(preset) && b.RestorePreset(preset));
      EXPECT_STREQ(b.GetPresetName(preset), a.GetPresetName(preset));
      for (int i = 0; i < kNumTestParams; ++i)
        EXPECT_NEAR(b.GetParam(i)->Value(), a.GetParam(i)->Value(), 1e-3)
            << chunks << " " << preset << " " << i;
    }
  }
}

TEST(FxbHostile, CorruptBanksChangeNothing)
{
  TestPlugin params, chunks(TestOptions{.chunks = true});
  const IByteChunk f = Written(WriteBankFXB, params), c = Written(WriteBankFXB, chunks);
  std::vector<IByteChunk> bad = Truncations(f);
  for (const auto& [pos, value] : std::vector<std::pair<int, uint32_t>>{{156 + 88 + 24, 7},
                                                                        {156 + 88 + 8, kFPCh},
                                                                        {156 + 88 + 12, 2},
                                                                        {156 + 88, 0},
                                                                        {24, 0xFFFFFFFF},
                                                                        {24, 0x7FFFFFFF},
                                                                        {16, 0x41424344}})
    bad.push_back(Edited(f, pos, value)); // a bad second record refuses the whole bank
  ExpectRefused(false, ReadBankFXB, bad);

  bad = Truncations(c);
  IByteChunk longName = Chunk(Bytes(c)), badFlag = Chunk(Bytes(c));
  longName.GetData()[168] = 0xE8; // the first record's name claims 1000 bytes
  longName.GetData()[169] = 0x03;
  badFlag.GetData()[168 + 4 + 4 + 1 + 64 + 4 + 5] = 7; // the second record's flag byte
  bad.push_back(longName);
  bad.push_back(badFlag);
  ExpectRefused(true, ReadBankFXB, bad);
}

TEST(FxbHostile, ProgramsBeyondThePresetCountAreIgnored)
{
  TestPlugin six(TestOptions{.nPresets = 6}), four;
  ASSERT_TRUE(six.RestorePreset(5));
  ASSERT_TRUE(ReadBankFXB(four, Written(WriteBankFXB, six)));
  EXPECT_STREQ(four.GetPresetName(1), "Quiet");
  EXPECT_EQ(four.GetCurrentPresetIdx(), 0); // the file's current program 5 is not a record here
}

TEST(PresetFileAccess, PathsAndWriteFailures)
{
  TempFolder folder;
  TestPlugin p;
  for (const char* path : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_FALSE(p.SaveProgramAsFXP(path) || p.SaveBankAsFXB(path));
    EXPECT_FALSE(p.LoadProgramFromFXP(path) || p.LoadBankFromFXB(path));
  }
  EXPECT_FALSE(p.LoadProgramFromFXP((folder / "missing.fxp").c_str()));
  EXPECT_FALSE(p.SaveProgramAsFXP((folder / "no/such/folder.fxp").c_str()));

  // A failed write leaves the existing file as it was.
  const std::string path = folder / "keep.fxp";
  ASSERT_TRUE(p.SaveProgramAsFXP(path.c_str()));
  IByteChunk original, after;
  ASSERT_TRUE(ReadWholeFile(path.c_str(), original));
  ASSERT_EQ(::mkdir((path + ".tmp").c_str(), 0700), 0);
  p.GetParam(kGain)->Set(3.0);
  EXPECT_FALSE(p.SaveProgramAsFXP(path.c_str()));
  ASSERT_TRUE(ReadWholeFile(path.c_str(), after));
  EXPECT_TRUE(after.IsEqual(original));
}

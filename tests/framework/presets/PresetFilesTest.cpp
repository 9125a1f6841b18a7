#include "framework/buffers/WholeFile.h"
#include "framework/plugin/IPluginAPIBase.h"
#include "framework/presets/PresetFileFormat.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace plugin;

namespace {

constexpr int kUID = 0x4B6C6D6F; // "Klmo"

// 44 parameters (a stepped int, a bool, 42 doubles 0..10 with default 7) and four preset records,
// two of them made at construction.
class FilePlugin : public IPluginAPIBase
{
public:
  explicit FilePlugin(bool chunks, int nPresets = 4, int uid = kUID)
      : IPluginAPIBase(Config(chunks, nPresets, uid), kAPIVST3)
  {
    InitParamRange(2, 43, 1, "Param %d", 7.0, 0.0, 10.0, 0.001);
    GetParam(0)->InitInt("Steps", 2, 0, 4);
    GetParam(1)->InitBool("Switch", true);
    MakePresetFromNamedParams("First", {{5, 1.5}});
    MakePresetFromNamedParams("Second", {{0, 4}, {6, 9.25}});
  }
  static IPluginConfig Config(bool chunks, int nPresets, int uid)
  {
    IPluginConfig c;
    c.mNParams = 44;
    c.mNPresets = nPresets;
    c.mUniqueID = uid;
    c.mVendorVersion = 0x00020103; // 2.1.3
    c.mPlugDoesChunks = chunks;
    return c;
  }
  void InformHostOfPresetChange() override { ++presetChangesToHost; }
  int presetChangesToHost = 0;
};

// Everything a failed load must leave alone.
struct Snapshot
{
  std::vector<double> values;
  std::vector<uint8_t> bank;
  int current;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const IPluginBase& p)
{
  Snapshot s;
  for (int i = 0; i < p.NParams(); ++i)
    s.values.push_back(p.GetParam(i)->Value());
  IByteChunk bank;
  EXPECT_TRUE(p.SerializePresets(bank));
  s.bank.assign(bank.GetData(), bank.GetData() + bank.Size());
  s.current = p.GetCurrentPresetIdx();
  return s;
}

uint32_t BE32(const IByteChunk& c, int pos)
{
  const uint8_t* d = c.GetData() + pos;
  return (uint32_t{d[0]} << 24) | (uint32_t{d[1]} << 16) | (uint32_t{d[2]} << 8) | d[3];
}

std::vector<uint8_t> Bytes(const IByteChunk& c, int pos, int n)
{
  return std::vector<uint8_t>(c.GetData() + pos, c.GetData() + pos + n);
}

IByteChunk Prefix(const IByteChunk& c, int n)
{
  IByteChunk out;
  out.PutBytes(c.GetData(), n);
  return out;
}

void PutBE32At(IByteChunk& c, int pos, uint32_t v)
{
  uint8_t* d = c.GetData() + pos;
  d[0] = static_cast<uint8_t>(v >> 24);
  d[1] = static_cast<uint8_t>(v >> 16);
  d[2] = static_cast<uint8_t>(v >> 8);
  d[3] = static_cast<uint8_t>(v);
}

// A file of this test program's own temporary folder, which goes when the program ends.
std::string TempPath(const std::string& name)
{
  static const testsupport::TempFolder folder("kelmo-preset-files");
  return folder / name;
}

// A plug-in whose current values differ from its presets, so that loads visibly change things.
void Scramble(IPluginBase& p, double v)
{
  for (int i = 2; i < p.NParams(); ++i)
    p.GetParam(i)->Set(v);
}

} // namespace

TEST(FxpLayout, ChunkFormHasThePrefixAndTheSizes)
{
  FilePlugin p(true);
  IByteChunk f;
  ASSERT_TRUE(WriteProgramFXP(p, f));
  ASSERT_EQ(f.Size(), 420);
  EXPECT_EQ(Bytes(f, 0, 4), (std::vector<uint8_t>{'C', 'c', 'n', 'K'}));
  EXPECT_EQ(BE32(f, 4), 420u);
  EXPECT_EQ(Bytes(f, 8, 4), (std::vector<uint8_t>{'F', 'P', 'C', 'h'}));
  EXPECT_EQ(BE32(f, 12), 1u);
  EXPECT_EQ(Bytes(f, 16, 4), (std::vector<uint8_t>{'K', 'l', 'm', 'o'}));
  EXPECT_EQ(BE32(f, 20), 20103u); // decimal version
  EXPECT_EQ(BE32(f, 24), 44u);
  EXPECT_STREQ(reinterpret_cast<const char*>(f.GetData() + 28), "First");
  EXPECT_EQ(BE32(f, 56), 360u);
  EXPECT_EQ(Bytes(f, 60, 8), (std::vector<uint8_t>{0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00}));
  double first;
  std::memcpy(&first, f.GetData() + 68, 8);
  EXPECT_EQ(first, 2.0);
}

TEST(FxpLayout, ParameterFormHoldsBigEndianNormalisedFloats)
{
  FilePlugin p(false);
  IByteChunk f;
  ASSERT_TRUE(WriteProgramFXP(p, f));
  ASSERT_EQ(f.Size(), 232);
  EXPECT_EQ(BE32(f, 4), 0u);
  EXPECT_EQ(Bytes(f, 8, 4), (std::vector<uint8_t>{'F', 'x', 'C', 'k'}));
  EXPECT_EQ(Bytes(f, 56, 4), (std::vector<uint8_t>{0x3F, 0x00, 0x00, 0x00})); // 2 of 0..4 is 0.5
  EXPECT_EQ(Bytes(f, 60, 4), (std::vector<uint8_t>{0x3F, 0x80, 0x00, 0x00})); // true is 1.0
  EXPECT_EQ(Bytes(f, 64, 4), (std::vector<uint8_t>{0x3F, 0x33, 0x33, 0x33})); // 7 of 0..10 is 0.7
}

TEST(FxpLayout, LongNamesAreCutTo27Characters)
{
  FilePlugin p(false);
  p.ModifyCurrentPreset("A name that is far longer than the field");
  IByteChunk f;
  ASSERT_TRUE(WriteProgramFXP(p, f));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(f.GetData() + 28)), "A name that is far longer t");
  EXPECT_EQ(f.GetData()[55], 0);
}

TEST(FxpRoundTrip, BothFormsThroughFiles)
{
  for (bool chunks : {false, true}) {
    SCOPED_TRACE(chunks ? "chunk form" : "parameter form");
    FilePlugin a(chunks);
    a.GetParam(0)->Set(3.0);
    a.GetParam(7)->Set(2.5);
    a.ModifyCurrentPreset("Saved");
    const std::string path = TempPath(chunks ? "c.fxp" : "p.fxp");
    ASSERT_TRUE(a.SaveProgramAsFXP(path.c_str()));

    FilePlugin b(chunks);
    Scramble(b, 1.0);
    ASSERT_TRUE(b.LoadProgramFromFXP(path.c_str()));
    EXPECT_EQ(b.GetParam(0)->Value(), 3.0);
    EXPECT_NEAR(b.GetParam(7)->Value(), 2.5, chunks ? 0.0 : 1e-6); // single precision in the parameter form
    EXPECT_NEAR(b.GetParam(9)->Value(), 7.0, chunks ? 0.0 : 1e-6);
    EXPECT_STREQ(b.GetPresetName(0), "Saved");
    EXPECT_EQ(b.presetChangesToHost, 1);
    std::remove(path.c_str());
  }
}

TEST(FxpRoundTrip, ChunkWithoutPrefixIsReadFromOffset60)
{
  FilePlugin a(true);
  a.GetParam(3)->Set(4.0);
  IByteChunk f;
  ASSERT_TRUE(WriteProgramFXP(a, f));
  IByteChunk noPrefix = Prefix(f, 60);
  noPrefix.PutBytes(f.GetData() + 68, f.Size() - 68);
  PutBE32At(noPrefix, 56, static_cast<uint32_t>(f.Size() - 68));
  FilePlugin b(true);
  ASSERT_TRUE(ReadProgramFXP(b, noPrefix));
  EXPECT_EQ(b.GetParam(3)->Value(), 4.0);
}

TEST(FxpHostile, ForeignIdWrongFormAndCorruptHeadersChangeNothing)
{
  FilePlugin other(false, 4, 0x41424344);
  IByteChunk foreign;
  ASSERT_TRUE(WriteProgramFXP(other, foreign));
  FilePlugin chunkWriter(true);
  IByteChunk chunkFile;
  ASSERT_TRUE(WriteProgramFXP(chunkWriter, chunkFile));

  FilePlugin p(false);
  Scramble(p, 3.0);
  const Snapshot before = Take(p);
  EXPECT_FALSE(ReadProgramFXP(p, foreign));
  EXPECT_FALSE(ReadProgramFXP(p, chunkFile)); // chunk form into a plug-in without state chunks

  IByteChunk good;
  ASSERT_TRUE(WriteProgramFXP(FilePlugin(false), good));
  for (const auto& [pos, value] :
       std::vector<std::pair<int, uint32_t>>{{0, 0x43636E4C}, {8, 0x46784342}, {12, 2}}) {
    IByteChunk bad = Prefix(good, good.Size());
    PutBE32At(bad, pos, value);
    EXPECT_FALSE(ReadProgramFXP(p, bad)) << "field " << pos << " = " << value;
  }
  EXPECT_EQ(Take(p), before);
  EXPECT_EQ(p.presetChangesToHost, 0);
}

TEST(FxpRoundTrip, TheFilesParameterCountVersionAndSizeAreNotUsed)
{
  FilePlugin writer(false);
  writer.GetParam(43)->Set(4.5);
  IByteChunk good;
  ASSERT_TRUE(WriteProgramFXP(writer, good));
  for (const auto& [pos, value] :
       std::vector<std::pair<int, uint32_t>>{{24, 43}, {24, 45}, {24, 0xFFFFFFFF}, {20, 99}, {4, 12345}}) {
    IByteChunk f = Prefix(good, good.Size());
    PutBE32At(f, pos, value);
    FilePlugin p(false);
    EXPECT_TRUE(ReadProgramFXP(p, f)) << "field " << pos << " = " << value;
    EXPECT_NEAR(p.GetParam(43)->Value(), 4.5, 1e-6); // the last value too
  }
}

TEST(FxpHostile, EveryTruncationIsRefusedWithoutChange)
{
  for (bool chunks : {false, true}) {
    FilePlugin writer(chunks);
    IByteChunk f;
    ASSERT_TRUE(WriteProgramFXP(writer, f));
    FilePlugin p(chunks);
    Scramble(p, 5.5);
    const Snapshot before = Take(p);
    for (int n = 0; n < f.Size(); ++n)
      ASSERT_FALSE(ReadProgramFXP(p, Prefix(f, n))) << n;
    EXPECT_EQ(Take(p), before);
    EXPECT_EQ(p.presetChangesToHost, 0);
  }
}

TEST(FxpHostile, ChunkSizeBeyondTheFileOrShortStateChangesNothing)
{
  FilePlugin writer(true);
  IByteChunk f;
  ASSERT_TRUE(WriteProgramFXP(writer, f));
  FilePlugin p(true);
  Scramble(p, 5.5);
  const Snapshot before = Take(p);

  IByteChunk tooBig = Prefix(f, f.Size());
  PutBE32At(tooBig, 56, 361);
  EXPECT_FALSE(ReadProgramFXP(p, tooBig));
  PutBE32At(tooBig, 56, 0x80000000u);
  EXPECT_FALSE(ReadProgramFXP(p, tooBig));

  // A consistent file whose state holds only 2 of 44 values: the state reader fails half-way.
  IByteChunk shortState = Prefix(f, 60 + 8 + 16);
  PutBE32At(shortState, 56, 24);
  EXPECT_FALSE(ReadProgramFXP(p, shortState));
  EXPECT_EQ(Take(p), before);
  EXPECT_EQ(p.presetChangesToHost, 0);
}

TEST(FxpHostile, NaNAndInfiniteFloatsGiveValidValues)
{
  FilePlugin p(false);
  IByteChunk f;
  ASSERT_TRUE(WriteProgramFXP(p, f));
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  uint32_t bits;
  std::memcpy(&bits, &nan, 4);
  PutBE32At(f, 56 + 4 * 2, bits);
  std::memcpy(&bits, &inf, 4);
  PutBE32At(f, 56 + 4 * 3, bits);
  PutBE32At(f, 56 + 4 * 4, 0xFF800000u); // -inf
  ASSERT_TRUE(ReadProgramFXP(p, f));
  EXPECT_EQ(p.GetParam(2)->Value(), 0.0);
  EXPECT_EQ(p.GetParam(3)->Value(), 10.0);
  EXPECT_EQ(p.GetParam(4)->Value(), 0.0);
}

TEST(FxbLayout, ParameterBankHoldsOneRecordPerPreset)
{
  FilePlugin p(false);
  IByteChunk f;
  ASSERT_TRUE(WriteBankFXB(p, f));
  ASSERT_EQ(f.Size(), 156 + 4 * 232);
  EXPECT_EQ(Bytes(f, 8, 4), (std::vector<uint8_t>{'F', 'x', 'B', 'k'}));
  EXPECT_EQ(BE32(f, 12), 2u);
  EXPECT_EQ(BE32(f, 24), 4u);
  EXPECT_EQ(BE32(f, 28), 0u);
  EXPECT_EQ(Bytes(f, 32, 124), std::vector<uint8_t>(124, 0));
  EXPECT_EQ(Bytes(f, 156 + 232 + 8, 4), (std::vector<uint8_t>{'F', 'x', 'C', 'k'}));
  EXPECT_STREQ(reinterpret_cast<const char*>(f.GetData() + 156 + 232 + 28), "Second");
  EXPECT_EQ(Bytes(f, 156 + 232 + 56, 4), (std::vector<uint8_t>{0x3F, 0x80, 0x00, 0x00})); // Steps 4 of 0..4
  // A free record has no state: every value reads 0.
  EXPECT_EQ(Bytes(f, 156 + 3 * 232 + 56 + 4 * 10, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(FxbLayout, ChunkBankHasSizeAndPrefix)
{
  FilePlugin p(true);
  IByteChunk bank;
  ASSERT_TRUE(p.SerializePresets(bank));
  IByteChunk f;
  ASSERT_TRUE(WriteBankFXB(p, f));
  ASSERT_EQ(f.Size(), 160 + 8 + bank.Size());
  EXPECT_EQ(BE32(f, 4), static_cast<uint32_t>(f.Size()));
  EXPECT_EQ(Bytes(f, 8, 4), (std::vector<uint8_t>{'F', 'B', 'C', 'h'}));
  EXPECT_EQ(BE32(f, 156), static_cast<uint32_t>(8 + bank.Size()));
  EXPECT_EQ(Bytes(f, 160, 8), (std::vector<uint8_t>{0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00}));
}

TEST(FxbRoundTrip, BothFormsThroughFiles)
{
  for (bool chunks : {false, true}) {
    SCOPED_TRACE(chunks ? "chunk form" : "parameter form");
    FilePlugin a(chunks);
    ASSERT_TRUE(a.RestorePreset(1));
    a.GetParam(8)->Set(6.5);
    a.ModifyCurrentPreset("Edited");
    const std::string path = TempPath(chunks ? "c.fxb" : "p.fxb");
    ASSERT_TRUE(a.SaveBankAsFXB(path.c_str()));

    FilePlugin b(chunks);
    Scramble(b, 0.5);
    ASSERT_TRUE(b.LoadBankFromFXB(path.c_str()));
    // The parameter form restores the file's current program; the chunk form keeps the plug-in's.
    EXPECT_EQ(b.GetCurrentPresetIdx(), chunks ? 0 : 1);
    ASSERT_TRUE(b.RestorePreset(1));
    EXPECT_STREQ(b.GetPresetName(0), "First");
    EXPECT_STREQ(b.GetPresetName(1), "Edited");
    EXPECT_EQ(b.GetParam(0)->Value(), 4.0);
    EXPECT_NEAR(b.GetParam(8)->Value(), 6.5, 1e-6);
    ASSERT_TRUE(b.RestorePreset(0));
    EXPECT_NEAR(b.GetParam(5)->Value(), 1.5, 1e-6);
    EXPECT_EQ(b.presetChangesToHost, 1);
    std::remove(path.c_str());
  }
}

TEST(FxbRoundTrip, ChunkBankOfAPluginWithoutRecords)
{
  FilePlugin none(true, 0); // its bank chunk is empty, yet the file (the prefix alone) loads
  IByteChunk f;
  ASSERT_TRUE(WriteBankFXB(none, f));
  EXPECT_TRUE(ReadBankFXB(none, f));
}

TEST(FxbHostile, EveryTruncationIsRefusedWithoutChange)
{
  for (bool chunks : {false, true}) {
    FilePlugin writer(chunks);
    IByteChunk f;
    ASSERT_TRUE(WriteBankFXB(writer, f));
    FilePlugin p(chunks);
    Scramble(p, 2.25);
    ASSERT_TRUE(p.RestorePreset(2)); // a user preset holding the scrambled values
    Scramble(p, 3.75);               // and live values that differ from it
    const Snapshot before = Take(p);
    for (int n = 0; n < f.Size(); ++n)
      ASSERT_FALSE(ReadBankFXB(p, Prefix(f, n))) << n;
    EXPECT_EQ(Take(p), before);
    EXPECT_EQ(p.presetChangesToHost, 0);
  }
}

TEST(FxbHostile, ABadSecondRecordRefusesTheWholeBank)
{
  FilePlugin writer(false);
  IByteChunk f;
  ASSERT_TRUE(WriteBankFXB(writer, f));
  FilePlugin p(false);
  Scramble(p, 1.25);
  const Snapshot before = Take(p);
  for (const auto& [offset, value] :
       std::vector<std::pair<int, uint32_t>>{{24, 43}, {8, 0x46504368}, {12, 2}, {0, 0}}) {
    IByteChunk bad = Prefix(f, f.Size());
    PutBE32At(bad, 156 + 232 + offset, value);
    EXPECT_FALSE(ReadBankFXB(p, bad)) << offset;
  }
  IByteChunk negative = Prefix(f, f.Size());
  PutBE32At(negative, 24, 0xFFFFFFFFu);
  EXPECT_FALSE(ReadBankFXB(p, negative));
  IByteChunk huge = Prefix(f, f.Size());
  PutBE32At(huge, 24, 0x7FFFFFFFu);
  EXPECT_FALSE(ReadBankFXB(p, huge));
  IByteChunk foreign = Prefix(f, f.Size());
  PutBE32At(foreign, 16, 0x41424344); // another plug-in's bank
  EXPECT_FALSE(ReadBankFXB(p, foreign));
  EXPECT_EQ(Take(p), before);
  EXPECT_EQ(p.presetChangesToHost, 0);
}

TEST(FxbHostile, CorruptChunkBankIsRolledBack)
{
  FilePlugin writer(true);
  IByteChunk f;
  ASSERT_TRUE(WriteBankFXB(writer, f));
  FilePlugin p(true);
  Scramble(p, 9.0);
  const Snapshot before = Take(p);
  IByteChunk bad = Prefix(f, f.Size());
  // First record's name length says 1000 bytes: its data is not there.
  bad.GetData()[168] = 0xE8;
  bad.GetData()[169] = 0x03;
  EXPECT_FALSE(ReadBankFXB(p, bad));
  // Second record's flag byte becomes 7.
  IByteChunk badFlag = Prefix(f, f.Size());
  const int secondRecord = 168 + 4 + 5 + 1 + 44 * 8;
  badFlag.GetData()[secondRecord + 4 + 6] = 7;
  EXPECT_FALSE(ReadBankFXB(p, badFlag));
  EXPECT_EQ(Take(p), before);
  EXPECT_EQ(p.presetChangesToHost, 0);
}

TEST(FxbHostile, ProgramsBeyondThePresetCountAreIgnored)
{
  FilePlugin six(false, 6);
  ASSERT_TRUE(six.RestorePreset(5)); // user preset in record 5, made current
  IByteChunk f;
  ASSERT_TRUE(WriteBankFXB(six, f));
  FilePlugin four(false, 4);
  ASSERT_TRUE(ReadBankFXB(four, f));
  EXPECT_STREQ(four.GetPresetName(1), "Second");
  EXPECT_EQ(four.GetCurrentPresetIdx(), 3); // program 5 is no record here: the last one loaded stays
}

TEST(PresetFileAccess, PathsAndWriteFailures)
{
  FilePlugin p(false);
  EXPECT_FALSE(p.SaveProgramAsFXP(nullptr));
  EXPECT_FALSE(p.SaveProgramAsFXP(""));
  EXPECT_FALSE(p.SaveBankAsFXB(""));
  EXPECT_FALSE(p.LoadProgramFromFXP(nullptr));
  EXPECT_FALSE(p.LoadBankFromFXB(""));
  EXPECT_FALSE(p.LoadProgramFromFXP(TempPath("does-not-exist.fxp").c_str()));
  EXPECT_FALSE(p.SaveProgramAsFXP("/nonexistent-dir-fw2/x.fxp"));
  EXPECT_FALSE(p.SaveBankAsFXB(nullptr));
  EXPECT_FALSE(p.SaveBankAsFXB("/nonexistent-dir-fw2/x.fxb"));
  EXPECT_FALSE(p.LoadProgramFromFXP(""));
  EXPECT_FALSE(p.LoadBankFromFXB(nullptr));
  EXPECT_FALSE(p.LoadBankFromFXB(TempPath("does-not-exist.fxb").c_str()));

  // A failed write (a file size limit stands in for a full disk) and a read-only file leave the
  // existing file as it was.
  const std::string path = TempPath("keep.fxp");
  ASSERT_TRUE(p.SaveProgramAsFXP(path.c_str()));
  IByteChunk original;
  ASSERT_TRUE(ReadWholeFile(path.c_str(), original));
  p.GetParam(2)->Set(1.0);
  bool written = true;
  {
    testsupport::FileSizeLimit limit(100);
    ASSERT_TRUE(limit.Active());
    written = p.SaveProgramAsFXP(path.c_str());
  }
  EXPECT_FALSE(written);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_FALSE(p.SaveProgramAsFXP(path.c_str()));
  IByteChunk after;
  ASSERT_TRUE(ReadWholeFile(path.c_str(), after));
  EXPECT_TRUE(after.IsEqual(original));
  std::remove(path.c_str());
}

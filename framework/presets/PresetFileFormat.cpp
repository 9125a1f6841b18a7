#include "framework/presets/PresetFileFormat.h"

#include "framework/plugin/IPluginBase.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace plugin {

using namespace presetfile;

namespace {

bool PutBE32(IByteChunk& out, uint32_t v)
{
  const uint8_t bytes[4] = {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                            static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
  return out.PutBytes(bytes, 4) >= 0;
}

bool PutLE32(IByteChunk& out, uint32_t v)
{
  const uint8_t bytes[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                            static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
  return out.PutBytes(bytes, 4) >= 0;
}

bool PutFloatBE(IByteChunk& out, float v)
{
  return PutBE32(out, std::bit_cast<uint32_t>(v));
}

// A name field: up to 27 characters, zero-padded to 28 bytes.
bool PutName(IByteChunk& out, const char* name)
{
  char field[kNameFieldSize] = {};
  if (name) std::memcpy(field, name, strnlen(name, kNameFieldSize - 1));
  return out.PutBytes(field, kNameFieldSize) >= 0;
}

// A read-only view of a file held in memory; every read is bounds-checked by the caller first.
struct FileView
{
  const uint8_t* data;
  int size;

  uint32_t BE32(int pos) const
  {
    return (uint32_t{data[pos]} << 24) | (uint32_t{data[pos + 1]} << 16) | (uint32_t{data[pos + 2]} << 8) |
           uint32_t{data[pos + 3]};
  }
  uint32_t LE32(int pos) const
  {
    return uint32_t{data[pos]} | (uint32_t{data[pos + 1]} << 8) | (uint32_t{data[pos + 2]} << 16) |
           (uint32_t{data[pos + 3]} << 24);
  }
  int32_t BEInt(int pos) const { return static_cast<int32_t>(BE32(pos)); }
  float BEFloat(int pos) const { return std::bit_cast<float>(BE32(pos)); }
  // The text of a 28-byte name field up to its first zero byte.
  void Name(int pos, char (&name)[kNameFieldSize + 1]) const
  {
    std::memcpy(name, data + pos, kNameFieldSize);
    name[kNameFieldSize] = '\0';
  }
  // Copies bytes [begin, end) into out.
  bool Copy(int begin, int end, IByteChunk& out) const
  {
    return end <= begin || out.PutBytes(data + begin, end - begin) >= 0;
  }
};

// Common program header of both forms, up to and including the name.
bool PutProgramHeader(IByteChunk& out, const IPluginBase& plugin, uint32_t sizeField, uint32_t code,
                      const char* name)
{
  return PutBE32(out, kMagic) && PutBE32(out, sizeField) && PutBE32(out, code) && PutBE32(out, 1) &&
         PutBE32(out, static_cast<uint32_t>(plugin.GetUniqueID())) &&
         PutBE32(out, static_cast<uint32_t>(plugin.GetPluginVersion(true))) &&
         PutBE32(out, static_cast<uint32_t>(plugin.NParams())) && PutName(out, name);
}

// The opaque chunk: the prefix words, then whatever write appends.
template <class Write> bool MakePrefixedChunk(IByteChunk& chunk, Write write)
{
  return PutLE32(chunk, kChunkPrefixWord0) && PutLE32(chunk, kChunkPrefixWord1) && write(chunk);
}

// Where the state of an opaque chunk at [begin, end) starts: after the prefix when it is there.
int ChunkStateStart(const FileView& f, int begin, int end)
{
  return end - begin >= 8 && f.LE32(begin) == kChunkPrefixWord0 ? begin + 8 : begin;
}

// The codes and version of a parameter-form program, in a program file or a bank.
bool ProgramHeaderIsValid(const FileView& f, int pos)
{
  return f.BE32(pos) == kMagic && f.BE32(pos + 8) == kProgramParams && f.BEInt(pos + 12) == 1;
}

// A bank's program record must also carry the plug-in's parameter count.
bool ProgramRecordIsValid(const FileView& f, int pos, int nParams)
{
  return ProgramHeaderIsValid(f, pos) && f.BEInt(pos + 24) == nParams;
}

void ApplyNormalizedValues(IPluginBase& plugin, const FileView& f, int pos)
{
  for (int i = 0; i < plugin.NParams(); ++i)
    plugin.GetParam(i)->SetNormalized(f.BEFloat(pos + 4 * i));
}

// Stores the current state into preset record idx, naming it when name is not empty. The record
// now holds a real state, so it counts as initialised: restoring it must load that state rather
// than overwrite it as a fresh user preset.
void StoreCurrentStateInto(IPluginBase& plugin, int idx, const char* name)
{
  IPreset* preset = plugin.GetPreset(idx);
  if (!preset) return;
  preset->mChunk.Clear();
  plugin.SerializeState(preset->mChunk);
  preset->mInitialized = true;
  if (name && *name) preset->SetName(name);
}

} // namespace

bool WriteProgramFXP(const IPluginBase& plugin, IByteChunk& out)
{
  const char* name = plugin.GetPresetName(plugin.GetCurrentPresetIdx());
  if (plugin.DoesStateChunks()) {
    IByteChunk chunk;
    if (!MakePrefixedChunk(chunk, [&](IByteChunk& c) { return plugin.SerializeState(c); })) return false;
    const uint32_t n = static_cast<uint32_t>(chunk.Size());
    return PutProgramHeader(out, plugin, kProgramHeaderSize + 4 + n, kProgramChunk, name) &&
           PutBE32(out, n) && out.PutChunk(chunk) >= 0;
  }
  if (!PutProgramHeader(out, plugin, 0, kProgramParams, name)) return false;
  for (int i = 0; i < plugin.NParams(); ++i)
    if (!PutFloatBE(out, static_cast<float>(plugin.GetParam(i)->GetNormalized()))) return false;
  return true;
}

bool WriteBankFXB(const IPluginBase& plugin, IByteChunk& out)
{
  const bool chunkForm = plugin.DoesStateChunks();
  IByteChunk chunk;
  if (chunkForm && !MakePrefixedChunk(chunk, [&](IByteChunk& c) { return plugin.SerializePresets(c); }))
    return false;
  const uint32_t n = static_cast<uint32_t>(chunk.Size());
  const uint8_t zeros[124] = {};
  if (!(PutBE32(out, kMagic) && PutBE32(out, chunkForm ? kBankHeaderSize + 4 + n : 0) &&
        PutBE32(out, chunkForm ? kBankChunk : kBankParams) && PutBE32(out, 2) &&
        PutBE32(out, static_cast<uint32_t>(plugin.GetUniqueID())) &&
        PutBE32(out, static_cast<uint32_t>(plugin.GetPluginVersion(true))) &&
        PutBE32(out, static_cast<uint32_t>(plugin.NPresets())) &&
        PutBE32(out, static_cast<uint32_t>(plugin.GetCurrentPresetIdx())) &&
        out.PutBytes(zeros, sizeof(zeros)) >= 0))
    return false;
  if (chunkForm) return PutBE32(out, n) && out.PutChunk(chunk) >= 0;

  for (int p = 0; p < plugin.NPresets(); ++p) {
    const IPreset* preset = plugin.GetPreset(p);
    if (!PutProgramHeader(out, plugin, 0, kProgramParams, preset->mName)) return false;
    // The record's state read as the parameter state; once it runs out every value reads 0.
    int pos = 0;
    for (int i = 0; i < plugin.NParams(); ++i) {
      double value = 0.0;
      pos = preset->mChunk.Get(&value, pos);
      if (pos < 0) value = 0.0;
      if (!PutFloatBE(out, static_cast<float>(plugin.GetParam(i)->ToNormalized(value)))) return false;
    }
  }
  return true;
}

bool ReadProgramFXP(IPluginBase& plugin, const IByteChunk& file)
{
  const FileView f{file.GetData(), file.Size()};
  if (f.size < kProgramHeaderSize || f.BE32(0) != kMagic || f.BEInt(12) != 1 ||
      f.BEInt(16) != plugin.GetUniqueID())
    return false;
  char name[kNameFieldSize + 1];
  f.Name(28, name);
  const uint32_t code = f.BE32(8);
  const int current = plugin.GetCurrentPresetIdx();

  if (code == kProgramChunk && plugin.DoesStateChunks()) {
    if (f.size < kProgramHeaderSize + 4) return false;
    const int64_t n = f.BEInt(kProgramHeaderSize);
    const int begin = kProgramHeaderSize + 4;
    if (n < 0 || begin + n > f.size) return false;
    const int end = begin + static_cast<int>(n);
    IByteChunk state, before;
    if (!f.Copy(ChunkStateStart(f, begin, end), end, state) || !plugin.SerializeState(before)) return false;
    if (plugin.UnserializeState(state, 0) < 0) {
      plugin.UnserializeState(before, 0); // the state reader gave up half-way: undo
      return false;
    }
    StoreCurrentStateInto(plugin, current, name);
  } else if (code == kProgramParams) {
    // The file's own parameter count is not used: what counts is that it holds every value.
    const int64_t needed = kProgramHeaderSize + int64_t{4} * plugin.NParams();
    if (!ProgramHeaderIsValid(f, 0) || f.size < needed) return false;
    ApplyNormalizedValues(plugin, f, kProgramHeaderSize);
    StoreCurrentStateInto(plugin, current, name);
  } else {
    return false;
  }
  plugin.RestorePreset(current);
  plugin.InformHostOfPresetChange();
  return true;
}

bool ReadBankFXB(IPluginBase& plugin, const IByteChunk& file)
{
  const FileView f{file.GetData(), file.Size()};
  if (f.size < kBankHeaderSize || f.BE32(0) != kMagic || f.BEInt(16) != plugin.GetUniqueID()) return false;
  const uint32_t code = f.BE32(8);

  if (code == kBankChunk && plugin.DoesStateChunks()) {
    if (f.size < kBankHeaderSize + 4) return false;
    const int64_t n = f.BEInt(kBankHeaderSize);
    const int begin = kBankHeaderSize + 4;
    if (n < 0 || begin + n > f.size) return false;
    const int end = begin + static_cast<int>(n);
    IByteChunk bank, presetsBefore, stateBefore;
    // A plug-in without records has no bank to keep: its empty snapshot is no failure.
    const bool keptPresets = plugin.SerializePresets(presetsBefore) || plugin.NPresets() == 0;
    if (!f.Copy(ChunkStateStart(f, begin, end), end, bank) || !keptPresets || !plugin.SerializeState(stateBefore))
      return false;
    if (plugin.UnserializePresets(bank, 0) < 0) {
      // Undo: the records first, then the live values, which may differ from the current record.
      plugin.UnserializePresets(presetsBefore, 0);
      plugin.UnserializeState(stateBefore, 0);
      return false;
    }
    plugin.InformHostOfPresetChange();
    return true;
  }
  if (code != kBankParams) return false;

  // Check every program record before anything is applied.
  const int nParams = plugin.NParams();
  const int64_t nPrograms = f.BEInt(24);
  const int64_t recordSize = kProgramHeaderSize + int64_t{4} * nParams;
  if (nPrograms < 0 || kBankHeaderSize + nPrograms * recordSize > f.size) return false;
  for (int64_t p = 0; p < nPrograms; ++p)
    if (!ProgramRecordIsValid(f, static_cast<int>(kBankHeaderSize + p * recordSize), nParams)) return false;

  const int fileCurrent = f.BEInt(28);
  const int nLoad = static_cast<int>(std::min<int64_t>(nPrograms, plugin.NPresets()));
  for (int p = 0; p < nLoad; ++p) {
    const int pos = static_cast<int>(kBankHeaderSize + p * recordSize);
    if (!plugin.RestorePreset(p)) {
      // A record whose stored state cannot be read is refilled from scratch.
      plugin.GetPreset(p)->mInitialized = false;
      plugin.RestorePreset(p);
    }
    ApplyNormalizedValues(plugin, f, pos + kProgramHeaderSize);
    char name[kNameFieldSize + 1];
    f.Name(pos + 28, name);
    StoreCurrentStateInto(plugin, p, name);
  }
  // An index that names no record restores nothing: the last program loaded stays current.
  plugin.RestorePreset(fileCurrent);
  plugin.InformHostOfPresetChange();
  return true;
}

} // namespace plugin

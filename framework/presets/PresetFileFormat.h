#pragma once

#include "framework/buffers/IByteChunk.h"

#include <cstdint>

namespace plugin {

class IPluginBase;

// Program (FXP) and bank (FXB) preset files: big-endian headers with four-character codes, in a
// chunk form (the plug-in's own state bytes, used when the plug-in saves state chunks) and a
// parameter form (one normalised big-endian float per parameter). These functions work on whole
// files held in memory; IPluginBase's Save/Load operations add the file access. Main thread.
namespace presetfile {

// Four-character codes as they appear in the file, read as big-endian integers.
constexpr uint32_t kMagic = 0x43636E4B;         // "CcnK"
constexpr uint32_t kProgramChunk = 0x46504368;  // "FPCh"
constexpr uint32_t kProgramParams = 0x4678436B; // "FxCk"
constexpr uint32_t kBankChunk = 0x46424368;     // "FBCh"
constexpr uint32_t kBankParams = 0x4678426B;    // "FxBk"
// First word of the prefix in front of every opaque chunk, as its little-endian bytes read.
constexpr uint32_t kChunkPrefixWord0 = 0x70666674;
constexpr uint32_t kChunkPrefixWord1 = 0x00010000;

constexpr int kProgramHeaderSize = 56; // up to the values, or the chunk size of the chunk form
constexpr int kBankHeaderSize = 156;   // up to the programs, or the chunk size of the chunk form
constexpr int kNameFieldSize = 28;

} // namespace presetfile

// Appends the current preset as a program file to out. False when the state or an append failed.
bool WriteProgramFXP(const IPluginBase& plugin, IByteChunk& out);

// Appends every preset record as a bank file to out. False when a state or an append failed.
bool WriteBankFXB(const IPluginBase& plugin, IByteChunk& out);

// Loads a program file into the parameters and the current preset record. Every header field and
// length is checked before anything is applied (the file's parameter count, plug-in version and
// size field are not used); a state that the plug-in cannot read is rolled back. False, with the
// plug-in unchanged, for a file too short for its values, another plug-in's, or a form the
// plug-in does not take.
bool ReadProgramFXP(IPluginBase& plugin, const IByteChunk& file);

// Loads a bank file into the preset records and restores the file's current program (when the
// file's index is not a record, the last program loaded stays current). Same checking and
// rollback as ReadProgramFXP; programs beyond the plug-in's record count are checked but ignored.
bool ReadBankFXB(IPluginBase& plugin, const IByteChunk& file);

} // namespace plugin

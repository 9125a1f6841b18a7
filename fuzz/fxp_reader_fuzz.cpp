// Feeds arbitrary program files to the FXP reader. The first byte chooses whether the plug-in saves
// state chunks; the rest is the file. Checks: a refused file changes nothing, an accepted one leaves
// only valid values and survives a write and read back.
#include "PresetFuzzPlugin.h"

#include "framework/PresetFileFormat.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1) return 0;
  fuzzing::PresetFuzzPlugin plugin((data[0] & 1) != 0);
  plugin::IByteChunk file;
  file.PutBytes(data + 1, static_cast<int>(size - 1));

  const auto before = fuzzing::Snapshot(plugin);
  if (!plugin::ReadProgramFXP(plugin, file)) {
    if (fuzzing::Snapshot(plugin) != before) __builtin_trap();
    return 0;
  }
  if (!fuzzing::AllValuesValid(plugin)) __builtin_trap();
  plugin::IByteChunk again;
  if (!plugin::WriteProgramFXP(plugin, again) || !plugin::ReadProgramFXP(plugin, again)) __builtin_trap();
  return 0;
}

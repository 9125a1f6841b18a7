// Feeds arbitrary bank files to the FXB reader (see PresetFileFuzz.h for the checks).
#include "PresetFileFuzz.h"

#include "framework/presets/PresetFileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  return fuzzing::FuzzPresetFile(data, size, plugin::ReadBankFXB, plugin::WriteBankFXB);
}

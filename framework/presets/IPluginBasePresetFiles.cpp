// IPluginBase's preset file operations: the file access around the formats in PresetFileFormat.
#include "framework/plugin/IPluginBase.h"
#include "framework/presets/PresetFileFormat.h"
#include "framework/buffers/WholeFile.h"

namespace plugin {

bool IPluginBase::SaveProgramAsFXP(const char* path) const
{
  if (!path || !*path) return false;
  IByteChunk file;
  return WriteProgramFXP(*this, file) && WriteWholeFile(path, file);
}

bool IPluginBase::SaveBankAsFXB(const char* path) const
{
  if (!path || !*path) return false;
  IByteChunk file;
  return WriteBankFXB(*this, file) && WriteWholeFile(path, file);
}

bool IPluginBase::LoadProgramFromFXP(const char* path)
{
  IByteChunk file;
  return ReadWholeFile(path, file) && ReadProgramFXP(*this, file);
}

bool IPluginBase::LoadBankFromFXB(const char* path)
{
  IByteChunk file;
  return ReadWholeFile(path, file) && ReadBankFXB(*this, file);
}

} // namespace plugin

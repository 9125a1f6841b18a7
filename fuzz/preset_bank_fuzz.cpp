// Feeds arbitrary bytes to the preset bank reader; whatever it accepts must round-trip.
#include "tests/support/framework/TestPlugin.h"

#include <cstdlib>
#include <cstring>
#include <string>

using namespace testhost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const IByteChunk chunk = Chunk(std::vector<uint8_t>(data, data + size));
  TestPlugin plug;
  const int pos = plug.UnserializePresets(chunk, 0);
  if (pos < -1 || pos > chunk.Size() || !AllValuesValid(plug)) std::abort();

  // Whatever was read, the bank written now reads back into a fresh plug-in identically.
  IByteChunk bank, again;
  TestPlugin other;
  if (!plug.SerializePresets(bank) || other.UnserializePresets(bank, 0) != bank.Size()) std::abort();
  other.SerializePresets(again);
  if (!again.IsEqual(bank)) std::abort();
  for (int i = 0; i < plug.NPresets(); ++i)
    if (std::strcmp(plug.GetPresetName(i), other.GetPresetName(i)) != 0) std::abort();

  // Exercise the text side on whatever names arrived.
  plug.RestorePreset(plug.GetPresetName(static_cast<int>(size % 4)));
  const std::string text(reinterpret_cast<const char*>(data), size); // terminated copy of the input
  plug.MakePresetFromBlob(plug.GetPresetName(0), text.c_str(), 16);
  return 0;
}

// Feeds arbitrary bytes to the preset bank reader; a bank it accepts must round-trip.
#include "framework/buffers/IByteChunk.h"
#include "framework/plugin/IPluginBase.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

class FuzzPlugin : public plugin::IPluginBase
{
public:
  FuzzPlugin() : IPluginBase(3, 4)
  {
    GetParam(0)->InitDouble("Gain", 0, -70, 24, 0.1);
    GetParam(1)->InitEnum("Mode", 1, {"A", "B", "C"});
    GetParam(2)->InitDouble("Steps", 2, 0, 10, 0.5, "", plugin::IParam::kFlagStepped);
    MakePresetFromNamedParams("Factory", {{0, -6.0}, {1, 2}});
    MakePresetFromBlob("Blob", "AAAAAAAA8D8=", 24);
  }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  plugin::IByteChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));

  FuzzPlugin plug;
  const int pos = plug.UnserializePresets(chunk, 0);
  if (pos < -1 || pos > chunk.Size()) std::abort();

  // Whatever was read, the bank written now reads back into a fresh plug-in identically.
  plugin::IByteChunk bank;
  if (!plug.SerializePresets(bank)) std::abort();
  FuzzPlugin other;
  if (other.UnserializePresets(bank, 0) != bank.Size()) std::abort();
  plugin::IByteChunk again;
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

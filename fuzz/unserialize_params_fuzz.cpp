// Feeds arbitrary bytes to the parameter state reader and checks what it leaves behind.
#include "framework/buffers/IByteChunk.h"
#include "framework/plugin/IPluginBase.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

class FuzzPlugin : public plugin::IPluginBase
{
public:
  FuzzPlugin() : IPluginBase(8, 0)
  {
    using plugin::IParam;
    GetParam(0)->InitDouble("Gain", 0, -70, 24, 0.1);
    GetParam(1)->InitBool("Power", true, "", 0, "", "Off", "On");
    GetParam(2)->InitEnum("Mode", 1, {"A", "B", "C"});
    GetParam(3)->InitInt("Count", 3, -5, 12);
    GetParam(4)->InitFrequency("Freq", 1000, 20, 20000, 1);
    GetParam(5)->InitDouble("Curve", 0.5, 0, 1, 0.001, "", 0, "", IParam::ShapePowCurve(3.0));
    GetParam(6)->InitDouble("Steps", 2, 0, 10, 0.5, "", IParam::kFlagStepped | IParam::kFlagNegateDisplay);
    GetParam(7)->InitDouble("Zero", 0, 1, 1, 0); // zero-width range
  }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1) return 0;
  // The first byte picks a start position (negative ones included), the rest is the chunk.
  const int startPos = static_cast<int>(static_cast<int8_t>(data[0]));
  plugin::IByteChunk chunk;
  chunk.PutBytes(data + 1, static_cast<int>(size - 1));

  FuzzPlugin plug;
  const int pos = plug.UnserializeState(chunk, startPos);
  if (pos != -1 && pos != startPos && pos != startPos + 8 * plug.NParams()) std::abort();

  // Every value ends up inside its range, and the state written back restores exactly.
  for (int i = 0; i < plug.NParams(); ++i) {
    const plugin::IParam* p = plug.GetParam(i);
    const double v = p->Value();
    if (!(v >= p->GetMin() && v <= p->GetMax())) std::abort();
    plugin::StringBuf text;
    p->GetDisplayWithLabel(text);
    const double n = p->GetNormalized();
    if (!(n >= 0.0 && n <= 1.0)) std::abort();
  }
  plugin::IByteChunk saved;
  if (!plug.SerializeState(saved) || saved.Size() != 8 * plug.NParams()) std::abort();
  FuzzPlugin other;
  if (other.UnserializeState(saved, 0) != saved.Size()) std::abort();
  for (int i = 0; i < plug.NParams(); ++i)
    if (other.GetParam(i)->Value() != plug.GetParam(i)->Value()) std::abort();
  return 0;
}

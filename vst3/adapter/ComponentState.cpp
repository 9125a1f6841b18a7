#include "vst3/adapter/ComponentState.h"

#include <cstdint>

namespace plugin::vst3 {

bool WriteComponentState(const IPluginBase& plug, bool bypassed, IByteChunk& out)
{
  if (!plug.SerializeState(out)) return false;
  const int32_t flag = bypassed ? 1 : 0;
  return out.Put(&flag) >= 0;
}

bool ReadComponentState(IPluginBase& plug, const IByteChunk& in, bool& bypassed)
{
  IByteChunk current;
  if (!plug.SerializeState(current)) return false;
  // A state shorter than the one in place cannot be whole: refuse it before touching anything.
  if (in.Size() < current.Size() + static_cast<int>(sizeof(int32_t))) return false;

  const int pos = plug.UnserializeState(in, 0);
  int32_t flag = 0;
  if (pos < 0 || in.Get(&flag, pos) < 0) {
    plug.UnserializeState(current, 0);
    return false;
  }
  bypassed = flag != 0;
  return true;
}

} // namespace plugin::vst3

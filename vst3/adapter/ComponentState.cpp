#include "vst3/adapter/ComponentState.h"

#include <cstdint>

namespace plugin::vst3 {

bool WriteComponentState(const IPluginBase& plug, bool bypassed, IByteChunk& out)
{
  if (!plug.SerializeState(out)) return false;
  const int32_t flag = bypassed ? 1 : 0;
  return out.Put(&flag) >= 0;
}

EStateRead ReadComponentState(IPluginBase& plug, const IByteChunk& in, bool& bypassed)
{
  IByteChunk current;
  if (!plug.SerializeState(current)) return kStateRefused;
  // A state shorter than the one in place cannot be whole: refuse it before touching anything.
  if (in.Size() < current.Size()) return kStateRefused;

  const int pos = plug.UnserializeState(in, 0);
  if (pos < 0) {
    plug.UnserializeState(current, 0);
    return kStateRefused;
  }
  int32_t flag = 0;
  if (in.Get(&flag, pos) < 0) return kStateWithoutFlag;
  bypassed = flag != 0;
  return kStateWhole;
}

} // namespace plugin::vst3

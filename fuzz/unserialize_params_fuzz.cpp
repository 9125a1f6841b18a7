// Feeds arbitrary bytes to the parameter state reader and checks what it leaves behind.
#include "tests/framework/support/TestPlugin.h"

#include <cstdlib>

using namespace testhost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  if (size < 1) return 0;
  // The first byte picks a start position (negative ones included), the rest is the state.
  const int start = static_cast<int8_t>(data[0]);
  TestPlugin plug;
  const int pos = plug.UnserializeState(Chunk(std::vector<uint8_t>(data + 1, data + size)), start);
  if (pos != -1 && pos != start && pos != start + 8 * plug.NParams()) std::abort();

  // Every value ends up inside its range and displays; the state written back restores exactly.
  if (!AllValuesValid(plug)) std::abort();
  for (int i = 0; i < plug.NParams(); ++i) {
    StringBuf text;
    plug.GetParam(i)->GetDisplayWithLabel(text);
    const double n = plug.GetParam(i)->GetNormalized();
    if (!(n >= 0.0 && n <= 1.0)) std::abort();
  }
  IByteChunk saved;
  TestPlugin other;
  if (!plug.SerializeState(saved) || other.UnserializeState(saved, 0) != saved.Size()) std::abort();
  if (Values(other) != Values(plug)) std::abort();
  return 0;
}

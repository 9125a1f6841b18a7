#pragma once

#include <cstdint>

namespace plugin {

// One short MIDI message, copied by value between the editor, the host and the processor.
struct IMidiMsg
{
  int32_t mOffset = 0; // sample offset within the block
  uint8_t mStatus = 0;
  uint8_t mData1 = 0;
  uint8_t mData2 = 0;
};

static_assert(sizeof(IMidiMsg) == 8, "IMidiMsg is an 8-byte record");

} // namespace plugin

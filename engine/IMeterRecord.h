#pragma once

#include <cstdint>

// One meter reading on its way from the engine to a meter control: the control's tag, the
// channel count (always 1), the channel offset (always 0) and the value. 16 bytes, native byte
// order; the control reads it as the data of a message with tag 0.
struct IMeterRecord
{
  int32_t mControlTag = -1;
  int32_t mNChans = 1;
  int32_t mChanOffset = 0;
  float mValue = 0.0f;
};

static_assert(sizeof(IMeterRecord) == 16, "meter records are 16 bytes");

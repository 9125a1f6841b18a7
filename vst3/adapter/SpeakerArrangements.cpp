#include "vst3/adapter/SpeakerArrangements.h"

#include <bit>

namespace plugin::vst3 {

uint64_t ArrangementForChannels(int nChannels) noexcept
{
  switch (nChannels) {
  case 1:
    return 0x80000; // mono (centre)
  case 2:
    return 0x3; // left, right
  case 3:
    return 0x7; // left, right, centre
  case 4:
    return 0xF00000; // ambisonics, first order
  case 5:
    return 0x37; // 5.0
  case 6:
    return 0x3F; // 5.1
  case 7:
    return 0xF7; // 7.0 with centre-left/right
  case 8:
    return 0x63F; // 7.1 with side-left/right
  case 9:
    return 0x7C000F00000; // ambisonics, second order
  case 10:
    return 0x300063F; // 7.1 with the two top-side speakers
  case 16:
    return 0x3FFC000F00000; // ambisonics, third order
  default:
    return 0; // empty
  }
}

int ChannelsOfArrangement(uint64_t arrangement) noexcept
{
  return std::popcount(arrangement);
}

} // namespace plugin::vst3

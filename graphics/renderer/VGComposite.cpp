#include "graphics/renderer/VGComposite.h"

VGcompositeOperationState vgCompositeOperationStateFor(int op) noexcept
{
  int sfactor = VG_ONE, dfactor = VG_ZERO;
  switch (op) {
  case VG_SOURCE_OVER:
    sfactor = VG_ONE;
    dfactor = VG_ONE_MINUS_SRC_ALPHA;
    break;
  case VG_SOURCE_IN:
    sfactor = VG_DST_ALPHA;
    dfactor = VG_ZERO;
    break;
  case VG_SOURCE_OUT:
    sfactor = VG_ONE_MINUS_DST_ALPHA;
    dfactor = VG_ZERO;
    break;
  case VG_ATOP:
    sfactor = VG_DST_ALPHA;
    dfactor = VG_ONE_MINUS_SRC_ALPHA;
    break;
  case VG_DESTINATION_OVER:
    sfactor = VG_ONE_MINUS_DST_ALPHA;
    dfactor = VG_ONE;
    break;
  case VG_DESTINATION_IN:
    sfactor = VG_ZERO;
    dfactor = VG_SRC_ALPHA;
    break;
  case VG_DESTINATION_OUT:
    sfactor = VG_ZERO;
    dfactor = VG_ONE_MINUS_SRC_ALPHA;
    break;
  case VG_DESTINATION_ATOP:
    sfactor = VG_ONE_MINUS_DST_ALPHA;
    dfactor = VG_SRC_ALPHA;
    break;
  case VG_LIGHTER:
    sfactor = VG_ONE;
    dfactor = VG_ONE;
    break;
  case VG_COPY:
    sfactor = VG_ONE;
    dfactor = VG_ZERO;
    break;
  case VG_XOR:
    sfactor = VG_ONE_MINUS_DST_ALPHA;
    dfactor = VG_ONE_MINUS_SRC_ALPHA;
    break;
  default:
    break; // unknown operations fall back to one / zero
  }
  return VGcompositeOperationState{sfactor, dfactor, sfactor, dfactor};
}

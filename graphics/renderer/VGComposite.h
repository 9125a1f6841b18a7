#pragma once

#include "graphics/renderer/VGTypes.h"

// Composite operations of the vector core and the blend factors each one selects. Pure; any
// thread.

// Composite operations; any other value selects one / zero.
enum VGcompositeOperation {
  VG_SOURCE_OVER = 0,
  VG_SOURCE_IN,
  VG_SOURCE_OUT,
  VG_ATOP,
  VG_DESTINATION_OVER,
  VG_DESTINATION_IN,
  VG_DESTINATION_OUT,
  VG_DESTINATION_ATOP,
  VG_LIGHTER,
  VG_COPY,
  VG_XOR,
};

// Blend factors selected by composite operation op, the same for colour and alpha (one / zero
// for unknown values).
VGcompositeOperationState vgCompositeOperationStateFor(int op) noexcept;

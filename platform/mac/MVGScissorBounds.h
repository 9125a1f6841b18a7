#pragma once

#include "platform/mac/MVGShaderUniforms.h"
#include "platform/mac/system/GpuShaderTypes.h"

// Narrows bounds on varyings 0 and 1 (the fragment's position in points) to a box outside which
// the scissor mask of u is 0 as the fragment functions compute it in float: the scissor's
// parallelogram widened by its fade and by a margin for rounding. Leaves bounds as they are when
// the block's scissor cannot be bounded that way ("no scissor", a zero or non-positive scale, a
// non-finite or near-singular matrix). Runs in the fragment setup; no allocation.
void mvgScissorBounds(const MVGfragUniforms& u, plugin::sys::GpuFragmentBounds& bounds) noexcept;

#pragma once

#include "graphics/renderer/VGTypes.h"
#include "graphics/values/IBlend.h"
#include "graphics/values/IColor.h"
#include "graphics/values/IPathOptions.h"
#include "graphics/values/IPattern.h"

struct VGcontext;

namespace plugin::ui {

// The toolkit's colours, blends, patterns, caps and joins in the vector core's terms. Pure
// conversions, plus setters on a context's current state; main thread.

// (R, G, B) / 255 with alpha w x A / 255, w the blend's weight (1 without a blend); the alpha is
// kept within 0..1 and a weight that is not a number gives 0.
VGcolor CanvasColor(const IColor& color, const IBlend* blend);

// The paint of a pattern: a solid colour (its first stop's), or a gradient from the first to the
// last stop placed by the inverse of the pattern's transform: radial for Radial, linear for any
// other type.
struct CanvasPaint
{
  bool solid = true;
  VGcolor color{};
  VGpaint paint{};
};

// False when the pattern paints nothing: no stops, or a gradient whose transform is singular or
// places it beyond single precision.
bool MakeCanvasPaint(const IPattern& pattern, const IBlend* blend, CanvasPaint& out);

// Composite operation of a blend on the current state: none is source-over, methods 0..7 their
// operation, Add the factors source alpha / destination alpha, Xor the xor operation; any other
// method leaves the state as it is.
void SetCanvasComposite(VGcontext* vg, const IBlend* blend);

// The core's cap and join for the toolkit's; -1 for values it does not know.
int CanvasLineCap(ELineCap cap);
int CanvasLineJoin(ELineJoin join);

} // namespace plugin::ui

#include "graphics/ISVG.h"

namespace plugin::ui {

// Placeholder until the SVG parser is linked: nothing creates an image yet, so there is nothing
// to free.
SVGHolder::~SVGHolder() = default;

} // namespace plugin::ui

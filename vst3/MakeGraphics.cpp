#include "vst3/MakeGraphics.h"

namespace plugin {

ui::ICanvas* MakeGraphics(IEditorDelegate&, int, int, int, float)
{
  return nullptr; // no platform layer in this build
}

} // namespace plugin

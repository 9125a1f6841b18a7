#pragma once

namespace plugin::ui {

class ICanvas;

// The value captions of the faceplate, in drawing order: the three trims with their units, the
// eight big knobs, the side-chain frequencies and gains, the two synced releases and the two
// side-chain sources. A click on a caption prompts for a value. Main thread; allocates.
void AttachValueCaptions(ICanvas& ui);

} // namespace plugin::ui

#pragma once

#include "graphics/renderer/ICanvasVGBackend.h"

namespace plugin::ui::test {

// The drawing backend's slots over a testsupport::RecordingBackend instead of the GPU: the
// platform layer handed to createContext is the RecordingBackend*, framebuffers are its RGBA
// textures, the bound framebuffer is kept per thread, and read-back copies a texture's recorded
// pixels (zeros for one that nothing was uploaded to).
ICanvasVGBackend RecordingVGBackend();

// The framebuffer bound on this thread (null for the screen), and its image id (0 for none).
MVGframebuffer* RecordingBoundFramebuffer();
int RecordingBoundImage();

} // namespace plugin::ui::test

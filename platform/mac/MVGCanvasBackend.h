#pragma once

#include "graphics/renderer/ICanvasVGBackend.h"

// The drawing backend's slots filled with the GPU backend: the context over a layer, framebuffers,
// clearing and read-back. The platform layer handed to createContext is a plugin::sys::GpuLayer*
// (owned by a GpuLayerRef elsewhere). Main thread.
plugin::ui::ICanvasVGBackend mvgCanvasBackend();

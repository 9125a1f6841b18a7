#pragma once

#include "platform/mac/MVGTypes.h"
#include "platform/mac/system/GpuLayer.h"

// A vector graphics context drawing through the GPU backend onto layer's drawables, with the
// creation flags VG_ANTIALIAS, VG_STENCIL_STROKES, VG_DEBUG, VG_DOUBLE_BUFFER, VG_TRIPLE_BUFFER.
// Null for a null layer or when the backend or the context cannot be made (nothing is kept).
// Main thread.
VGcontext* mvgCreateContext(const plugin::sys::GpuLayerRef& layer, int flags);

// Deletes a context made by mvgCreateContext, its backend included; null is ignored.
void mvgDeleteContext(VGcontext* ctx);

// Fills params with the backend's callbacks over backend (user pointer) and its anti-alias flag.
class MVGcontext_vKelmo_vst3;
void mvgFillParams(VGparams& params, MVGcontext_vKelmo_vst3* backend);

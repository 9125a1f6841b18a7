#pragma once

#include "platform/mac/system/GpuShaderTypes.h"

// The backend's shader functions, run by the GPU on its worker thread for the draws the backend
// encodes; they neither allocate nor lock.
//   vertex buffer 0: VGvertex (position, texture coordinate); vertex buffer 1: MVGviewSize;
//   fragment buffer 0: MVGfragUniforms; fragment texture and sampler 0: the call's image.

// Maps a position in points to clip space and passes position and texture coordinate on.
void mvgVertexShader(const plugin::sys::GpuVertexIn& in, const plugin::sys::GpuStageResources& resources,
                     plugin::sys::GpuVertexOut& out);

// The setup of both fragment functions: reads the uniform block and takes texture and sampler 0
// once per draw, and bounds the positions outside which the scissor makes every colour zero;
// false when the bound uniform buffer is too short for a block.
bool mvgFragmentSetup(const plugin::sys::GpuStageResources& resources,
                      plugin::sys::GpuFragmentConstants& constants, plugin::sys::GpuFragmentBounds& bounds);

// Colours the fragments of a span with stroke and fringe coverage; discards those below the
// stroke threshold.
void mvgFragmentShaderAA(const plugin::sys::GpuFragmentSpan& span,
                         const plugin::sys::GpuFragmentConstants& constants, float (*colours)[4], bool* kept);

// Colours the fragments of a span without coverage; keeps every one.
void mvgFragmentShader(const plugin::sys::GpuFragmentSpan& span,
                       const plugin::sys::GpuFragmentConstants& constants, float (*colours)[4], bool* kept);

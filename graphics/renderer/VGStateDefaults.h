#pragma once

#include "graphics/renderer/VGComposite.h"
#include "graphics/renderer/VGTypes.h"

// The values a drawing state starts from (vgReset) and the context's tolerances at a device
// pixel ratio of 1; the context divides the tolerances by the ratio of each frame.

// Curve flattening: a Bezier is split until its control points lie this close to its chord.
constexpr float kVGTessellationTolerance = 0.25f;
// Points closer than this are one point.
constexpr float kVGDistanceTolerance = 0.01f;
// Width of the anti-aliasing fringe.
constexpr float kVGFringeWidth = 1.0f;

constexpr VGcolor kVGInitialFillColor = {1.0f, 1.0f, 1.0f, 1.0f};   // opaque white
constexpr VGcolor kVGInitialStrokeColor = {0.0f, 0.0f, 0.0f, 1.0f}; // opaque black
constexpr int kVGInitialCompositeOperation = VG_SOURCE_OVER;
constexpr float kVGInitialStrokeWidth = 1.0f;
constexpr float kVGInitialMiterLimit = 10.0f;
constexpr float kVGInitialAlpha = 1.0f;
// A scissor extent of -1 means no scissor.
constexpr float kVGNoScissorExtent = -1.0f;
constexpr float kVGInitialFontSize = 16.0f;
constexpr float kVGInitialLineHeight = 1.0f; // a multiple of the font's own line height

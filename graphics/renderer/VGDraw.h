#pragma once

struct VGcontext;

// Rendering of the current path with the current state. The path stays in the buffer, so it
// can be filled and stroked; it is flattened once, the vertices are recomputed by each call.
// Nothing reaches the backend when the path has no sub-path, or when the paint, scissor or
// width are not finite.

// Fills the current path with the fill paint (anti-aliased when the backend and the state ask).
void vgFill(VGcontext* ctx);
// Strokes the current path with the stroke paint, width, caps and joins.
void vgStroke(VGcontext* ctx);
// Prints the path cache (paths and their fill and stroke vertices) to standard output.
void vgDebugDumpPathCache(VGcontext* ctx);

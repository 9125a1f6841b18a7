#pragma once

struct VGcontext;

// Expansion of the flattened paths into the vertices handed to the backend: fill fans with an
// optional anti-alias fringe strip, and stroke strips with joins and caps. Both return 1, or 0
// when the vertex storage could not grow (every path then has no vertices).

// Fill vertices of every path, with a fringe of half-width w when w > 0.
int vgExpandFill(VGcontext* ctx, float w, int lineJoin, float miterLimit);
// Stroke vertices of every path for half-width w and anti-alias fringe aa (0 = none).
int vgExpandStroke(VGcontext* ctx, float w, float aa, int lineCap, int lineJoin, float miterLimit);
// Divisions of an arc of angle arc (radians) on radius r for tolerance tol; at least 2.
int vgCurveDivs(float r, float arc, float tol);

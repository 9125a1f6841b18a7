#pragma once

struct VGcontext;

// What every text operation of the core does first.

// Sets the atlas state from the current state at the text scale (the transform's quantised
// scale, at most 4, times the device ratio): size, spacing, blur, alignment and font. False
// when there is no font or the text is below 0.2 device pixels: nothing is then drawn or measured.
bool vgTextSetup(VGcontext* ctx, float* scale, float* invscale);
// A null string is empty; a null end is the terminating zero.
void vgTextRange(const char** string, const char** end);

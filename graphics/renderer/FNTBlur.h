#pragma once

// Blurs a w x h block of alpha values in place (rows stride bytes apart) with a recursive
// fixed-point filter of strength iblur (1..20); the block's outer pixels end up 0.
void fntBlur(unsigned char* dst, int w, int h, int stride, int iblur);

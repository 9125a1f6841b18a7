#pragma once

struct VGcontext;

// The backend images that hold the font atlas: up to four per context, slot 0 made at creation.

// Uploads the atlas's dirty rectangle to the font image in use.
void vgFlushTextTexture(VGcontext* ctx);
// Moves to the next font image (the one in the next slot, else a new one twice as wide or high,
// at most 2048 x 2048) and empties the atlas at its size; 0 when the fourth image is in use or
// no image can be had.
int vgAllocTextAtlas(VGcontext* ctx);
// End of frame: the image in use moves to slot 0; earlier images smaller in either side are
// deleted, the others kept behind it.
void vgCompactFontImages(VGcontext* ctx);

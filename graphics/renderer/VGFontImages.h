#pragma once

struct VGcontext;

// The backend images that hold the font atlas: up to four per context, slot 0 made at creation.

// End of frame: the image in use moves to slot 0; earlier images smaller in either side are
// deleted, the others kept behind it.
void vgCompactFontImages(VGcontext* ctx);

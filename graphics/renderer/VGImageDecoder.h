#pragma once

// Image decoding for the vector core (8-bit RGBA, never flipped). The decoder's pixels are freed
// with vgFreeDecodedImage.

// Decodes a file opened for binary reading; turns the process-wide switches for unpremultiplying
// on load and converting iPhone PNG files on first (they stay on). Null on failure.
unsigned char* vgDecodeImageFile(const char* filename, int* w, int* h);
// Decodes an image held in memory with the switches as they are. Null on failure.
unsigned char* vgDecodeImageMemory(const unsigned char* data, int ndata, int* w, int* h);
void vgFreeDecodedImage(unsigned char* pixels);

#pragma once

struct VGcontext;

// Images of the vector core, held by the backend. Ids are ints, 0 meaning no image or failure;
// 0 is accepted everywhere and does nothing. Called on the context's thread.

// Decodes an image file to RGBA; 0 when the file is missing or not a decodable image.
int vgCreateImage(VGcontext* ctx, const char* filename, int imageFlags);
// Decodes an image file held in memory to RGBA; 0 on failure.
int vgCreateImageMem(VGcontext* ctx, int imageFlags, unsigned char* data, int ndata);
// RGBA image of w x h from data (null: uninitialised); 0 for sizes below 1 or backend failure.
int vgCreateImageRGBA(VGcontext* ctx, int w, int h, int imageFlags, const unsigned char* data);
// Replaces the whole image with data (w x h x 4 bytes); ignored for unknown images.
void vgUpdateImage(VGcontext* ctx, int image, const unsigned char* data);
// The image's size; 0 x 0 for unknown images. Either output may be null.
void vgImageSize(VGcontext* ctx, int image, int* w, int* h);
void vgDeleteImage(VGcontext* ctx, int image);

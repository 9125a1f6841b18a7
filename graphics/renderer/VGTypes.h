#pragma once

// Records that cross the line between the vector graphics core and its render backend, the
// backend's parameter block, and the flag values both sides agree on. Plain structures only:
// floats are 32-bit IEEE, ints 32-bit signed; no constructors, so a backend written against
// these records can fill and copy them freely.

// Straight (not premultiplied) colour, each channel 0..1.
struct VGcolor
{
  float r, g, b, a;
};

// Paint: gradient or image pattern in its own coordinate frame (xform maps paint space to the
// frame). A solid colour is a paint whose inner and outer colours are equal.
struct VGpaint
{
  float xform[6]; // affine [a, b, c, d, e, f]: (x, y) -> (a*x + c*y + e, b*x + d*y + f)
  float extent[2];
  float radius;
  float feather;
  VGcolor innerColor;
  VGcolor outerColor;
  int image; // image id, 0 = none
};

// Scissor rectangle: centre and rotation in xform, half width and height in extent.
// extent[0] = extent[1] = -1 means that no scissor is set.
struct VGscissor
{
  float xform[6];
  float extent[2];
};

// One vertex handed to the backend: position in frame units, u the anti-alias coverage
// coordinate across a stroke or fringe, v 1 on the stroke body and 0 on a cap fringe's edge.
struct VGvertex
{
  float x, y, u, v;
};

// One flattened sub-path with its fill and stroke vertices. The vertex arrays belong to the
// core's path cache and stay valid only until the next path is begun.
struct VGpath
{
  int first; // index of the first point in the point cache
  int count; // number of points
  unsigned char closed;
  int nbevel;
  VGvertex* fill;
  int nfill;
  VGvertex* stroke;
  int nstroke;
  int winding; // VG_CCW (solid) or VG_CW (hole)
  int convex;
};

// Blend factors of a draw call; each field holds one VGblendFactor bit.
struct VGcompositeOperationState
{
  int srcRGB;
  int dstRGB;
  int srcAlpha;
  int dstAlpha;
};

// Blend-factor flags stored in VGcompositeOperationState.
enum VGblendFactor {
  VG_ZERO = 1 << 0,
  VG_ONE = 1 << 1,
  VG_SRC_COLOR = 1 << 2,
  VG_ONE_MINUS_SRC_COLOR = 1 << 3,
  VG_DST_COLOR = 1 << 4,
  VG_ONE_MINUS_DST_COLOR = 1 << 5,
  VG_SRC_ALPHA = 1 << 6,
  VG_ONE_MINUS_SRC_ALPHA = 1 << 7,
  VG_DST_ALPHA = 1 << 8,
  VG_ONE_MINUS_DST_ALPHA = 1 << 9,
  VG_SRC_ALPHA_SATURATE = 1 << 10,
};

// Texture types passed to renderCreateTexture.
enum VGtextureType {
  VG_TEXTURE_ALPHA = 1, // one 8-bit channel (the font atlas)
  VG_TEXTURE_RGBA = 2,  // four 8-bit channels
};

// Image flags; the core passes them to the backend unchanged and never interprets them.
enum VGimageFlags {
  VG_IMAGE_GENERATE_MIPMAPS = 1 << 0,
  VG_IMAGE_REPEATX = 1 << 1,
  VG_IMAGE_REPEATY = 1 << 2,
  VG_IMAGE_FLIPY = 1 << 3,
  VG_IMAGE_PREMULTIPLIED = 1 << 4,
  VG_IMAGE_NEAREST = 1 << 5,
  VG_IMAGE_NODELETE = 1 << 16,
};

// Creation flags of a render backend (the core reads none of them; the backend sets
// VGparams::edgeAntiAlias from VG_ANTIALIAS).
enum VGcreateFlags {
  VG_ANTIALIAS = 1 << 0,
  VG_STENCIL_STROKES = 1 << 1,
  VG_DEBUG = 1 << 2,
  VG_DOUBLE_BUFFER = 1 << 12,
  VG_TRIPLE_BUFFER = 1 << 13,
};

// The render backend as the core sees it: a user pointer and a block of callbacks, copied into
// the context at creation. Every callback is called by the core on the thread that owns the
// context (the UI thread), gets userPtr first, and may allocate; none is called re-entrantly.
// Paint and scissor pointers are valid only during the call; path and vertex arrays until the
// next path is begun, so a backend copies what it keeps.
struct VGparams
{
  void* userPtr;
  int edgeAntiAlias; // non-zero: the core generates anti-alias fringes

  // Called once during context creation; 0 means failure (the context is not made).
  int (*renderCreate)(void* userPtr);
  // New image of type VGtextureType; data may be null (uninitialised). Returns the id, 0 on failure.
  int (*renderCreateTexture)(void* userPtr, int type, int w, int h, int imageFlags,
                             const unsigned char* data);
  // Deletes an image; returns 1, or 0 for an unknown id.
  int (*renderDeleteTexture)(void* userPtr, int image);
  // Replaces region (x, y, w, h) of an image; data addresses the whole image (its full width is
  // the row length). Returns 1, or 0 for an unknown id.
  int (*renderUpdateTexture)(void* userPtr, int image, int x, int y, int w, int h, const unsigned char* data);
  // Writes an image's size; returns 1, or 0 for an unknown id (outputs untouched).
  int (*renderGetTextureSize)(void* userPtr, int image, int* w, int* h);
  // Start of a frame of width x height frame units at devicePixelRatio pixels per unit.
  void (*renderViewport)(void* userPtr, float width, float height, float devicePixelRatio);
  // Drops the queued frame.
  void (*renderCancel)(void* userPtr);
  // Executes the queued frame.
  void (*renderFlush)(void* userPtr);
  // Queues a fill of npaths paths; bounds = min x, min y, max x, max y of their points.
  void (*renderFill)(void* userPtr, VGpaint* paint, VGcompositeOperationState compositeOperation,
                     VGscissor* scissor, float fringe, const float* bounds, const VGpath* paths, int npaths);
  // Queues a stroke of npaths paths, strokeWidth in frame units.
  void (*renderStroke)(void* userPtr, VGpaint* paint, VGcompositeOperationState compositeOperation,
                       VGscissor* scissor, float fringe, float strokeWidth, const VGpath* paths, int npaths);
  // Queues a triangle list (text quads).
  void (*renderTriangles)(void* userPtr, VGpaint* paint, VGcompositeOperationState compositeOperation,
                          VGscissor* scissor, const VGvertex* verts, int nverts, float fringe);
  // Releases the backend; may be null. Called once at context deletion, and also when context
  // creation fails (whether or not renderCreate ran), so that a refused backend is released too.
  void (*renderDelete)(void* userPtr);
};

#pragma once

// Records and constants of the font atlas: one alpha texture of packed glyph bitmaps, a glyph
// cache per font, and a small state stack for size, alignment, colour, blur and spacing.

// Atlas origin (FNTparams::flags).
enum FNTflags {
  FNT_ZERO_TOPLEFT = 1,
  FNT_ZERO_BOTTOMLEFT = 2,
};

// Alignment flags, same values as the vector core's.
enum FNTalign {
  FNT_ALIGN_LEFT = 1 << 0,
  FNT_ALIGN_CENTER = 1 << 1,
  FNT_ALIGN_RIGHT = 1 << 2,
  FNT_ALIGN_TOP = 1 << 3,
  FNT_ALIGN_MIDDLE = 1 << 4,
  FNT_ALIGN_BOTTOM = 1 << 5,
  FNT_ALIGN_BASELINE = 1 << 6,
};

// Codes handed to the error callback.
enum FNTerrorCode {
  FNT_ATLAS_FULL = 1,
  FNT_SCRATCH_FULL = 2,
  FNT_STATES_OVERFLOW = 3,
  FNT_STATES_UNDERFLOW = 4,
};

// Whether a glyph lookup must place a bitmap in the atlas.
enum FNTglyphBitmap {
  FNT_GLYPH_BITMAP_OPTIONAL = 1,
  FNT_GLYPH_BITMAP_REQUIRED = 2,
};

constexpr int FNT_INVALID = -1;
constexpr int FNT_SCRATCH_BUF_SIZE = 96000;
constexpr int FNT_VERTEX_COUNT = 1024;
constexpr int FNT_MAX_STATES = 20;
constexpr int FNT_MAX_FALLBACKS = 20;
constexpr int FNT_HASH_LUT_SIZE = 256;
constexpr int FNT_INIT_FONTS = 4;
constexpr int FNT_INIT_GLYPHS = 256;
constexpr int FNT_INIT_ATLAS_NODES = 256;
constexpr int FNT_MAX_NAME = 64;
// Largest atlas side: skyline nodes hold 16-bit coordinates.
constexpr int FNT_MAX_ATLAS_SIDE = 32767;

// Creation parameters. Every callback is optional and is called on the atlas's thread with
// userPtr first; the vector core sets none of them.
struct FNTparams
{
  int width, height;
  unsigned char flags;
  void* userPtr;
  // Atlas texture created (0 = failure).
  int (*renderCreate)(void* userPtr, int width, int height);
  // Atlas texture resized (0 = failure).
  int (*renderResize)(void* userPtr, int width, int height);
  // Upload of the dirty rectangle x0, y0, x1, y1 from the full atlas pixels.
  void (*renderUpdate)(void* userPtr, int* rect, const unsigned char* data);
  // Batch of nverts triangle vertices: positions and texture coordinates as float pairs.
  void (*renderDraw)(void* userPtr, const float* verts, const float* tcoords, const unsigned int* colors,
                     int nverts);
  void (*renderDelete)(void* userPtr);
};

struct FNTstate
{
  int font;
  int align;
  float size;
  unsigned int color;
  float blur;
  float spacing;
};

// Skyline segment: y is the first free row of [x, x + width).
struct FNTatlasNode
{
  short x, y, width;
};

struct FNTatlas
{
  int width, height;
  FNTatlasNode* nodes;
  int nnodes;
  int cnodes;
};

struct FNTglyph
{
  unsigned int codepoint;
  int index;
  int next;
  short size, blur;
  short x0, y0, x1, y1;
  short xadv, xoff, yoff;
};

struct FNTfont;

struct FNTcontext
{
  FNTparams params;
  float itw, ith;
  unsigned char* texData;
  int dirtyRect[4];
  FNTfont** fonts;
  int cfonts;
  int nfonts;
  FNTatlas* atlas;
  float verts[FNT_VERTEX_COUNT * 2];
  float tcoords[FNT_VERTEX_COUNT * 2];
  unsigned int colors[FNT_VERTEX_COUNT];
  int nverts;
  unsigned char* scratch;
  int nscratch;
  FNTstate states[FNT_MAX_STATES];
  int nstates;
  void (*handleError)(void* uptr, int error, int val);
  void* errorUptr;
};

// Screen rectangle and texture coordinates of one glyph.
struct FNTquad
{
  float x0, y0, s0, t0;
  float x1, y1, s1, t1;
};

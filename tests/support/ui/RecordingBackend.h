#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "graphics/renderer/VGTypes.h"

namespace testsupport {

// A sub-path as the backend received it, with its own copies of the vertices.
struct RecordedPath
{
  int first = 0;
  int count = 0;
  bool closed = false;
  int nbevel = 0;
  std::vector<VGvertex> fill;
  std::vector<VGvertex> stroke;
  int winding = 0;
  bool convex = false;
};

// One queued draw call, deep-copied.
struct RecordedDraw
{
  enum class Kind { Fill, Stroke, Triangles };
  Kind kind = Kind::Fill;
  VGpaint paint{};
  VGcompositeOperationState op{};
  VGscissor scissor{};
  float fringe = 0;
  float strokeWidth = 0;           // strokes
  std::array<float, 4> bounds{};   // fills
  std::vector<RecordedPath> paths; // fills and strokes
  std::vector<VGvertex> verts;     // triangles
};

// A live texture with its pixels (width x height x 1 or 4 bytes).
struct RecordedTexture
{
  int type = 0;
  int w = 0;
  int h = 0;
  int flags = 0;
  bool createdWithData = false;
  std::vector<unsigned char> pixels;
};

// One texture update: the rectangle and the bytes of that rectangle, row by row.
struct RecordedUpdate
{
  int image = 0;
  int x = 0, y = 0, w = 0, h = 0;
  std::vector<unsigned char> region;
};

struct RecordedViewport
{
  float width = 0, height = 0, ratio = 0;
};

// Render backend for tests: its parameter block records every callback with deep copies of the
// data it is handed (paints, scissors, paths and vertices, texture pixels), keeps textures with
// their pixels, and can be told to fail creation or texture creation. Single-threaded.
class RecordingBackend
{
public:
  RecordingBackend() = default;
  RecordingBackend(const RecordingBackend&) = delete;
  RecordingBackend& operator=(const RecordingBackend&) = delete;

  // The parameter block over this backend (userPtr = this).
  VGparams Params(bool edgeAntiAlias = true);

  // renderCreate reports failure.
  void FailCreate(bool fail) { mFailCreate = fail; }
  // Texture creations from the n-th (0-based, counted over the backend's life) on report failure;
  // -1 never fails.
  void FailTexturesFrom(int n) { mFailTexturesFrom = n; }

  // Callback names in call order: "create", "createTexture", "deleteTexture", "updateTexture",
  // "textureSize", "viewport", "cancel", "flush", "fill", "stroke", "triangles", "delete".
  std::vector<std::string> log;
  std::vector<RecordedDraw> draws;
  std::vector<RecordedUpdate> updates;
  std::vector<RecordedViewport> viewports;
  std::map<int, RecordedTexture> textures; // live textures by id
  std::vector<int> deletedTextures;        // ids in deletion order
  int textureCreations = 0;                // attempts, failed ones included
  bool backendDeleted = false;

  // Draws of one kind, in order.
  std::vector<const RecordedDraw*> DrawsOf(RecordedDraw::Kind kind) const;
  // Number of log entries equal to name.
  int Count(const std::string& name) const;

private:
  static int Create(void* uptr);
  static int CreateTexture(void* uptr, int type, int w, int h, int imageFlags, const unsigned char* data);
  static int DeleteTexture(void* uptr, int image);
  static int UpdateTexture(void* uptr, int image, int x, int y, int w, int h, const unsigned char* data);
  static int GetTextureSize(void* uptr, int image, int* w, int* h);
  static void Viewport(void* uptr, float width, float height, float devicePixelRatio);
  static void Cancel(void* uptr);
  static void Flush(void* uptr);
  static void Fill(void* uptr, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor, float fringe,
                   const float* bounds, const VGpath* paths, int npaths);
  static void Stroke(void* uptr, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor,
                     float fringe, float strokeWidth, const VGpath* paths, int npaths);
  static void Triangles(void* uptr, VGpaint* paint, VGcompositeOperationState op, VGscissor* scissor,
                        const VGvertex* verts, int nverts, float fringe);
  static void Delete(void* uptr);

  static std::vector<RecordedPath> CopyPaths(const VGpath* paths, int npaths);

  bool mFailCreate = false;
  int mFailTexturesFrom = -1;
  int mNextTextureId = 1;
};

} // namespace testsupport

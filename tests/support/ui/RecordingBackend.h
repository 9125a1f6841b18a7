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
  int first = 0, count = 0, nbevel = 0, winding = 0;
  bool closed = false, convex = false;
  std::vector<VGvertex> fill, stroke;
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

// A live texture with its pixels (w x h x 1 or 4 bytes).
struct RecordedTexture
{
  int type = 0, w = 0, h = 0, flags = 0;
  bool createdWithData = false;
  std::vector<unsigned char> pixels;
};

// One texture update: its rectangle and the bytes of that rectangle, row by row.
struct RecordedUpdate
{
  int image = 0, x = 0, y = 0, w = 0, h = 0;
  std::vector<unsigned char> region;
};

struct RecordedViewport
{
  float width = 0, height = 0, ratio = 0;
};

// Render backend for the vector core's tests: its parameter block records every callback with
// deep copies of what it is handed (paints, scissors, paths and vertices, texture pixels), keeps
// the textures with their pixels, and can be told to fail. Single-threaded, like the core.
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
  // Texture creations from the n-th on (0-based, over the backend's life) fail; -1 never.
  void FailTexturesFrom(int n) { mFailTexturesFrom = n; }
  // Number of log entries equal to name.
  int Count(const std::string& name) const;

  // Callback names in call order: "create", "createTexture", "deleteTexture", "updateTexture",
  // "textureSize", "viewport", "cancel", "flush", "fill", "stroke", "triangles", "delete".
  std::vector<std::string> log;
  std::vector<RecordedDraw> draws;
  std::vector<RecordedUpdate> updates;
  std::vector<RecordedViewport> viewports;
  std::map<int, RecordedTexture> textures; // live textures by id
  std::vector<int> deletedTextures;        // in deletion order
  int textureCreations = 0;                // attempts, failed ones included

private:
  RecordedDraw& Draw(const char* name, RecordedDraw::Kind kind, const VGpaint* paint,
                     VGcompositeOperationState op, const VGscissor* scissor, float fringe);
  int CreateTexture(int type, int w, int h, int imageFlags, const unsigned char* data);
  int UpdateTexture(int image, int x, int y, int w, int h, const unsigned char* data);

  bool mFailCreate = false;
  int mFailTexturesFrom = -1;
  int mNextTextureId = 1;
};

} // namespace testsupport

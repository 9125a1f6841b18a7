#pragma once

#include "graphics/renderer/VGTypes.h"

struct VGcontext;
// The render backend's off-screen target; only the backend knows what it holds.
struct MVGframebuffer;

namespace plugin::ui {

// What the drawing backend needs of the platform's render backend: the vector context over the
// view's layer and the off-screen framebuffers it draws each frame into. The platform's graphics
// context fills these once, before its view is initialised, with the functions of its GPU backend;
// tests may fill them with another backend's. Every slot is called by ICanvasVG on the main thread
// and may allocate. A record with any slot missing is refused (see IsComplete).
struct ICanvasVGBackend
{
  // A new vector context drawing onto the platform layer with the backend's creation flags
  // (VGcreateFlags); null on failure. vgDeleteContext releases it with its backend.
  VGcontext* (*createContext)(void* platformLayer, int flags) = nullptr;
  // A framebuffer of a new width x height RGBA image of ctx; null when it cannot be had. Its image
  // id is 0 when the image could not be made.
  MVGframebuffer* (*createFramebuffer)(VGcontext* ctx, int width, int height, int imageFlags) = nullptr;
  // Deletes the framebuffer and its image; null is ignored.
  void (*deleteFramebuffer)(MVGframebuffer* fb) = nullptr;
  // The target of the context's next flushes: fb, or the layer's drawable for null.
  void (*bindFramebuffer)(MVGframebuffer* fb) = nullptr;
  // The image id of the framebuffer's colour texture (0 for null).
  int (*framebufferImage)(const MVGframebuffer* fb) = nullptr;
  // The next render pass starts by clearing its target to color.
  void (*clearWithColor)(VGcontext* ctx, VGcolor color) = nullptr;
  // Copies region (x, y, width, height) of image into data (4 bytes per pixel, rows the image's
  // full width apart); 0 when nothing was copied.
  int (*readPixels)(VGcontext* ctx, int image, int x, int y, int width, int height, void* data) = nullptr;

  bool IsComplete() const noexcept
  {
    return createContext && createFramebuffer && deleteFramebuffer && bindFramebuffer && framebufferImage &&
           clearWithColor && readPixels;
  }
};

} // namespace plugin::ui

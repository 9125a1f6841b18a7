#pragma once

#include "platform/mac/MVGTypes.h"
#include "platform/mac/system/GpuCommandQueue.h"
#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuTexture.h"

// Off-screen rendering and access to the backend's GPU objects, on a vector graphics context made
// by mvgCreateContext. Main thread only.

// Makes fb the target of the next flushes of its own context; null returns them to the layer.
void mvgBindFramebuffer(MVGframebuffer* fb);

// The framebuffer bound now, or null.
MVGframebuffer* mvgBoundFramebuffer();

// A framebuffer of a new premultiplied RGBA image of width x height (its image id is 0 when the
// image cannot be made); null when the record cannot be allocated or ctx is null.
MVGframebuffer* mvgCreateFramebuffer(VGcontext* ctx, int width, int height, int imageFlags);

// Deletes the framebuffer's image (id >= 1) and frees it; a bound framebuffer is unbound first.
void mvgDeleteFramebuffer(MVGframebuffer* fb);

// The next render pass clears its target to color, premultiplied.
void mvgClearWithColor(VGcontext* ctx, VGcolor color);

// Copies region (x, y, width, height) of image into data, rows a whole image width apart, after
// waiting for a frame in flight that renders into it. 0 (nothing copied) for an unknown image or
// a region outside it.
int mvgReadPixels(VGcontext* ctx, int image, int x, int y, int width, int height, void* data);

// The backend's command queue and device (null for a null context).
plugin::sys::GpuCommandQueueRef mvgCommandQueue(VGcontext* ctx);
plugin::sys::GpuDeviceRef mvgDevice(VGcontext* ctx);

// A new RGBA image over an existing texture; 0 for a null texture or when no record can be had.
int mvgCreateImageFromHandle(VGcontext* ctx, plugin::sys::GpuTextureRef texture, int imageFlags);

// The image's texture once no frame in flight renders into it; null for an unknown id.
plugin::sys::GpuTextureRef mvgImageHandle(VGcontext* ctx, int image);

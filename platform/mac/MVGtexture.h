#pragma once

#include "platform/mac/system/GpuSampler.h"
#include "platform/mac/system/GpuTexture.h"

// One image of the backend: its id (0 marks a free record), type, image flags, texture and sampler.
struct MVGtexture_vKelmo_vst3
{
  int id = 0;
  int type = 0; // VG_TEXTURE_ALPHA or VG_TEXTURE_RGBA
  int flags = 0;
  plugin::sys::GpuTextureRef tex;
  plugin::sys::GpuSamplerStateRef sampler;
};

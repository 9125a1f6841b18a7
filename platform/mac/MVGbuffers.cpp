#include "platform/mac/MVGbuffers.h"

#include <cstdlib>

MVGbuffers_vKelmo_vst3::~MVGbuffers_vKelmo_vst3()
{
  std::free(calls);
}

void MVGbuffers_vKelmo_vst3::Reset()
{
  std::lock_guard lock(mMutex);
  mIsBusy = false;
  mCommandBuffer.reset();
  mImage = 0;
  nindexes = nverts = ncalls = nuniforms = 0;
}

bool MVGbuffers_vKelmo_vst3::TryAcquire()
{
  std::lock_guard lock(mMutex);
  if (mIsBusy) return false;
  mIsBusy = true;
  return true;
}

bool MVGbuffers_vKelmo_vst3::IsBusy() const
{
  std::lock_guard lock(mMutex);
  return mIsBusy;
}

plugin::sys::GpuCommandBufferRef MVGbuffers_vKelmo_vst3::CommandBuffer() const
{
  std::lock_guard lock(mMutex);
  return mCommandBuffer;
}

int MVGbuffers_vKelmo_vst3::Image() const
{
  std::lock_guard lock(mMutex);
  return mImage;
}

void MVGbuffers_vKelmo_vst3::SetCommandBuffer(plugin::sys::GpuCommandBufferRef commandBuffer)
{
  std::lock_guard lock(mMutex);
  mCommandBuffer = std::move(commandBuffer);
}

void MVGbuffers_vKelmo_vst3::SetImage(int image)
{
  std::lock_guard lock(mMutex);
  mImage = image;
}

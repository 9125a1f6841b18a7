#pragma once

#include "platform/mac/MVGTypes.h"
#include "platform/mac/system/GpuBuffer.h"
#include "platform/mac/system/GpuCommandBuffer.h"
#include "platform/mac/system/GpuTexture.h"

#include <mutex>

// The buffers of one frame: recorded on the main thread between viewport and flush, then in
// flight until its command buffer completes. The completion handler (GPU worker thread) frees
// it; the fields it writes are guarded by mutex, because the main thread looks at sets in flight
// when it picks a free one and before a read-back.
class MVGbuffers_vKelmo_vst3
{
public:
  MVGbuffers_vKelmo_vst3() = default;
  ~MVGbuffers_vKelmo_vst3();
  MVGbuffers_vKelmo_vst3(const MVGbuffers_vKelmo_vst3&) = delete;
  MVGbuffers_vKelmo_vst3& operator=(const MVGbuffers_vKelmo_vst3&) = delete;

  // Frees the set after its frame: not busy, no command buffer, no image, every count 0.
  // Completion handler (worker thread) and cancel (main thread); locks.
  void Reset();

  // Takes the set for recording when it is free; false when busy. Main thread; locks.
  bool TryAcquire();

  // Busy flag, command buffer and target image as of now. Any thread; locks.
  bool IsBusy() const;
  plugin::sys::GpuCommandBufferRef CommandBuffer() const;
  int Image() const;
  void SetCommandBuffer(plugin::sys::GpuCommandBufferRef commandBuffer);
  void SetImage(int image);

  // Recording state: main thread only while the set is taken.
  plugin::sys::GpuBufferRef viewSizeBuffer;
  plugin::sys::GpuTextureRef stencilTexture;
  MVGcall* calls = nullptr; // malloc'ed
  int ccalls = 0, ncalls = 0;
  plugin::sys::GpuBufferRef indexBuffer;
  std::uint32_t* indexes = nullptr;
  int cindexes = 0, nindexes = 0;
  plugin::sys::GpuBufferRef vertBuffer;
  VGvertex* verts = nullptr;
  int cverts = 0, nverts = 0;
  plugin::sys::GpuBufferRef uniformBuffer;
  unsigned char* uniforms = nullptr;
  int cuniforms = 0, nuniforms = 0; // in uniform slots

private:
  mutable std::mutex mMutex; // guards the three fields below and the counts during Reset
  plugin::sys::GpuCommandBufferRef mCommandBuffer;
  bool mIsBusy = false;
  int mImage = 0;
};

#include "framework/processor/MultiChannelDelayLine.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace plugin {

MultiChannelDelayLine::MultiChannelDelayLine(int nInputs, int nOutputs, int delaySamples) noexcept
    : mNInputs(std::max(nInputs, 0)), mNOutputs(std::max(nOutputs, 0))
{
  SetDelay(delaySamples);
}

bool MultiChannelDelayLine::SetDelay(int delaySamples) noexcept
{
  const int64_t delay = std::max(delaySamples, 0);
  const int64_t count = delay * mNInputs;
  mWritePos = 0;
  if (count > INT32_MAX || (mBuffer.Resize(static_cast<int>(count)), mBuffer.GetSize() != count)) {
    mBuffer.Resize(0);
    mDelay = 0;
    return false;
  }
  mDelay = static_cast<int>(delay);
  Reset();
  return true;
}

void MultiChannelDelayLine::Reset() noexcept
{
  mWritePos = 0;
  if (mBuffer.GetSize() > 0)
    std::memset(mBuffer.Get(), 0, sizeof(double) * static_cast<size_t>(mBuffer.GetSize()));
}

void MultiChannelDelayLine::Process(double* const* inputs, double* const* outputs, int nFrames) noexcept
{
  if (nFrames <= 0 || !outputs) return;
  const int nChans = inputs ? std::min(mNInputs, mNOutputs) : 0;

  if (mDelay > 0) {
    double* const buffer = mBuffer.Get();
    for (int c = 0; c < nChans; ++c) {
      const double* in = inputs[c];
      double* out = outputs[c];
      double* ring = buffer + static_cast<size_t>(c) * static_cast<size_t>(mDelay);
      int pos = mWritePos;
      for (int f = 0; f < nFrames; ++f) {
        // Read before write: in and out may be the same buffer.
        const double x = in ? in[f] : 0.0;
        if (out) out[f] = ring[pos];
        ring[pos] = x;
        if (++pos == mDelay) pos = 0;
      }
    }
    mWritePos = static_cast<int>((mWritePos + static_cast<int64_t>(nFrames)) % mDelay);
  } else {
    for (int c = 0; c < nChans; ++c) {
      if (!outputs[c]) continue;
      if (!inputs[c])
        std::memset(outputs[c], 0, sizeof(double) * static_cast<size_t>(nFrames));
      else if (inputs[c] != outputs[c])
        std::memmove(outputs[c], inputs[c], sizeof(double) * static_cast<size_t>(nFrames));
    }
  }
  // Outputs without a matching input carry silence rather than whatever the buffer held.
  for (int c = nChans; c < mNOutputs; ++c)
    if (outputs[c]) std::memset(outputs[c], 0, sizeof(double) * static_cast<size_t>(nFrames));
}

} // namespace plugin

#pragma once

#include "framework/buffers/TypedBuf.h"

namespace plugin {

// Fixed delay of several channels at once, used to keep a bypassed plug-in's output aligned with
// its reported latency. Channel c's ring occupies buffer entries c * delay .. c * delay + delay - 1.
class MultiChannelDelayLine
{
public:
  // A line for nInputs channels feeding nOutputs outputs, with delaySamples of zeroed history.
  // Main thread; allocates (a failed allocation gives delay 0, see SetDelay).
  MultiChannelDelayLine(int nInputs, int nOutputs, int delaySamples) noexcept;

  // Resizes to delaySamples (negative reads as 0), zeroes the history and rewinds. False when the
  // buffer cannot be allocated: the delay is then 0 and Process copies without delay. Main thread.
  bool SetDelay(int delaySamples) noexcept;

  // Zeroes the history and rewinds. Main thread or between blocks; no allocation.
  void Reset() noexcept;

  // Delays inputs[c] into outputs[c] for every c below both channel counts; outputs without a
  // matching input are zeroed. Null arrays or channel pointers are skipped. Audio thread; no
  // allocation. The caller guarantees nFrames samples behind every non-null pointer.
  void Process(double* const* inputs, double* const* outputs, int nFrames) noexcept;

  int GetDelay() const noexcept { return mDelay; }
  int NInputs() const noexcept { return mNInputs; }
  int NOutputs() const noexcept { return mNOutputs; }
  int GetWritePos() const noexcept { return mWritePos; }

private:
  TypedBuf<double> mBuffer;
  int mNInputs;
  int mNOutputs;
  int mWritePos = 0;
  int mDelay = 0;
};

} // namespace plugin

#pragma once

#include <cstdint>

namespace kelmo::render {

// Audio read front to back in planar doubles: a generated signal or a sound file.
class AudioSource
{
public:
  virtual ~AudioSource() = default;

  virtual int Channels() const = 0;
  virtual double SampleRate() const = 0;
  // Total frames, or -1 when the source cannot tell in advance.
  virtual int64_t Frames() const = 0;
  // Frames the source claims to hold (a file's header), which a damaged file may not deliver;
  // -1 when unknown.
  virtual int64_t DeclaredFrames() const { return Frames(); }
  // Reads up to maxFrames frames into channels[0 .. Channels() - 1]; returns the frames read, 0 at
  // the end, -1 on a read error (Error() then says why).
  virtual int Read(double* const* channels, int maxFrames) = 0;
  // Why the last Read failed.
  virtual const char* Error() const { return ""; }
};

} // namespace kelmo::render

#pragma once

#include "tools/render/AudioSource.h"

#include <memory>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

namespace kelmo::render {

// Any sound file the system's sound file library reads, delivered as planar doubles (integer
// formats scaled to -1..1, float formats as stored).
class SoundFileReader : public AudioSource
{
public:
  // Opens path; null with a one-line reason in error when it cannot be read.
  static std::unique_ptr<SoundFileReader> Open(const std::string& path, std::string& error);
  ~SoundFileReader() override;
  SoundFileReader(const SoundFileReader&) = delete;
  SoundFileReader& operator=(const SoundFileReader&) = delete;

  int Channels() const override { return mChannels; }
  double SampleRate() const override { return mSampleRate; }
  int64_t Frames() const override { return mFrames; }
  // The larger of the frames the library found and those a WAV header's data chunk declares.
  int64_t DeclaredFrames() const override { return mDeclaredFrames; }
  int Read(double* const* channels, int maxFrames) override;
  const char* Error() const override { return mError.c_str(); }

private:
  SoundFileReader() = default;

  SNDFILE* mFile = nullptr;
  int mChannels = 0;
  double mSampleRate = 0.0;
  int64_t mFrames = -1;
  int64_t mDeclaredFrames = -1;
  std::vector<double> mInterleaved;
  std::string mError;
};

} // namespace kelmo::render

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;

namespace kelmo::render {

// Writes a WAV file (32-bit float, or 24-bit PCM clipped to full scale) through a temporary file
// in the output's folder that is renamed into place by Commit. Until then the output path is
// untouched; a writer destroyed without a successful Commit removes its temporary file, so a
// failed render never leaves a partial output behind.
class SoundFileWriter
{
public:
  // Creates the temporary file next to path. Null with a one-line reason in error when the
  // folder cannot take it. A WAV header counts sizes in 32 bits: when expectedFrames of sample
  // data need more than that the file is RF64 (the 64-bit form of WAV); otherwise, and when the
  // count is unknown (below 0), plain WAV.
  static std::unique_ptr<SoundFileWriter> Create(const std::string& path, int sampleRate, int channels,
                                                 bool pcm24, std::string& error, int64_t expectedFrames = -1);
  ~SoundFileWriter();
  SoundFileWriter(const SoundFileWriter&) = delete;
  SoundFileWriter& operator=(const SoundFileWriter&) = delete;

  // Appends nFrames frames from planar channels. False with error set when the write failed or
  // a plain WAV file would outgrow its header's sizes.
  bool Write(const double* const* channels, int nFrames, std::string& error);
  bool Write(const float* const* channels, int nFrames, std::string& error);

  // Finishes the file and renames it to the output path. False with error set (the temporary
  // file is then removed).
  bool Commit(std::string& error);

  // The temporary file while the writer is open (for tests).
  const std::string& TemporaryPath() const { return mTempPath; }

private:
  SoundFileWriter() = default;
  template <typename T> bool WriteFrames(const T* const* channels, int nFrames, std::string& error);
  void Discard() noexcept;
  // Closes the file descriptor (the sound file library leaves it open); false when close failed.
  bool CloseDescriptor() noexcept;

  SNDFILE* mFile = nullptr;
  int mFd = -1;
  std::string mPath;
  std::string mTempPath;
  int mChannels = 0;
  int64_t mFramesLeft = -1; // frames a plain WAV file still takes; -1 for RF64 (no limit)
  std::vector<double> mInterleaved;
  std::vector<float> mInterleavedFloat;
};

} // namespace kelmo::render

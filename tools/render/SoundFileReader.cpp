#include "tools/render/SoundFileReader.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace kelmo::render {

std::unique_ptr<SoundFileReader> SoundFileReader::Open(const std::string& path, std::string& error)
{
  // A folder is refused up front: the library's message for one is misleading.
  struct stat st
  {};
  if (::stat(path.c_str(), &st) != 0) {
    error = "cannot read '" + path + "': " + std::strerror(errno);
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    error = "cannot read '" + path + "': not a regular file";
    return nullptr;
  }
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    error = "cannot read '" + path + "': " + sf_strerror(nullptr);
    return nullptr;
  }
  std::unique_ptr<SoundFileReader> reader(new SoundFileReader);
  reader->mFile = file;
  reader->mChannels = info.channels;
  reader->mSampleRate = info.samplerate;
  reader->mFrames = info.frames >= 0 && info.frames < SF_COUNT_MAX ? info.frames : -1;
  if (info.channels < 1 || info.samplerate <= 0) {
    error = "cannot read '" + path + "': no usable channel count or sample rate";
    return nullptr;
  }
  return reader;
}

SoundFileReader::~SoundFileReader()
{
  if (mFile) sf_close(mFile);
}

int SoundFileReader::Read(double* const* channels, int maxFrames)
{
  if (maxFrames <= 0) return 0;
  const size_t need = static_cast<size_t>(maxFrames) * static_cast<size_t>(mChannels);
  if (mInterleaved.size() < need) mInterleaved.resize(need);
  const sf_count_t got = sf_readf_double(mFile, mInterleaved.data(), maxFrames);
  if (got < 0 || (got == 0 && sf_error(mFile) != SF_ERR_NO_ERROR)) {
    mError = sf_strerror(mFile);
    return -1;
  }
  for (sf_count_t i = 0; i < got; ++i)
    for (int c = 0; c < mChannels; ++c)
      channels[c][i] =
          mInterleaved[static_cast<size_t>(i) * static_cast<size_t>(mChannels) + static_cast<size_t>(c)];
  return static_cast<int>(got);
}

} // namespace kelmo::render

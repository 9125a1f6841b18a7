#include "tools/render/SoundFileReader.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace kelmo::render {

namespace {

uint32_t LittleEndian32(const unsigned char* b)
{
  return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

// Frames the data chunk of a RIFF/WAVE file declares (its size over the format's block size);
// -1 for another kind of file or a header that does not say.
int64_t WavDeclaredFrames(const std::string& path)
{
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return -1;
  unsigned char head[12];
  int64_t frames = -1;
  uint32_t blockAlign = 0;
  if (std::fread(head, 1, 12, file) == 12 && std::memcmp(head, "RIFF", 4) == 0 &&
      std::memcmp(head + 8, "WAVE", 4) == 0) {
    unsigned char chunk[8];
    while (std::fread(chunk, 1, 8, file) == 8) {
      const uint32_t size = LittleEndian32(chunk + 4);
      if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
        unsigned char fmt[16];
        if (std::fread(fmt, 1, 16, file) != 16) break;
        blockAlign = fmt[12] | uint32_t{fmt[13]} << 8;
        if (std::fseek(file, static_cast<long>(size - 16 + (size & 1)), SEEK_CUR) != 0) break;
      } else if (std::memcmp(chunk, "data", 4) == 0) {
        if (blockAlign > 0 && size != 0xFFFFFFFFu) frames = size / blockAlign;
        break;
      } else if (std::fseek(file, static_cast<long>(size + (size & 1)), SEEK_CUR) != 0) {
        break;
      }
    }
  }
  std::fclose(file);
  return frames;
}

} // namespace

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
  reader->mDeclaredFrames = std::max(reader->mFrames, WavDeclaredFrames(path));
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

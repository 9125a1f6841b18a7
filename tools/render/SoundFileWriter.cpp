#include "tools/render/SoundFileWriter.h"

#include "tools/render/InterruptCleanup.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>

namespace kelmo::render {

namespace {

std::string FolderOf(const std::string& path)
{
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::unique_ptr<SoundFileWriter> SoundFileWriter::Create(const std::string& path, int sampleRate,
                                                         int channels, bool pcm24, std::string& error,
                                                         int64_t expectedFrames)
{
  struct stat st
  {};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    error = "cannot write '" + path + "': it is a folder";
    return nullptr;
  }
  std::unique_ptr<SoundFileWriter> writer(new SoundFileWriter);
  writer->mPath = path;
  writer->mChannels = channels;
  std::string pattern = FolderOf(path) + "/." + NameOf(path) + ".XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    error = "cannot write '" + path + "': " + std::strerror(errno);
    return nullptr;
  }
  writer->mTempPath = pattern;
  SetInterruptCleanupPath(writer->mTempPath.c_str());
  // mkstemp makes the file private; the output gets the usual permissions. Reading the umask means
  // setting it for a moment: renders write their output from one thread.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);

  // The largest sample data a WAV header can count, with room for the header's other chunks.
  constexpr int64_t kWavDataLimit = 0xFFFFFFFFll - 4096;
  const int64_t bytesPerFrame = static_cast<int64_t>(channels) * (pcm24 ? 3 : 4);
  const bool large = expectedFrames > kWavDataLimit / std::max<int64_t>(bytesPerFrame, 1);
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = channels;
  info.format = (large ? SF_FORMAT_RF64 : SF_FORMAT_WAV) | (pcm24 ? SF_FORMAT_PCM_24 : SF_FORMAT_FLOAT);
  writer->mFramesLeft = large ? -1 : kWavDataLimit / std::max<int64_t>(bytesPerFrame, 1);
  writer->mFd = fd;
  writer->mFile = sf_open_fd(fd, SFM_WRITE, &info, SF_FALSE);
  if (!writer->mFile) {
    error = "cannot write '" + path + "': " + sf_strerror(nullptr);
    return nullptr; // the destructor removes the temporary file
  }
  // Over-range samples are clipped to full scale in the integer format instead of wrapping.
  if (pcm24) sf_command(writer->mFile, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return writer;
}

SoundFileWriter::~SoundFileWriter()
{
  Discard();
}

void SoundFileWriter::Discard() noexcept
{
  if (mFile) {
    sf_close(mFile);
    mFile = nullptr;
  }
  CloseDescriptor();
  if (!mTempPath.empty()) {
    ::unlink(mTempPath.c_str());
    SetInterruptCleanupPath(nullptr);
    mTempPath.clear();
  }
}

bool SoundFileWriter::CloseDescriptor() noexcept
{
  if (mFd < 0) return true;
  const int result = ::close(mFd);
  mFd = -1;
  return result == 0;
}

template <typename T>
bool SoundFileWriter::WriteFrames(const T* const* channels, int nFrames, std::string& error)
{
  if (!mFile) {
    error = "cannot write '" + mPath + "': the file is closed";
    return false;
  }
  if (nFrames <= 0) return true;
  if (mFramesLeft >= 0) {
    // A WAV header would count these sizes wrong.
    if (nFrames > mFramesLeft) {
      error = "cannot write '" + mPath + "': the output outgrows what a WAV header can count (4 GiB)";
      return false;
    }
    mFramesLeft -= nFrames;
  }
  auto& buffer = [this]() -> std::vector<T>& {
    if constexpr (std::is_same_v<T, double>)
      return mInterleaved;
    else
      return mInterleavedFloat;
  }();
  const size_t need = static_cast<size_t>(nFrames) * static_cast<size_t>(mChannels);
  if (buffer.size() < need) buffer.resize(need);
  for (int i = 0; i < nFrames; ++i)
    for (int c = 0; c < mChannels; ++c)
      buffer[static_cast<size_t>(i) * static_cast<size_t>(mChannels) + static_cast<size_t>(c)] =
          channels[c][i];
  sf_count_t written = 0;
  if constexpr (std::is_same_v<T, double>)
    written = sf_writef_double(mFile, buffer.data(), nFrames);
  else
    written = sf_writef_float(mFile, buffer.data(), nFrames);
  if (written != nFrames) {
    error = "cannot write '" + mPath + "': " + sf_strerror(mFile);
    return false;
  }
  return true;
}

bool SoundFileWriter::Write(const double* const* channels, int nFrames, std::string& error)
{
  return WriteFrames(channels, nFrames, error);
}

bool SoundFileWriter::Write(const float* const* channels, int nFrames, std::string& error)
{
  return WriteFrames(channels, nFrames, error);
}

bool SoundFileWriter::Commit(std::string& error)
{
  if (!mFile) {
    error = "cannot write '" + mPath + "': the file is closed";
    return false;
  }
  sf_write_sync(mFile);
  const int closed = sf_close(mFile);
  mFile = nullptr;
  const bool descriptorClosed = CloseDescriptor();
  if (closed != 0 || !descriptorClosed) {
    error = "cannot write '" + mPath + "': " + (closed != 0 ? sf_error_number(closed) : std::strerror(errno));
    Discard();
    return false;
  }
  if (::rename(mTempPath.c_str(), mPath.c_str()) != 0) {
    error = "cannot write '" + mPath + "': " + std::strerror(errno);
    Discard();
    return false;
  }
  SetInterruptCleanupPath(nullptr);
  mTempPath.clear();
  return true;
}

} // namespace kelmo::render

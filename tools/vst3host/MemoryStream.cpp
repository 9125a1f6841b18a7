#include "tools/vst3host/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace plugin::vst3host {

using namespace Steinberg;

MemoryStream* MemoryStream::WithOffset(size_t prefix, const std::vector<uint8_t>& payload)
{
  auto* stream = new MemoryStream(std::vector<uint8_t>(prefix, 0xA5));
  stream->mData.insert(stream->mData.end(), payload.begin(), payload.end());
  stream->mPrefix = prefix;
  stream->mPos = static_cast<int64_t>(prefix);
  return stream;
}

std::vector<uint8_t> MemoryStream::payload() const
{
  return std::vector<uint8_t>(mData.begin() + static_cast<std::ptrdiff_t>(std::min(mPrefix, mData.size())),
                              mData.end());
}

int64_t MemoryStream::allowed(int64_t wanted, bool& fails) const
{
  fails = false;
  int64_t n = wanted;
  if (mShortAt != kNoLimit) n = std::clamp<int64_t>(mShortAt - mPos, 0, n);
  if (mFailAt != kNoLimit && mPos + n >= mFailAt) {
    fails = true;
    n = std::clamp<int64_t>(mFailAt - mPos, 0, n);
  }
  return n;
}

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
  ++mReadCalls;
  if (numBytesRead) *numBytesRead = 0;
  if (numBytes < 0 || (numBytes > 0 && !buffer)) return kInvalidArgument;
  const int64_t available = std::max<int64_t>(0, static_cast<int64_t>(mData.size()) - mPos);
  bool fails = false;
  const int64_t n = allowed(std::min<int64_t>(numBytes, available), fails);
  if (n > 0) std::memcpy(buffer, mData.data() + mPos, static_cast<size_t>(n));
  mPos += n;
  if (numBytesRead) *numBytesRead = static_cast<int32>(n);
  return fails ? kResultFalse : kResultOk;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
  ++mWriteCalls;
  if (numBytesWritten) *numBytesWritten = 0;
  if (numBytes < 0 || (numBytes > 0 && !buffer)) return kInvalidArgument;
  bool fails = false;
  const int64_t n = allowed(numBytes, fails);
  if (n > 0) {
    if (static_cast<int64_t>(mData.size()) < mPos + n) mData.resize(static_cast<size_t>(mPos + n));
    std::memcpy(mData.data() + mPos, buffer, static_cast<size_t>(n));
  }
  mPos += n;
  if (numBytesWritten) *numBytesWritten = static_cast<int32>(n);
  return fails ? kResultFalse : kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result)
{
  if (mSeekFails) return kResultFalse;
  int64_t target = 0;
  switch (mode) {
  case kIBSeekSet:
    target = pos;
    break;
  case kIBSeekCur:
    target = mPos + pos;
    break;
  case kIBSeekEnd:
    target = static_cast<int64_t>(mData.size()) + pos;
    break;
  default:
    return kInvalidArgument;
  }
  if (target < 0) return kInvalidArgument;
  mPos = target;
  if (result) *result = mPos;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos)
{
  if (!pos) return kInvalidArgument;
  *pos = mPos;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::getStreamSize(int64& size)
{
  size = static_cast<int64>(mData.size());
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::setStreamSize(int64 size)
{
  if (size < 0) return kInvalidArgument;
  mData.resize(static_cast<size_t>(size));
  return kResultOk;
}

} // namespace plugin::vst3host

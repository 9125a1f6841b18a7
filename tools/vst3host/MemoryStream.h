#pragma once

#include "tools/vst3host/HostObject.h"

#include "pluginterfaces/base/ibstream.h"

#include <cstdint>
#include <vector>

namespace plugin::vst3host {

// A byte stream in memory, as hosts hand to getState/setState, with ways to misbehave:
// - short: transfers stop at an absolute position (read/write report fewer bytes, kResultOk);
// - failing: reads/writes that reach an absolute position transfer up to it and fail;
// - offset: the stream starts with foreign bytes and its position starts after them, as when
//   the plug-in's state is embedded in a larger host file;
// - seeks can be made to fail.
// Heap object (HostObject); one thread at a time.
class MemoryStream : public HostObject<Steinberg::IBStream, Steinberg::ISizeableStream>
{
public:
  static constexpr int64_t kNoLimit = -1;

  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8_t> bytes) : mData(std::move(bytes)) {}
  // A stream of `prefix` foreign bytes (0xA5) followed by `payload`, positioned after the prefix.
  static MemoryStream* WithOffset(size_t prefix, const std::vector<uint8_t>& payload = {});

  // Every byte of the stream, prefix included.
  const std::vector<uint8_t>& bytes() const { return mData; }
  // The bytes after the prefix.
  std::vector<uint8_t> payload() const;
  size_t prefixSize() const { return mPrefix; }

  void setShortAt(int64_t position) { mShortAt = position; }
  void setFailAt(int64_t position) { mFailAt = position; }
  void setSeekFails(bool fail) { mSeekFails = fail; }
  // Number of read / write calls made so far.
  int readCalls() const { return mReadCalls; }
  int writeCalls() const { return mWriteCalls; }
  int64_t position() const { return mPos; }
  // Moves the position (set-up; ignores setSeekFails).
  void rewind(int64_t position = 0) { mPos = position; }

  Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                     Steinberg::int32* numBytesRead) override;
  Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                      Steinberg::int32* numBytesWritten) override;
  Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                     Steinberg::int64* result) override;
  Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;
  Steinberg::tresult PLUGIN_API getStreamSize(Steinberg::int64& size) override;
  Steinberg::tresult PLUGIN_API setStreamSize(Steinberg::int64 size) override;

private:
  // How many of `wanted` bytes from the current position may move, and whether the call fails.
  int64_t allowed(int64_t wanted, bool& fails) const;

  std::vector<uint8_t> mData;
  size_t mPrefix = 0;
  int64_t mPos = 0;
  int64_t mShortAt = kNoLimit;
  int64_t mFailAt = kNoLimit;
  bool mSeekFails = false;
  int mReadCalls = 0;
  int mWriteCalls = 0;
};

} // namespace plugin::vst3host

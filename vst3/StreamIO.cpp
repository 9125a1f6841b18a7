#include "vst3/StreamIO.h"

#include <algorithm>

namespace plugin::vst3 {

using namespace Steinberg;

namespace {

constexpr int32 kPiece = 128;

} // namespace

bool ReadToEnd(IBStream& stream, IByteChunk& out, bool keepGoingOnError, int maxBytes)
{
  char piece[kPiece];
  for (;;) {
    int32 got = 0;
    const tresult result = stream.read(piece, kPiece, &got);
    got = std::clamp(got, int32{0}, kPiece); // never trust the count beyond the piece
    if (result != kResultOk && !keepGoingOnError) return false;
    if (got < 1) return true;
    if (out.Size() > maxBytes - got) return false;
    if (out.PutBytes(piece, got) < 0) return false;
  }
}

bool WriteAll(IBStream& stream, const void* data, int size)
{
  if (size <= 0) return true;
  int32 written = 0;
  const tresult result = stream.write(const_cast<void*>(data), size, &written);
  return result == kResultOk && written == size;
}

} // namespace plugin::vst3

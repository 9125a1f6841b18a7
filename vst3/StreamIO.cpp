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
    // A failing read ends the stream; what came before it is kept. Some hosts' streams fail on
    // reads that delivered their bytes: there the bytes count and reading goes on.
    if (result != kResultOk && !keepGoingOnError) return true;
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

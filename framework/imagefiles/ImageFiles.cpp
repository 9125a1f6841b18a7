// The one unit of the whole build that compiles the image writer library.
#include "framework/imagefiles/ImageFiles.h"

#include "framework/buffers/WholeFile.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace plugin::images {

namespace {

// The writer works in int: a side beyond the limit, or rows (with a filter byte each) past INT_MAX
// bytes, would overflow it.
bool Acceptable(int width, int height, int channels, const unsigned char* pixels) noexcept
{
  if (!pixels || width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
  return (static_cast<std::int64_t>(width) * channels + 1) * height <= INT_MAX;
}

struct Sink
{
  IByteChunk* out;
  bool failed = false;
};

// Appends the writer's bytes to the sink's chunk; remembers when the chunk could not grow.
void Append(void* context, void* data, int size)
{
  auto* sink = static_cast<Sink*>(context);
  if (!sink->failed && size > 0 && sink->out->PutBytes(data, size) < 0) sink->failed = true;
}

// Runs one encoder into out; out is emptied on failure.
template <class Encode> bool EncodeInto(IByteChunk& out, Encode&& encode)
{
  out.Clear();
  Sink sink{&out};
  if (encode(&Append, &sink) != 0 && !sink.failed && out.Size() > 0) return true;
  out.Clear();
  return false;
}

} // namespace

bool EncodePng(int width, int height, const unsigned char* rgba, IByteChunk& out)
{
  if (!Acceptable(width, height, 4, rgba)) return out.Clear(), false;
  return EncodeInto(out, [&](stbi_write_func* func, void* context) {
    return stbi_write_png_to_func(func, context, width, height, 4, rgba, width * 4);
  });
}

bool EncodeJpeg(int width, int height, const unsigned char* rgb, int quality, IByteChunk& out)
{
  if (!Acceptable(width, height, 3, rgb)) return out.Clear(), false;
  return EncodeInto(out, [&](stbi_write_func* func, void* context) {
    return stbi_write_jpg_to_func(func, context, width, height, 3, rgb, std::clamp(quality, 1, 100));
  });
}

bool WritePngFile(const char* path, int width, int height, const unsigned char* rgba)
{
  IByteChunk bytes;
  return path && *path && EncodePng(width, height, rgba, bytes) && WriteWholeFile(path, bytes);
}

bool WriteJpegFile(const char* path, int width, int height, const unsigned char* rgb, int quality)
{
  IByteChunk bytes;
  return path && *path && EncodeJpeg(width, height, rgb, quality, bytes) && WriteWholeFile(path, bytes);
}

} // namespace plugin::images

// The one implementation unit of the PNG writer.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "platform/mac/system/GpuStbImageWrite.h"

#include <stb_image_write.h>

namespace plugin::sys {

bool GpuStbWritePng(const char* path, int width, int height, const unsigned char* rgba)
{
  if (!path || !rgba || width <= 0 || height <= 0) return false;
  return stbi_write_png(path, width, height, 4, rgba, width * 4) != 0;
}

} // namespace plugin::sys

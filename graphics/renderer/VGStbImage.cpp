// The image decoder's implementation, kept private to this unit (static functions) so that no
// other library's copy of the decoder can clash with it.
#include <cstdio>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include "stb_image.h"

#include "graphics/renderer/VGImageDecoder.h"

unsigned char* vgDecodeImageFile(const char* filename, int* w, int* h)
{
  stbi_set_unpremultiply_on_load(1);
  stbi_convert_iphone_png_to_rgb(1);
  if (filename == nullptr) return nullptr;
  FILE* file = std::fopen(filename, "rb");
  if (file == nullptr) return nullptr;
  int n = 0;
  unsigned char* pixels = stbi_load_from_file(file, w, h, &n, 4);
  std::fclose(file);
  return pixels;
}

unsigned char* vgDecodeImageMemory(const unsigned char* data, int ndata, int* w, int* h)
{
  if (data == nullptr || ndata <= 0) return nullptr;
  int n = 0;
  return stbi_load_from_memory(data, ndata, w, h, &n, 4);
}

void vgFreeDecodedImage(unsigned char* pixels)
{
  stbi_image_free(pixels);
}

// Image creation from files, memory and pixels; update, size and deletion through the backend.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_image_write.h"

#include "tests/graphics/renderer/VGTestSupport.h"

using Bytes = std::vector<unsigned char>;
using Log = std::vector<std::string>;

namespace {

// A 3 x 2 RGBA image with partly transparent pixels.
const Bytes kPixels = {255, 0,  0,  255, 0,  255, 0,  128, 0,  0,   255, 0,
                       10,  20, 30, 40,  50, 60,  70, 80,  90, 100, 110, 120};

Bytes EncodePng()
{
  Bytes png;
  stbi_write_png_to_func(
      [](void* ctx, void* data, int size) {
        auto* out = static_cast<Bytes*>(ctx);
        out->insert(out->end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
      },
      &png, 3, 2, 4, kPixels.data(), 3 * 4);
  return png;
}

std::string WriteFile(const std::string& name, const Bytes& bytes)
{
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
  return path;
}

} // namespace

TEST(VGImage, DecodedFilesAndMemoryBecomeRGBATextures)
{
  const Bytes png = EncodePng();
  ASSERT_GT(png.size(), 8u);
  const std::string path = WriteFile("vg_image.png", png);
  const int flags = VG_IMAGE_REPEATX | VG_IMAGE_NEAREST;

  vgtest::Context ctx;
  Bytes mem = png;
  const int fromFile = vgCreateImage(ctx, path.c_str(), flags);
  const int fromMem = vgCreateImageMem(ctx, flags, mem.data(), (int)mem.size());
  for (int image : {fromFile, fromMem}) {
    ASSERT_NE(image, 0);
    const testsupport::RecordedTexture& tex = ctx.backend.textures.at(image);
    EXPECT_EQ(tex.type, VG_TEXTURE_RGBA);
    EXPECT_EQ(tex.w, 3);
    EXPECT_EQ(tex.h, 2);
    EXPECT_EQ(tex.flags, flags);
    EXPECT_EQ(tex.pixels, kPixels); // straight alpha, top row first
    int w = 0, h = 0;
    vgImageSize(ctx, image, &w, &h);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
  }
  std::remove(path.c_str());
}

TEST(VGImage, UndecodableInputCreatesNoTexture)
{
  const Bytes png = EncodePng();
  Bytes truncated(png.begin(), png.begin() + (long)png.size() / 2);
  Bytes garbage(64, 0x5a);
  const std::string truncatedPath = WriteFile("vg_truncated.png", truncated);
  const std::string garbagePath = WriteFile("vg_garbage.png", garbage);
  const std::string emptyPath = WriteFile("vg_empty.png", {});

  vgtest::Context ctx;
  ctx.backend.log.clear();
  EXPECT_EQ(vgCreateImage(ctx, (testing::TempDir() + "vg_missing.png").c_str(), 0), 0);
  EXPECT_EQ(vgCreateImage(ctx, nullptr, 0), 0);
  EXPECT_EQ(vgCreateImage(ctx, truncatedPath.c_str(), 0), 0);
  EXPECT_EQ(vgCreateImage(ctx, garbagePath.c_str(), 0), 0);
  EXPECT_EQ(vgCreateImage(ctx, emptyPath.c_str(), 0), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, truncated.data(), (int)truncated.size()), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, garbage.data(), (int)garbage.size()), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, nullptr, 100), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, garbage.data(), 0), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, garbage.data(), -5), 0);
  EXPECT_EQ(vgCreateImageRGBA(ctx, 0, 4, 0, kPixels.data()), 0);
  EXPECT_EQ(vgCreateImageRGBA(ctx, 4, -1, 0, kPixels.data()), 0);
  EXPECT_TRUE(ctx.backend.log.empty());
  for (const std::string& p : {truncatedPath, garbagePath, emptyPath})
    std::remove(p.c_str());
}

TEST(VGImage, BackendFailureIsReportedAsZero)
{
  vgtest::Context ctx;
  ctx.backend.FailTexturesFrom(0);
  Bytes png = EncodePng();
  EXPECT_EQ(vgCreateImageMem(ctx, 0, png.data(), (int)png.size()), 0);
  EXPECT_EQ(vgCreateImageRGBA(ctx, 2, 2, 0, nullptr), 0);
  EXPECT_EQ(ctx.backend.Count("createTexture"), 3); // the font image and the two attempts
}

TEST(VGImage, UpdateSizeAndDeleteGoThroughTheBackend)
{
  vgtest::Context ctx;
  const int image = vgCreateImageRGBA(ctx, 3, 2, VG_IMAGE_PREMULTIPLIED, nullptr);
  ASSERT_NE(image, 0);
  EXPECT_FALSE(ctx.backend.textures.at(image).createdWithData);
  ctx.backend.log.clear();

  vgUpdateImage(ctx, image, kPixels.data());
  EXPECT_EQ(ctx.backend.log, (Log{"textureSize", "updateTexture"}));
  ASSERT_EQ(ctx.backend.updates.size(), 1u);
  const testsupport::RecordedUpdate& u = ctx.backend.updates[0];
  EXPECT_EQ(std::vector<int>({u.image, u.x, u.y, u.w, u.h}), std::vector<int>({image, 0, 0, 3, 2}));
  EXPECT_EQ(ctx.backend.textures.at(image).pixels, kPixels);

  // Unknown and 0 ids never reach an update or a deletion.
  ctx.backend.log.clear();
  vgUpdateImage(ctx, 999, kPixels.data());
  vgUpdateImage(ctx, 0, kPixels.data());
  vgUpdateImage(ctx, image, nullptr);
  EXPECT_EQ(ctx.backend.log, (Log{"textureSize"}));
  int w = 7, h = 7;
  vgImageSize(ctx, 999, &w, &h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  vgImageSize(ctx, image, nullptr, nullptr);
  ctx.backend.log.clear();
  vgDeleteImage(ctx, 0);
  EXPECT_TRUE(ctx.backend.log.empty());
  vgDeleteImage(ctx, image);
  EXPECT_EQ(ctx.backend.log, (Log{"deleteTexture"}));
  EXPECT_EQ(ctx.backend.textures.count(image), 0u);
}

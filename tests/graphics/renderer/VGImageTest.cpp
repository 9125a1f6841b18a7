// Image creation from files, memory and pixels; update, size and deletion through the backend.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/imagefiles/ImageFiles.h"
#include "support/TempFolder.h"
#include "tests/graphics/renderer/VGTestSupport.h"

using Bytes = std::vector<unsigned char>;
using Log = std::vector<std::string>;

namespace {

// A 3 x 2 RGBA image with partly transparent pixels, and its PNG file.
const Bytes kPixels = {255, 0,  0,  255, 0,  255, 0,  128, 0,  0,   255, 0,
                       10,  20, 30, 40,  50, 60,  70, 80,  90, 100, 110, 120};

Bytes Png()
{
  plugin::IByteChunk png;
  EXPECT_TRUE(plugin::images::EncodePng(3, 2, kPixels.data(), png));
  return Bytes(png.GetData(), png.GetData() + png.Size());
}

std::string WriteFile(const testsupport::TempFolder& folder, const std::string& name, const Bytes& bytes)
{
  return folder.WriteFile(name, std::string(bytes.begin(), bytes.end()));
}

} // namespace

TEST(VGImage, FilesAndMemoryDecodeToRGBATextures)
{
  Bytes png = Png();
  testsupport::TempFolder folder;
  const std::string path = WriteFile(folder, "vg_image.png", png);
  const int flags = VG_IMAGE_REPEATX | VG_IMAGE_NEAREST;
  vgtest::Context ctx;
  for (int image :
       {vgCreateImage(ctx, path.c_str(), flags), vgCreateImageMem(ctx, flags, png.data(), (int)png.size())}) {
    ASSERT_NE(image, 0);
    const testsupport::RecordedTexture& tex = ctx.backend.textures.at(image);
    EXPECT_EQ(std::vector<int>({tex.type, tex.w, tex.h, tex.flags}),
              std::vector<int>({VG_TEXTURE_RGBA, 3, 2, flags}));
    EXPECT_EQ(tex.pixels, kPixels); // straight alpha, top row first
    int wh[2] = {0, 0};
    vgImageSize(ctx, image, &wh[0], &wh[1]);
    EXPECT_EQ(std::vector<int>(wh, wh + 2), std::vector<int>({3, 2}));
  }
}

TEST(VGImage, UndecodableInputCreatesNoTexture)
{
  const Bytes png = Png();
  Bytes truncated(png.begin(), png.begin() + (long)png.size() / 2), garbage(64, 0x5a);
  testsupport::TempFolder folder;
  const std::string files[] = {WriteFile(folder, "vg_truncated.png", truncated),
                               WriteFile(folder, "vg_garbage.png", garbage),
                               WriteFile(folder, "vg_empty.png", {}), folder / "vg_missing.png"};
  vgtest::Context ctx;
  ctx.backend.log.clear();
  for (const std::string& f : files)
    EXPECT_EQ(vgCreateImage(ctx, f.c_str(), 0), 0) << f;
  EXPECT_EQ(vgCreateImage(ctx, nullptr, 0), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, truncated.data(), (int)truncated.size()), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, garbage.data(), (int)garbage.size()), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, nullptr, 100), 0);
  EXPECT_EQ(vgCreateImageMem(ctx, 0, garbage.data(), -5), 0);
  EXPECT_EQ(vgCreateImageRGBA(ctx, 0, 4, 0, kPixels.data()), 0);
  EXPECT_EQ(vgCreateImageRGBA(ctx, 4, -1, 0, kPixels.data()), 0);
  EXPECT_TRUE(ctx.backend.log.empty());
  ctx.backend.FailTexturesFrom(0);
  EXPECT_EQ(vgCreateImageRGBA(ctx, 2, 2, 0, nullptr), 0);
}

TEST(VGImage, UpdateSizeAndDeleteGoThroughTheBackend)
{
  vgtest::Context ctx;
  const int image = vgCreateImageRGBA(ctx, 3, 2, VG_IMAGE_PREMULTIPLIED, nullptr);
  ASSERT_NE(image, 0);
  ctx.backend.log.clear();
  vgUpdateImage(ctx, image, kPixels.data());
  EXPECT_EQ(ctx.backend.log, (Log{"textureSize", "updateTexture"}));
  const testsupport::RecordedUpdate& u = ctx.backend.updates.at(0);
  EXPECT_EQ(std::vector<int>({u.image, u.x, u.y, u.w, u.h}), std::vector<int>({image, 0, 0, 3, 2}));
  EXPECT_EQ(ctx.backend.textures.at(image).pixels, kPixels);

  // Unknown and 0 ids never reach an update or a deletion.
  ctx.backend.log.clear();
  vgUpdateImage(ctx, 999, kPixels.data());
  vgUpdateImage(ctx, 0, kPixels.data());
  vgUpdateImage(ctx, image, nullptr);
  vgDeleteImage(ctx, 0);
  EXPECT_EQ(ctx.backend.log, (Log{"textureSize"}));
  int w = 7, h = 7;
  vgImageSize(ctx, 999, &w, &h);
  EXPECT_EQ(w + h, 0);
  vgDeleteImage(ctx, image);
  EXPECT_EQ(ctx.backend.deletedTextures, std::vector<int>{image});
}

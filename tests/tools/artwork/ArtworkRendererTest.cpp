#include "tools/artwork/ArtworkRenderer.h"
#include "tools/artwork/ArtworkFonts.h"
#include "tools/artwork/ArtworkWriter.h"
#include "tools/artwork/Textures.h"

#include "support/TempFolder.h"

#include "graphics/renderer/VG.h"
#include "graphics/renderer/VGImageDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace kelmo::artwork;

TEST(ArtworkRendererTest, UnpremultiplyDividesColourByAlpha)
{
  const struct
  {
    std::array<unsigned char, 4> in, out;
  } cases[] = {
      {{128, 64, 0, 128}, {255, 128, 0, 128}}, {{0, 0, 0, 0}, {0, 0, 0, 0}},
      {{10, 20, 30, 255}, {10, 20, 30, 255}},  {{1, 0, 1, 2}, {128, 0, 128, 2}},
      {{60, 30, 15, 60}, {255, 128, 64, 60}},
  };
  for (const auto& c : cases) {
    std::vector<unsigned char> px(c.in.begin(), c.in.end());
    Unpremultiply(px);
    EXPECT_EQ((std::array<unsigned char, 4>{px[0], px[1], px[2], px[3]}), c.out)
        << int(c.in[0]) << "," << int(c.in[1]) << "," << int(c.in[2]) << "," << int(c.in[3]);
  }
}

// A half-transparent red square over the left half of a 4 x 2 point picture at scale 2 comes
// back as 8 x 4 pixels of straight colour.
Picture HalfRed(ArtworkRenderer& renderer)
{
  return renderer.Render(4, 2, 2, [](VGcontext* vg) {
    vgBeginPath(vg);
    vgRect(vg, 0, 0, 2, 2);
    vgFillColor(vg, vgRGBA(255, 0, 0, 128));
    vgFill(vg);
  });
}

TEST(ArtworkRendererTest, RendersAtScaleAndReadsStraightColourBack)
{
  ArtworkRenderer renderer;
  ASSERT_TRUE(renderer.Ready());
  const Picture p = HalfRed(renderer);
  ASSERT_EQ(p.width, 8);
  ASSERT_EQ(p.height, 4);
  const auto at = [&](int x, int y) {
    const unsigned char* q = &p.rgba[(y * p.width + x) * 4];
    return std::array<int, 4>{q[0], q[1], q[2], q[3]};
  };
  EXPECT_EQ(at(1, 1), (std::array<int, 4>{255, 0, 0, 128}));
  EXPECT_EQ(at(6, 2), (std::array<int, 4>{0, 0, 0, 0}));
}

// Shapes, gradients, a repeating texture and text across the band edges.
void Busy(VGcontext* vg)
{
  vgBeginPath(vg);
  vgCircle(vg, 30, 20, 17);
  vgFillPaint(vg, vgRadialGradient(24, 14, 2, 20, vgRGB(250, 240, 200), vgRGBA(20, 30, 90, 200)));
  vgFill(vg);
  vgSave(vg);
  vgTranslate(vg, 30, 20);
  vgRotate(vg, 0.5f);
  vgBeginPath(vg);
  vgRect(vg, -25, -3, 50, 6);
  vgFillPaint(vg, vgLinearGradient(-25, 0, 25, 0, vgRGBA(255, 0, 0, 255), vgRGBA(0, 0, 255, 90)));
  vgFill(vg);
  vgRestore(vg);
  const int texture = BrushedImage(vg, 16, 120, 120, 120, 20, 7u);
  vgBeginPath(vg);
  vgRect(vg, 2, 2, 20, 36);
  vgFillPaint(vg, vgImagePattern(0, 0, 8, 8, 0, texture, 0.8f));
  vgFill(vg);
  UseFace(vg, Face::Label, 9.0f);
  vgFillColor(vg, vgRGB(255, 255, 255));
  vgTextAlign(vg, VG_ALIGN_CENTER | VG_ALIGN_MIDDLE);
  vgText(vg, 30, 21, "BANDS", nullptr);
}

// Drawing a picture in bands on several lanes gives the picture drawn in one piece.
TEST(ArtworkRendererTest, BandsGiveTheSamePictureAsOnePiece)
{
  ArtworkRenderer renderer(3);
  ASSERT_EQ(renderer.Lanes(), 3);
  std::string missing;
  ASSERT_TRUE(renderer.SetUpEveryContext([&](VGcontext* vg) {
    return LoadArtworkFonts(vg, DefaultFontDirs(), missing);
  })) << missing;
  const Picture whole = renderer.Render(60, 40, 2, Busy, 1);
  ASSERT_EQ(whole.rgba.size(), 120u * 80u * 4u);
  for (int bands : {2, 3}) {
    const Picture cut = renderer.Render(60, 40, 2, Busy, bands);
    ASSERT_EQ(cut.rgba.size(), whole.rgba.size());
    int worst = 0;
    for (std::size_t i = 0; i < whole.rgba.size(); ++i)
      worst = std::max(worst, std::abs(whole.rgba[i] - cut.rgba[i]));
    EXPECT_LE(worst, 2) << bands << " bands";
  }
}

TEST(ArtworkRendererTest, RefusesEmptySizes)
{
  ArtworkRenderer renderer;
  for (auto [w, h, s] :
       {std::array{0.f, 4.f, 2.f}, {4.f, -1.f, 2.f}, {4.f, 4.f, 0.f}, {std::nanf(""), 4.f, 2.f}})
    EXPECT_TRUE(renderer.Render(w, h, s, [](VGcontext*) {}).Empty()) << w << " " << h << " " << s;
}

TEST(ArtworkRendererTest, WrittenFilesDecodeToThePicture)
{
  ArtworkRenderer renderer;
  const Picture p = HalfRed(renderer);
  testsupport::TempFolder folder;
  ASSERT_TRUE(WritePicture(p, ImageFormat::Png, folder / "a.png"));
  int w = 0, h = 0;
  std::unique_ptr<unsigned char, void (*)(unsigned char*)> png(
      vgDecodeImageFile((folder / "a.png").c_str(), &w, &h), vgFreeDecodedImage);
  ASSERT_TRUE(png);
  EXPECT_EQ(std::vector<unsigned char>(png.get(), png.get() + w * h * 4), p.rgba);
  // JPEG has no alpha: colour over black, every pixel opaque.
  ASSERT_TRUE(WritePicture(p, ImageFormat::Jpeg, folder / "a.jpg"));
  std::unique_ptr<unsigned char, void (*)(unsigned char*)> jpg(
      vgDecodeImageFile((folder / "a.jpg").c_str(), &w, &h), vgFreeDecodedImage);
  ASSERT_TRUE(jpg);
  EXPECT_EQ(w, 8);
  EXPECT_EQ(h, 4);
  EXPECT_EQ(jpg.get()[3], 255);
  EXPECT_NEAR(jpg.get()[0], 128, 16);
}

TEST(ArtworkRendererTest, WriteFailuresAreReported)
{
  ArtworkRenderer renderer;
  testsupport::TempFolder folder;
  EXPECT_FALSE(WritePicture(Picture{}, ImageFormat::Png, folder / "empty.png"));
  Picture shortPixels{4, 4, std::vector<unsigned char>(15)};
  EXPECT_FALSE(WritePicture(shortPixels, ImageFormat::Png, folder / "short.png"));
  EXPECT_FALSE(WritePicture(HalfRed(renderer), ImageFormat::Png, folder / "missing/dir/a.png"));
  EXPECT_FALSE(WritePicture(HalfRed(renderer), ImageFormat::Jpeg, folder / "missing/dir/a.jpg"));
}

} // namespace

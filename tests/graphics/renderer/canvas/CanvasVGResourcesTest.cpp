#include "CanvasVGTestSupport.h"
#include "graphics/renderer/FontDataCache.h"

#include <gtest/gtest.h>

#include <mutex>

using namespace canvastest;

namespace {

std::array<int, 4> Opaque(int, int)
{
  return {200, 100, 50, 255};
}

int FontCacheEntries()
{
  std::lock_guard lock(FontDataCache().Mutex());
  return FontDataCache().NEntries();
}

int FontCacheUsers()
{
  std::lock_guard lock(FontDataCache().Mutex());
  return FontDataCache().InstanceCount();
}

// A platform font that has no data to give.
class EmptyFont : public PlatformFont
{};

TEST(CanvasVGResources, BitmapExtensionsAreCheckedLowerCased)
{
  RecordingView v;
  const std::string ext31(28, 'x'), ext32(29, 'x');
  const struct
  {
    std::string ext;
    bool supported;
  } cases[] = {
      {"png", true}, {"PNG", true},   {"JpEg", true},        {"jpg", true},          {"gif", false},
      {"", false},   {"tiff", false}, {ext31 + "png", true}, {ext32 + "png", false}, // 32 characters: no room
                                                                                     // in the lower-cased
                                                                                     // copy
      {"pn", false}};
  for (const auto& c : cases)
    EXPECT_EQ(v.g.BitmapExtSupported(c.ext.c_str()), c.supported) << c.ext;
  EXPECT_FALSE(v.g.BitmapExtSupported(nullptr));
}

TEST(CanvasVGResources, ABitmapFoundAtAnotherScaleIsLoadedOnceAndFoundAgain)
{
  RecordingView v;
  ImageFolder folder;
  folder.Png("knob.png", 30, 20, Opaque); // only the 1x file exists
  const std::string name = folder.Path("knob.png");
  const int textures = v.backend.textureCreations;
  const IBitmap first = v.g.LoadBitmap(name.c_str(), 1, false, 2);
  ASSERT_TRUE(first.IsValid());
  EXPECT_EQ(first.W(), 30); // its own scale: one pixel per unit
  EXPECT_EQ(first.H(), 20);
  EXPECT_EQ(first.GetScale(), 1.f);
  EXPECT_STREQ(first.GetResourceName(), name.c_str());
  EXPECT_EQ(v.backend.textureCreations, textures + 1);
  EXPECT_EQ(v.g.NCachedBitmaps(), 1);
  // Again at scale 2 and then at scale 1: the same image, nothing loaded, the cache unchanged.
  for (int target : {2, 1, 2}) {
    const IBitmap again = v.g.LoadBitmap(name.c_str(), 3, true, target);
    EXPECT_EQ(again.GetAPIBitmap(), first.GetAPIBitmap()) << target;
    EXPECT_EQ(again.N(), 3);
    EXPECT_TRUE(again.GetFramesAreHorizontal());
  }
  EXPECT_EQ(v.backend.textureCreations, textures + 1);
  EXPECT_EQ(v.g.NCachedBitmaps(), 1);
}

TEST(CanvasVGResources, ABitmapAtScale2IsHalfItsPixelsInUnits)
{
  RecordingView v(200, 100, 1.f, 2.f);
  ImageFolder folder;
  folder.Png("fader.png", 31, 20, Opaque);
  folder.Png("fader@2x.png", 62, 40, Opaque);
  const IBitmap bitmap = v.g.LoadBitmap(folder.Path("fader.png").c_str()); // target: the screen's scale
  ASSERT_TRUE(bitmap.IsValid());
  EXPECT_EQ(bitmap.GetScale(), 2.f);
  EXPECT_EQ(bitmap.W(), 31);
  EXPECT_EQ(bitmap.H(), 20);
  EXPECT_EQ(bitmap.GetAPIBitmap()->GetWidth(), 62);
}

TEST(CanvasVGResources, BitmapsThatCannotBeHadAreEmptyAndNotCached)
{
  RecordingView v;
  ImageFolder folder;
  folder.Write("broken.png", "not a picture");
  folder.Png("picture.gif", 4, 4, Opaque);
  for (const std::string& name :
       {folder.Path("broken.png"), folder.Path("missing.png"), folder.Path("picture.gif"), std::string("")}) {
    EXPECT_FALSE(v.g.LoadBitmap(name.c_str()).IsValid()) << name;
  }
  EXPECT_FALSE(v.g.LoadBitmap(nullptr).IsValid());
  EXPECT_EQ(v.g.NCachedBitmaps(), 0);
  // Once the file is good, it loads.
  folder.Png("broken.png", 4, 4, Opaque);
  EXPECT_TRUE(v.g.LoadBitmap(folder.Path("broken.png").c_str()).IsValid());
  EXPECT_EQ(v.g.NCachedBitmaps(), 1);
  // A location that is not a file gives an image-less bitmap.
  std::unique_ptr<APIBitmap> none(v.g.LoadAPIBitmap(folder.Path("broken.png").c_str(), 1, 0, "png"));
  EXPECT_EQ(none->GetImage(), 0);
}

TEST(CanvasVGResources, BitmapsFromMemoryAreDecodedOnceAtScale1)
{
  RecordingView v;
  ImageFolder folder;
  const fonttest::Bytes png = fonttest::ReadFile(folder.Png("icon.png", 8, 6, Opaque));
  const fonttest::Bytes junk = fonttest::Ascii("junk");
  EXPECT_FALSE(v.g.LoadBitmapFromMemory("icon.png", junk.data(), static_cast<int>(junk.size())).IsValid());
  EXPECT_FALSE(v.g.LoadBitmapFromMemory("icon.png", nullptr, 100).IsValid());
  EXPECT_FALSE(v.g.LoadBitmapFromMemory("icon.gif", png.data(), static_cast<int>(png.size())).IsValid());
  EXPECT_EQ(v.g.NCachedBitmaps(), 0);
  const IBitmap first =
      v.g.LoadBitmapFromMemory("icon.png", png.data(), static_cast<int>(png.size()), 1, false, 2);
  ASSERT_TRUE(first.IsValid());
  EXPECT_EQ(first.W(), 8);
  EXPECT_EQ(first.H(), 6);
  const int textures = v.backend.textureCreations;
  const IBitmap again = v.g.LoadBitmapFromMemory("icon.png", png.data(), static_cast<int>(png.size()));
  EXPECT_EQ(again.GetAPIBitmap(), first.GetAPIBitmap());
  EXPECT_EQ(v.backend.textureCreations, textures);
  EXPECT_EQ(v.g.NCachedBitmaps(), 1);
}

TEST(CanvasVGResources, TheViewsEndDeletesTheCachedBitmapsImages)
{
  RecordingView v;
  ImageFolder folder;
  folder.Png("a.png", 4, 4, Opaque);
  const IBitmap a = v.g.LoadBitmap(folder.Path("a.png").c_str());
  const int image = a.GetAPIBitmap()->GetImage();
  v.g.CloseWindow();
  EXPECT_EQ(v.g.NCachedBitmaps(), 0);
  const auto& deleted = v.backend.deletedTextures;
  EXPECT_NE(std::find(deleted.begin(), deleted.end(), image), deleted.end());
}

TEST(CanvasVGResources, FontDataIsCachedOnceForEveryContextOfTheProcess)
{
  ASSERT_FALSE(RobotoPath().empty());
  const int users = FontCacheUsers();
  const int handedOut = FileFontDouble::DataHandedOut();
  {
    RecordingView first, second;
    EXPECT_EQ(FontCacheUsers(), users + 2);
    EXPECT_TRUE(first.g.LoadFont("Roboto-Regular", RobotoPath().c_str()));
    EXPECT_TRUE(first.g.LoadFont("Roboto-Regular", RobotoPath().c_str())); // again: nothing new
    EXPECT_TRUE(second.g.LoadFont("Roboto-Regular", RobotoPath().c_str()));
    EXPECT_EQ(FileFontDouble::DataHandedOut(), handedOut + 1);
    EXPECT_EQ(FontCacheEntries(), 1);
    EXPECT_GE(vgFindFont(second.g.GetVGContext(), "Roboto-Regular"), 0);
    EXPECT_EQ(FileFontDouble::Live(), 0) << "the platform font is deleted after loading";
    // Both contexts draw from the one copy.
    IRECT a(0, 0, 100, 20), b(0, 0, 100, 20);
    EXPECT_GT(first.g.MeasureText(IText(), "Kelmo", a), 0.f);
    EXPECT_EQ(first.g.MeasureText(IText(), "Kelmo", a), second.g.MeasureText(IText(), "Kelmo", b));
  }
  EXPECT_EQ(FontCacheUsers(), users);
  if (users == 0) {
    EXPECT_EQ(FontCacheEntries(), 0) << "the last context empties the cache";
  }
}

TEST(CanvasVGResources, FontsThatCannotBeUsedAreRefusedAndNotCached)
{
  RecordingView v;
  ImageFolder folder;
  const int entries = FontCacheEntries();
  const std::string notAFont = folder.Write("fake.ttf", std::string(200, 'x'));
  EXPECT_FALSE(v.g.LoadFont("Fake", notAFont.c_str()));
  EXPECT_FALSE(v.g.LoadFont("Missing", folder.Path("missing.ttf").c_str()));
  EXPECT_FALSE(v.g.LoadAPIFont("Empty", PlatformFontPtr(new EmptyFont)));
  EXPECT_FALSE(v.g.LoadAPIFont("Null", PlatformFontPtr()));
  EXPECT_FALSE(v.g.LoadAPIFont(nullptr, PlatformFontPtr(new EmptyFont)));
  // A file whose tables look right but whose outlines the atlas cannot read.
  const fonttest::Bytes synthetic = fonttest::SyntheticFace("Regular");
  const std::string syntheticPath = folder.Path("synthetic.ttf");
  fonttest::WriteFile(syntheticPath, synthetic);
  EXPECT_FALSE(v.g.LoadFont("Synthetic", syntheticPath.c_str()));
  EXPECT_EQ(FontCacheEntries(), entries);
}

} // namespace

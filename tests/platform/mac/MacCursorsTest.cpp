// The move cursor built from the system's artwork folder: hot spot and shadow from its
// description, four densities of the picture, pixels probed; descriptions that are missing or
// hostile; no artwork at all.
#include "platform/mac/MacCursors.h"
#include "platform/mac/system/PropertyList.h"
#include "platform/mac/system/SystemFiles.h"
#include "support/TempFolder.h"
#include "support/ui/PixelProbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace plugin;
using plugin::ui::test::PixelProbe;

const std::string kMoveFolder = std::string(ui::kSystemCursorFolder) + ui::kMoveCursorName;
const std::string kInfoPath = kMoveFolder + "/info.plist";
const std::string kPicturePath = kMoveFolder + "/cursor.pdf";

PixelProbe Probe(const sys::BitmapImage& bitmap)
{
  return PixelProbe(bitmap.Width(), bitmap.Height(), bitmap.Pixels());
}

// The picture alone at scale s, without a shadow.
PixelProbe Picture(int s)
{
  return Probe(*sys::Image::ReferencingFile(kPicturePath)->BitmapForCtmScale(s));
}

// The centre of the alpha the shadow adds outside the picture, in points; (0, 0) when it adds none.
sys::Point ShadowCentre(const PixelProbe& rep, const PixelProbe& picture, int s)
{
  double sum = 0.0, x = 0.0, y = 0.0;
  for (int py = 0; py < rep.Height(); ++py)
    for (int px = 0; px < rep.Width(); ++px) {
      if (picture.Alpha(px, py) != 0) continue;
      const double a = rep.Alpha(px, py);
      sum += a;
      x += a * (px + 0.5) / s;
      y += a * (py + 0.5) / s;
    }
  return sum > 0.0 ? sys::Point{x / sum, y / sum} : sys::Point{};
}

class MoveCursor : public ::testing::Test
{
protected:
  ~MoveCursor() override { sys::SystemFiles::Reset(); }
};

TEST_F(MoveCursor, TakesItsHotSpotAndShadowFromTheDescription)
{
  const auto info = sys::ParsePropertyList(*sys::SystemFiles::TextAt(kInfoPath));
  ASSERT_TRUE(info);
  const sys::Point described{*info->ValueForKey("hotx-scaled")->Number(), *info->ValueForKey("hoty-scaled")->Number()};

  const sys::CursorRef cursor = ui::BuildMoveCursor();
  ASSERT_EQ(cursor->Kind(), sys::CursorKind::Custom);
  EXPECT_EQ(cursor->HotSpot(), described);
  EXPECT_EQ(cursor->HotSpot(), (sys::Point{12.0, 12.0}));

  const sys::ImageRef& image = cursor->GetImage();
  ASSERT_TRUE(image);
  EXPECT_EQ(image->GetSize(), (sys::Size{24.0, 24.0})); // the picture's size
  ASSERT_EQ(image->Representations().size(), 4u);
  for (int s = 1; s <= 4; ++s) {
    const sys::BitmapImageRep& rep = *image->Representations()[s - 1];
    EXPECT_EQ(rep.PixelsWide(), 24 * s);
    EXPECT_EQ(rep.PixelsHigh(), 24 * s);
    EXPECT_EQ(rep.GetSize(), image->GetSize());

    const PixelProbe shadowed = Probe(*rep.Bitmap());
    const PixelProbe picture = Picture(s);
    shadowed.WritePngOnRequest("move-cursor-x" + std::to_string(s));
    // Just below the lower tip the picture is clear and the shadow shows, black.
    const int x = 12 * s, below = static_cast<int>(23.1 * s), above = static_cast<int>(0.9 * s);
    EXPECT_EQ(picture.Alpha(x, below), 0) << s;
    EXPECT_GT(shadowed.Alpha(x, below), 20) << s;
    EXPECT_EQ(shadowed.At(x, below)[0], 0);
    // It falls downward (offset y -1, y up): more of it below the picture than above.
    EXPECT_GT(shadowed.Alpha(x, below), shadowed.Alpha(x, above) + 10) << s;
    // The picture stays on top where it is opaque.
    EXPECT_EQ(shadowed.At(12 * s, 12 * s), picture.At(12 * s, 12 * s));
    // Offset and blur grow with the density: the shadow's centre stays put in points.
    const sys::Point centre = ShadowCentre(shadowed, picture, s);
    EXPECT_NEAR(centre.x, 12.0, 1e-9) << s;
    EXPECT_NEAR(centre.y, ShadowCentre(Probe(*image->Representations()[0]->Bitmap()), Picture(1), 1).y, 0.4) << s;
    EXPECT_GT(centre.y, 12.5) << s;
  }
}

// A description served in place of the system's, and what the cursor makes of it.
struct DescriptionCase
{
  const char* what;
  std::string text; // empty: no description at all
  sys::Point hotSpot;
  bool shadow;
};

std::string Description(const std::string& entries)
{
  return "<plist version=\"1.0\"><dict>" + entries + "</dict></plist>";
}

std::string Entry(const char* key, const char* value)
{
  return std::string("<key>") + key + "</key>" + value;
}

const std::string kBlackShadow = Entry("blur", "<real>2</real>") + Entry("shadowoffsety", "<real>-1</real>") +
                                 Entry("shadowcolor", "<array><real>0</real><real>0</real><real>0</real>"
                                                      "<real>1</real></array>");

TEST_F(MoveCursor, MissingOrHostileDescriptionsFallBackToZero)
{
  const DescriptionCase cases[] = {
      {"none", "", {0, 0}, false},
      {"malformed", "<plist><dict><key>hotx-scaled</key><real>12</real>", {0, 0}, false},
      {"not a dictionary", "<plist><array><real>12</real></array></plist>", {0, 0}, false},
      {"empty", Description(""), {0, 0}, false},
      {"plain", Description(Entry("hotx-scaled", "<real>3</real>") + Entry("hoty-scaled", "<integer>20</integer>") +
                            kBlackShadow),
       {3, 20}, true},
      {"text numbers", Description(Entry("hotx-scaled", "<string>12</string>") + Entry("hoty-scaled", "<true/>")),
       {0, 0}, false},
      {"not finite", Description(Entry("hotx-scaled", "<real>nan</real>") + Entry("hoty-scaled", "<real>-inf</real>")),
       {0, 0}, false},
      {"outside", Description(Entry("hotx-scaled", "<real>-5</real>") + Entry("hoty-scaled", "<real>1e300</real>")),
       {0, 24}, false},
      {"three components", Description(Entry("shadowcolor", "<array><real>0</real><real>0</real><real>1</real></array>")),
       {0, 0}, false},
      {"clear colour", Description(Entry("shadowcolor", "<array><real>0</real><real>0</real><real>0</real>"
                                                         "<real>0</real></array>")),
       {0, 0}, false},
      {"far offset", Description(Entry("shadowoffsetx", "<real>1e300</real>") + Entry("blur", "<real>1e300</real>") +
                                 Entry("shadowcolor", "<array><real>0</real><real>0</real><real>0</real>"
                                                      "<real>1</real></array>")),
       {0, 0}, false},
  };
  for (const DescriptionCase& c : cases) {
    sys::SystemFiles::Reset();
    if (c.text.empty()) sys::SystemFiles::Withdraw(kInfoPath);
    else sys::SystemFiles::ServeText(kInfoPath, c.text);
    const sys::CursorRef cursor = ui::BuildMoveCursor();
    ASSERT_EQ(cursor->Kind(), sys::CursorKind::Custom) << c.what;
    EXPECT_EQ(cursor->HotSpot(), c.hotSpot) << c.what;
    ASSERT_EQ(cursor->GetImage()->Representations().size(), 4u) << c.what;
    const PixelProbe rep = Probe(*cursor->GetImage()->Representations()[1]->Bitmap());
    const PixelProbe picture = Picture(2);
    int shadowPixels = 0;
    for (int y = 0; y < rep.Height(); ++y)
      for (int x = 0; x < rep.Width(); ++x)
        shadowPixels += rep.At(x, y) != picture.At(x, y);
    EXPECT_EQ(shadowPixels > 0, c.shadow) << c.what << ": " << shadowPixels;
  }
}

TEST_F(MoveCursor, ColourComponentsOutOfRangeAreClamped)
{
  sys::SystemFiles::ServeText(kInfoPath, Description(Entry("shadowoffsety", "<real>-3</real>") +
                                                     Entry("shadowcolor", "<array><real>7</real><real>-1</real>"
                                                                          "<real>nan</real><real>2</real></array>")));
  const sys::CursorRef cursor = ui::BuildMoveCursor();
  const PixelProbe rep = Probe(*cursor->GetImage()->Representations()[0]->Bitmap());
  // Just below the lower tip the shadow shows alone (the picture three pixels higher), opaque red.
  EXPECT_EQ(rep.At(12, 23), (PixelProbe::Pixel{255, 0, 0, 255}));
}

TEST_F(MoveCursor, WithoutAPictureTheArrowStandsIn)
{
  testsupport::TempFolder folder("kelmo-cursors");
  folder.WriteFile("info.plist", Description(Entry("hotx-scaled", "<real>4</real>")));
  const struct
  {
    std::string folder, name;
  } cases[] = {{"/nonexistent/", "move"}, {folder.Path(), ""}, {ui::kSystemCursorFolder, "resize"}};
  for (const auto& c : cases)
    EXPECT_EQ(ui::BuildMoveCursor(c.folder, c.name), sys::Cursor::System(sys::CursorKind::Arrow)) << c.folder;

  sys::SystemFiles::Withdraw(kPicturePath);
  sys::CursorRef cached;
  EXPECT_EQ(ui::MacCursorForKind(9, cached), sys::Cursor::System(sys::CursorKind::Arrow));
  EXPECT_EQ(cached, sys::Cursor::System(sys::CursorKind::Arrow)); // kept: built once
  sys::SystemFiles::Reset();
  EXPECT_EQ(ui::MacCursorForKind(9, cached), cached);
}

} // namespace

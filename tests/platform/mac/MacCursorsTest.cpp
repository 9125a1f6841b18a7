// The move cursor built from the system's artwork folder, probed; hostile descriptions; no artwork.
#include "platform/mac/MacCursors.h"
#include "platform/mac/system/SystemFiles.h"
#include "support/ui/PixelProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace plugin;
using plugin::ui::test::PixelProbe;

PixelProbe Rep(const sys::CursorRef& cursor, int s)
{
  const sys::BitmapImageRef bitmap = cursor->GetImage()->Representations()[s - 1]->Bitmap();
  return PixelProbe(bitmap->Width(), bitmap->Height(), bitmap->Pixels());
}

// Hot spot and shadow come from the description (unusable entries read as 0, the hot spot kept inside,
// colour clamped); four densities of the picture over a shadow cast down by a scaled offset; else the arrow.
TEST(MoveCursor, DescriptionsGiveHotSpotAndShadowOrFallBack)
{
  const sys::CursorRef system = ui::BuildMoveCursor();
  EXPECT_EQ(system->HotSpot(), (sys::Point{12.0, 12.0}));
  ASSERT_EQ(system->GetImage()->Representations().size(), 4u);
  for (int s = 1; s <= 4; ++s)
    EXPECT_GT(Rep(system, s).Alpha(12 * s, int(23.1 * s)), 20) << s; // the shadow under the lower tip
  const std::string d = "<plist><dict>", e = "</dict></plist>", hx = "<key>hotx-scaled</key>",
                    hy = "<key>hoty-scaled</key>", dy = "<key>shadowoffsety</key><real>-3</real>",
                    red = "<key>shadowcolor</key><array><real>7</real><real>-1</real><real>nan</real>"
                          "<real>2</real></array>";
  // The description, the hot spot it gives, the pixel 1.05 points under the picture's lower tip.
  // clang-format off
  const std::tuple<std::string, sys::Point, PixelProbe::Pixel> cases[] = {
      {"<plist><array><real>12</real></array></plist>", {0, 0}, {}},
      {d + hx + "<real>3</real>" + hy + "<integer>20</integer>" + dy + red + e, {3, 20}, {255, 0, 0, 255}},
      {d + hx + "<string>12</string>" + hy + "<real>nan</real>" + dy + e, {0, 0}, {}},
      {d + hx + "<real>-5</real>" + hy + "<real>1e300</real>" + e, {0, 24}, {}},
      {d + dy + "<key>shadowcolor</key><array/>" + e, {0, 0}, {}},
      {d + "<key>shadowoffsetx</key><real>1e300</real><key>blur</key><real>1e9</real>" + red + e, {}, {}}};
  // clang-format on
  for (const auto& [text, hotSpot, underTip] : cases) {
    sys::SystemFiles::ServeText(std::string(ui::kSystemCursorFolder) + "move/info.plist", text);
    const sys::CursorRef cursor = ui::BuildMoveCursor();
    EXPECT_EQ(cursor->HotSpot(), hotSpot) << text;
    const auto& reps = cursor->GetImage()->Representations();
    ASSERT_EQ(reps.size(), 4u) << text;
    for (int s = 1; s <= 4; ++s) {
      const PixelProbe rep = Rep(cursor, s);
      ASSERT_TRUE(rep.Width() == 24 * s && reps[s - 1]->GetSize() == (sys::Size{24, 24})) << s;
      EXPECT_EQ(rep.At(12 * s, 12 * s), (PixelProbe::Pixel{255, 255, 255, 255})) << text << " x" << s;
      EXPECT_EQ(rep.At(12 * s, int(23.5 * s)), underTip) << text << " x" << s;
    }
  }
  sys::SystemFiles::Reset();
  EXPECT_EQ(ui::BuildMoveCursor(ui::kSystemCursorFolder, "no"), sys::Cursor::System(sys::CursorKind::Arrow));
}

} // namespace

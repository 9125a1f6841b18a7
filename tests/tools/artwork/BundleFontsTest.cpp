#include "ArtworkImage.h"

#include "tools/artwork/ArtworkRenderer.h"

#include "graphics/renderer/VG.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using artworktest::ResourcePath;

// The fonts the layout loads are in the resources, each with its licence, and the vector core
// accepts them.
TEST(BundleFontsTest, EveryFontTheLayoutLoadsIsThereWithItsLicence)
{
  const struct
  {
    const char* font;
    const char* licence;
  } fonts[] = {
      {"Roboto-Regular.ttf", "Roboto-LICENSE.txt"},
      {"Lato-Bold.ttf", "Lato-LICENSE.txt"},
      {"RobotoMono-Bold.ttf", "DejaVuSansMono-LICENSE.txt"},
  };
  kelmo::artwork::ArtworkRenderer renderer;
  ASSERT_TRUE(renderer.Ready());
  for (const auto& f : fonts) {
    EXPECT_GE(vgCreateFont(renderer.Context(), f.font, ResourcePath(f.font).c_str()), 0) << f.font;
    std::error_code ec;
    EXPECT_GT(std::filesystem::file_size(ResourcePath(f.licence), ec), 100u) << f.licence;
  }
}

// The stand-in for the monospaced face must be monospaced.
TEST(BundleFontsTest, TheMonospacedStandInHasEqualAdvances)
{
  kelmo::artwork::ArtworkRenderer renderer;
  VGcontext* vg = renderer.Context();
  ASSERT_GE(vgCreateFont(vg, "mono", ResourcePath("RobotoMono-Bold.ttf").c_str()), 0);
  vgBeginFrame(vg, 100, 100, 1);
  vgFontFace(vg, "mono");
  vgFontSize(vg, 20);
  const float narrow = vgTextBounds(vg, 0, 0, "iiii", nullptr, nullptr);
  const float wide = vgTextBounds(vg, 0, 0, "MMMM", nullptr, nullptr);
  vgCancelFrame(vg);
  EXPECT_GT(narrow, 20.0f);
  EXPECT_FLOAT_EQ(narrow, wide);
}

} // namespace

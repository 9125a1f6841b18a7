#include "ArtworkImage.h"

#include "tools/artwork/KnobGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using artworktest::ArtworkImage;
using artworktest::ResourcePath;
using kelmo::artwork::ArtworkSpec;
using kelmo::artwork::ArtworkTable;
using kelmo::artwork::FindArtwork;
using kelmo::artwork::ImageFormat;
using kelmo::artwork::kArtworkScale;

const ArtworkSpec& Spec(const char* name)
{
  const ArtworkSpec* spec = FindArtwork(name);
  if (!spec) throw std::runtime_error(std::string("no artwork ") + name);
  return *spec;
}

std::vector<unsigned char> FileHead(const std::string& path, std::size_t n)
{
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes(n);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(n));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

// Brightness a pixel adds to the plate under it.
int Light(const ArtworkImage::Pixel& p)
{
  return (p[0] + p[1] + p[2]) * p[3] / (3 * 255);
}

TEST(ArtworkFilesTest, EveryPictureIsItsFrameStripAtTwiceItsPointSize)
{
  for (const ArtworkSpec& spec : ArtworkTable()) {
    const ArtworkImage image(spec);
    ASSERT_TRUE(image.Loaded()) << spec.name;
    EXPECT_EQ(image.Width(), spec.Width() * kArtworkScale) << spec.name;
    EXPECT_EQ(image.Height(), spec.Height() * kArtworkScale) << spec.name;
  }
}

TEST(ArtworkFilesTest, PngFilesCarryAlphaAndTheBackgroundIsAJpeg)
{
  for (const ArtworkSpec& spec : ArtworkTable()) {
    const auto head = FileHead(ResourcePath(kelmo::artwork::ScaledFileName(spec.name, kArtworkScale)), 26);
    ASSERT_EQ(head.size(), 26u) << spec.name;
    if (spec.format == ImageFormat::Jpeg) {
      EXPECT_TRUE(head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) << spec.name;
    } else {
      EXPECT_EQ(std::memcmp(head.data(), "\x89PNG", 4), 0) << spec.name;
      EXPECT_EQ(head[25], 6) << spec.name << ": colour type RGBA";
    }
  }
}

TEST(ArtworkFilesTest, EveryPngFrameHasContentAndTransparentCorners)
{
  for (const ArtworkSpec& spec : ArtworkTable()) {
    if (spec.format != ImageFormat::Png) continue;
    const ArtworkImage image(spec);
    ASSERT_TRUE(image.Loaded()) << spec.name;
    const int w = image.FrameWidth(), h = image.FrameHeight();
    for (int f = 0; f < spec.frames; ++f) {
      int covered = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          covered += image.Alpha(f, x, y) > 0;
      EXPECT_GT(covered, w * h / 10) << spec.name << " frame " << f;
      for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_EQ(image.Alpha(f, x, y), 0) << spec.name << " frame " << f << " corner " << x << "," << y;
    }
  }
}

// Knob pictures are turned about their centre: whatever they show must lie inside the circle
// the picture's square holds, centred on it, or turning would cut it off or make it wobble.
TEST(ArtworkFilesTest, KnobPicturesAreRoundAboutTheirCentre)
{
  for (const char* name : {"Nuppi.png", "NuppiVarjo.png", "NuppiOverlay.png", "MiniNuppi.png", "Trim.png"}) {
    const ArtworkImage image(Spec(name));
    ASSERT_TRUE(image.Loaded()) << name;
    const int w = image.FrameWidth(), h = image.FrameHeight();
    ASSERT_EQ(w, h) << name;
    const double c = (w - 1) * 0.5;
    int left = w, right = -1, top = h, bottom = -1, outside = 0;
    double mass = 0, mx = 0, my = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int a = image.Alpha(0, x, y);
        if (a == 0) continue;
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
        bottom = std::max(bottom, y);
        outside += std::hypot(x - c, y - c) > w * 0.5;
        mass += a, mx += a * x, my += a * y;
      }
    EXPECT_EQ(outside, 0) << name;
    EXPECT_NEAR(left + right, w - 1, 2) << name;
    EXPECT_NEAR(top + bottom, h - 1, 2) << name;
    if (std::strcmp(name, "NuppiOverlay.png") != 0) { // the still overlay is lit from one side
      EXPECT_NEAR(mx / mass, c, 0.75) << name;
      EXPECT_NEAR(my / mass, c, 0.75) << name;
    }
  }
}

// At value 0.5 a rotater draws its picture unturned: the pointer must point straight up.
TEST(ArtworkFilesTest, KnobPointersPointToTwelveOClock)
{
  const struct
  {
    const char* name;
    float radius; // points from the centre, on the pointer
    bool lightPointer;
  } knobs[] = {
      {"Nuppi.png", (kelmo::artwork::knob::kBigCap + kelmo::artwork::knob::kBigSkirt) * 0.5f + 1.0f, true},
      {"MiniNuppi.png", (kelmo::artwork::knob::kMiniCap + kelmo::artwork::knob::kMiniSkirt) * 0.5f, true},
      {"Trim.png", kelmo::artwork::knob::kTrimBody * 0.4f, false},
  };
  for (const auto& k : knobs) {
    const ArtworkImage image(Spec(k.name));
    ASSERT_TRUE(image.Loaded()) << k.name;
    const int c = image.FrameWidth() / 2, r = static_cast<int>(std::lround(k.radius * kArtworkScale));
    const int up = image.Grey(0, c, c - r), down = image.Grey(0, c, c + r);
    const int left = image.Grey(0, c - r, c), right = image.Grey(0, c + r, c);
    for (int other : {down, left, right}) {
      if (k.lightPointer)
        EXPECT_GT(up, other + 60) << k.name;
      else
        EXPECT_LT(up, other - 40) << k.name;
    }
  }
}

TEST(ArtworkFilesTest, FramesOfEverySwitchDiffer)
{
  for (const ArtworkSpec& spec : ArtworkTable()) {
    if (spec.frames < 2) continue;
    const ArtworkImage image(spec);
    ASSERT_TRUE(image.Loaded()) << spec.name;
    const int w = image.FrameWidth(), h = image.FrameHeight();
    for (int i = 0; i < spec.frames; ++i)
      for (int j = i + 1; j < spec.frames; ++j) {
        int differing = 0;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            const auto a = image.At(i, x, y), b = image.At(j, x, y);
            differing += std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) +
                             std::abs(a[3] - b[3]) >
                         24;
          }
        EXPECT_GT(differing, w * h / 200) << spec.name << " frames " << i << " and " << j;
      }
  }
}

// A lamp is lit in the frame of its value and dark in the others (points in the frame).
TEST(ArtworkFilesTest, LampsLightInTheFrameOfTheirValue)
{
  const ArtworkSpec& os = Spec("Oversampling.png");
  const ArtworkImage oversampling(os);
  ASSERT_TRUE(oversampling.Loaded());
  for (int f = 0; f < os.frames; ++f)
    for (int lamp = 0; lamp < 5; ++lamp) {
      if (lamp == f) continue;
      const int y = os.frameHeight * kArtworkScale / 2;
      const int x = (9 + 12 * f) * kArtworkScale, xo = (9 + 12 * lamp) * kArtworkScale;
      EXPECT_GT(Light(oversampling.At(f, x, y)), Light(oversampling.At(f, xo, y)) + 80)
          << "frame " << f << " lamp " << lamp;
    }
  const struct
  {
    const char* name;
    float x, y;
  } lamps[] = {
      {"Bypass.png", 9, 8}, {"Delta.png", 6, 5}, {"Power.png", 24.5f, 15}, {"CTRLLINK.png", 8, 4.4f}};
  for (const auto& l : lamps) {
    const ArtworkImage image(Spec(l.name));
    ASSERT_TRUE(image.Loaded()) << l.name;
    const int x = static_cast<int>(l.x * kArtworkScale), y = static_cast<int>(l.y * kArtworkScale);
    EXPECT_GT(Light(image.At(1, x, y)), Light(image.At(0, x, y)) + 20) << l.name;
  }
}

// Toggle levers point down (or left) at value 0 and up (or right) at value 1: the chrome tip
// shows where the lever points.
TEST(ArtworkFilesTest, ToggleLeversPointTheWayOfTheirValue)
{
  const struct
  {
    const char* name;
    float cx, cy, dx, dy; // lever pivot and the direction at value 1, points
    float reach;
  } toggles[] = {
      {"MiniFlipperVertAnim.png", 10, 17, 0, -1, 10.5f},
      {"FlipperTwoAnim.png", 19, 11, 1, 0, 10.5f},
      {"Power.png", 24.5f, 42, 0, -1, 12.0f},
  };
  for (const auto& t : toggles) {
    const ArtworkImage image(Spec(t.name));
    ASSERT_TRUE(image.Loaded()) << t.name;
    const auto at = [&](int frame, float sign) {
      return Light(image.At(frame, static_cast<int>((t.cx + sign * t.dx * t.reach) * kArtworkScale),
                            static_cast<int>((t.cy + sign * t.dy * t.reach) * kArtworkScale)));
    };
    EXPECT_GT(at(1, 1), at(0, 1) + 60) << t.name << ": tip at value 1";
    EXPECT_GT(at(0, -1), at(1, -1) + 60) << t.name << ": tip at value 0";
  }
}

} // namespace

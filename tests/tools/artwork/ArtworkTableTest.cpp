#include "tools/artwork/ArtworkTable.h"
#include "tools/artwork/EditorPlacement.h"
#include "tools/artwork/KnobGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

using namespace kelmo::artwork;

TEST(ArtworkTableTest, ScaledFileNamePutsTheSuffixBeforeTheExtension)
{
  const struct
  {
    const char* name;
    int scale;
    const char* file;
  } cases[] = {
      {"Nuppi.png", 2, "Nuppi@2x.png"},   {"background.jpg", 2, "background@2x.jpg"},
      {"a.b.png", 3, "a.b@3x.png"},       {"noextension", 2, "noextension@2x"},
      {"dir.v/file", 2, "dir.v/file@2x"}, {"dir\\x.png", 2, "dir\\x@2x.png"},
      {"Trim.png", 1, "Trim.png"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ScaledFileName(c.name, c.scale), c.file) << c.name;
}

Rect PictureRect(const Placement& p)
{
  const ArtworkSpec* spec = FindArtwork(p.name);
  return {p.x, p.y, p.x + spec->frameWidth, p.y + spec->frameHeight};
}

bool Intersect(const Rect& a, const Rect& b)
{
  return a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b;
}

// Radius of the visible knob in a knob picture (its square is mostly transparent margin), 0 for
// pictures that fill their rectangle, -1 for the shadow layer, which may fall on anything.
float KnobRadius(const Placement& p)
{
  const std::string name = p.name;
  if (name == "NuppiVarjo.png") return -1.0f;
  if (name == "Nuppi.png" || name == "NuppiOverlay.png") return knob::kBigSkirt;
  if (name == "MiniNuppi.png") return knob::kMiniSkirt;
  if (name == "Trim.png") return knob::kTrimBody;
  return 0.0f;
}

// What of a placed picture must stay clear of the rest: its whole rectangle, or the square
// around its knob.
Rect Footprint(const Placement& p)
{
  const Rect r = PictureRect(p);
  const float k = KnobRadius(p);
  if (k <= 0.0f) return r;
  return {r.CentreX() - k, r.CentreY() - k, r.CentreX() + k, r.CentreY() + k};
}

// Rectangles of what the layout draws besides the pictures: readouts, meters, captions, vector
// knobs and toggles, the version line and the preset bar.
const Rect kLayoutRects[] = {
    {365, 131, 402, 151}, {500, 131, 537, 151}, {325.1f, 93, 442, 164}, {460, 93, 576.9f, 164},
    {372, 462, 527, 473}, {382, 308, 415, 323}, {487, 308, 520, 323},   {487, 384, 520, 399},
    {65, 163, 101, 176},  {213, 163, 249, 176}, {65, 369, 101, 382},    {213, 369, 249, 382},
    {653, 163, 689, 176}, {801, 163, 837, 176}, {653, 369, 689, 382},   {801, 369, 837, 382},
    {62, 424, 106, 436},  {649, 424, 693, 436}, {62, 437, 106, 449},    {649, 437, 693, 449},
    {258, 437, 295, 452}, {846, 437, 883, 452}, {112, 455, 136, 471},   {699, 455, 723, 471},
    {27, 456, 70, 478},   {614, 456, 657, 478}, {91, 456, 109, 472},    {679, 456, 696, 472},
    {829, 5, 869, 20},    {873, 5, 890, 22},    {675, 480, 704, 495},   {653, 480, 670, 497},
    {67, 480, 107, 495},  {111, 480, 128, 497}, {210, 480, 250, 495},   {254, 480, 271, 497},
    {250, 1, 594, 24},    {7, 5, 22, 20},       {2, 27, 14, 39},
};

// The sizes chosen for the pictures keep each one inside the editor and clear of what the layout
// puts around it. The layout's own rectangles overlap the knob pictures' transparent margins
// (the value captions sit in them, and one caption ends a point inside a side-chain knob's
// square), so for knobs it is the knob itself that must stay clear.
TEST(ArtworkTableTest, PlacedPicturesStayInsideTheEditorAndClearOfTheirNeighbours)
{
  const auto& placements = EditorPlacements();
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const Placement& p = placements[i];
    ASSERT_NE(FindArtwork(p.name), nullptr) << p.name;
    const Rect r = PictureRect(p);
    EXPECT_TRUE(r.l >= 0 && r.t >= 0 && r.r <= kEditorWidth && r.b <= kEditorHeight)
        << p.name << " at " << p.x;
    if (KnobRadius(p) < 0.0f) continue;
    const Rect mine = Footprint(p);
    for (const Rect& l : kLayoutRects)
      EXPECT_FALSE(Intersect(mine, l))
          << p.name << " at " << p.x << "," << p.y << " meets " << l.l << "," << l.t;
    for (std::size_t j = i + 1; j < placements.size(); ++j) {
      const Placement& q = placements[j];
      const bool sameKnob = p.x == q.x && p.y == q.y; // the knob's layers share a rectangle
      if (KnobRadius(q) >= 0.0f && !sameKnob) {
        EXPECT_FALSE(Intersect(mine, Footprint(q)))
            << p.name << " at " << p.x << " meets " << q.name << " at " << q.x;
      }
    }
  }
}

TEST(ArtworkTableTest, MeterPivotLiesBelowTheMeter)
{
  const Rect left{325.1f, 93, 442, 164};
  EXPECT_FLOAT_EQ(MeterPivotX(left), 383.55f);
  EXPECT_FLOAT_EQ(MeterPivotY(left), 179.75f);
  EXPECT_NEAR(left.Width() * kNeedleReach, 73.65f, 0.01f);
  EXPECT_NEAR(left.Width() * kNeedleBodyReach, 52.61f, 0.01f);
}

TEST(ArtworkTableTest, KnobSweepMatchesTheRotatersAngles)
{
  EXPECT_FLOAT_EQ(knob::DegreesOf(0.0f), -130.0f);
  EXPECT_FLOAT_EQ(knob::DegreesOf(0.5f), 0.0f);
  EXPECT_FLOAT_EQ(knob::DegreesOf(1.0f), 130.0f);
}

} // namespace

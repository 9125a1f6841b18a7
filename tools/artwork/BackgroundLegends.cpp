#include "graphics/renderer/VG.h"
#include "tools/artwork/BackgroundParts.h"
#include "tools/artwork/EditorPlacement.h"
#include "tools/artwork/Palette.h"
#include "tools/artwork/Shapes.h"

namespace kelmo::artwork::background {

using namespace palette;

namespace {

constexpr int kCentre = VG_ALIGN_CENTER | VG_ALIGN_MIDDLE;
constexpr int kRight = VG_ALIGN_RIGHT | VG_ALIGN_MIDDLE;
constexpr int kLeft = VG_ALIGN_LEFT | VG_ALIGN_MIDDLE;

// The right channel repeats the left one this far to the right.
constexpr float kRightChannel = 588.0f;

// A legend printed on the plate.
struct Legend
{
  float x, y;
  int align;
  const char* text;
};

void Label(VGcontext* vg, const Legend& l, float size = 6.5f)
{
  Print(vg, Face::Label, size, 0.45f, l.x, l.y, l.align, kInk, l.text);
}

// Legends of one channel section, left channel coordinates.
constexpr Legend kChannel[] = {
    {83, 182, kCentre, "GAIN"},     {231, 182, kCentre, "THRESHOLD"},    {83, 388, kCentre, "ATTACK"},
    {231, 388, kCentre, "RELEASE"}, {155, 191, kCentre, "FEEDBACK"},     {155, 238, kCentre, "FEED-FWD"},
    {47, 413, kCentre, "SC GAIN"},  {119, 413, kCentre, "SC FREQ"},      {89, 464, kRight, "MIX"},
    {139, 463, kLeft, "SOURCE"},    {230, 415, kCentre, "AUTO RELEASE"}, {216, 454, kCentre, "OFF"},
    {244, 454, kCentre, "ON"},      {276.5f, 430, kCentre, "SYNC"},
};

// The triode/pentode legends sit outside the switch, mirrored on the right channel.
void TubeLegends(VGcontext* vg, float flipperLeft, float flipperRight)
{
  Label(vg, {flipperLeft - 3.0f, 218, kRight, "TRIODE"});
  Label(vg, {flipperRight + 3.0f, 218, kLeft, "PENTODE"});
}

// A printed pill around the side-chain compensation toggle (the toggle only tints it when on).
void CompensationKey(VGcontext* vg, float l, float t, float r, float b)
{
  FillRoundedRect(vg, l, t, r - l, b - t, (b - t) * 0.5f,
                  vgLinearGradient(0, t, 0, b, Rgb(36, 36, 38), Rgb(22, 22, 24)));
  StrokeRoundedRect(vg, l + 0.5f, t + 0.5f, r - l - 1.0f, b - t - 1.0f, (b - t) * 0.5f - 0.5f, 1.0f,
                    WithAlpha(kInk, 0.45f));
  Label(vg, {(l + r) * 0.5f, (t + b) * 0.5f + 0.3f, kCentre, "SC COMP"}, 6.0f);
}

void Channel(VGcontext* vg, float dx, const char* header)
{
  for (const Legend& l : kChannel)
    Label(vg, {l.x + dx, l.y, l.align, l.text});
  CompensationKey(vg, 27 + dx, 456, 70 + dx, 478);
  // Header with a rule on either side.
  Print(vg, Face::Label, 7.0f, 1.6f, 157 + dx, 37, kCentre, WithAlpha(kInk, 0.8f), header);
  UseFace(vg, Face::Label, 7.0f, 1.6f);
  const float half = vgTextBounds(vg, 0, 0, header, nullptr, nullptr) * 0.5f + 8.0f;
  Line(vg, 157 + dx - half - 46.0f, 37, 157 + dx - half, 37, 0.8f, WithAlpha(kInk, 0.4f), VG_BUTT);
  Line(vg, 157 + dx + half, 37, 157 + dx + half + 46.0f, 37, 0.8f, WithAlpha(kInk, 0.4f), VG_BUTT);
}

void Centre(VGcontext* vg)
{
  Print(vg, Face::Logo, 21.0f, 3.5f, 449.5f, 48.0f, kCentre, kInk, "ZPH KELMO");
  Print(vg, Face::Legend, 7.0f, 2.6f, 451.0f, 77.5f, kCentre, WithAlpha(kInk, 0.7f), "QUILLMERE");
  const Legend legends[] = {
      {363, 213, kCentre, "LINK"},          {363, 263, kCentre, "DUAL"},
      {536, 213, kCentre, "M / S"},         {536, 263, kCentre, "L / R"},
      {365, 295, kCentre, "VARI GAIN"},     {538, 295, kCentre, "DRY BLEND"},
      {538, 371, kCentre, "\xCE\xBC-DIFF"}, {449.5f, 341, kCentre, "POWER"},
      {363, 363, kCentre, "SC LISTEN"},     {350, 432, kCentre, "DELTA"},
      {510, 421, kCentre, "OVERSAMPLING"},
  };
  for (const Legend& l : legends)
    Label(vg, l);
  const char* factors[] = {"2", "4", "8", "12", "16"};
  for (int i = 0; i < 5; ++i)
    Print(vg, Face::Scale, 6.5f, 0.0f, 486.0f + 12.0f * i, 432.0f, kCentre, WithAlpha(kInk, 0.9f),
          factors[i]);
  // The covers of the two meters name their channels under the readouts.
  Print(vg, Face::Label, 6.0f, 1.2f, MeterPivotX(MeterRects()[0]), 158.0f, kCentre, WithAlpha(kInk, 0.55f),
        "L / M");
  Print(vg, Face::Label, 6.0f, 1.2f, MeterPivotX(MeterRects()[1]), 158.0f, kCentre, WithAlpha(kInk, 0.55f),
        "R / S");
}

// Seats of the six small vector knobs, which draw only a grey value arc and a dot pointer: a dark
// cap inside the arc, centred in each knob's rectangle (side-chain blends, level calibration,
// noise, input and output gain).
void VectorKnobSeats(VGcontext* vg)
{
  constexpr struct
  {
    float cx, cy;
  } kSeats[] = {{100.0f, 464.0f}, {687.5f, 464.0f}, {881.5f, 13.5f},
                {661.5f, 488.5f}, {119.5f, 488.5f}, {262.5f, 488.5f}};
  constexpr float kCap = 5.0f;
  for (const auto& s : kSeats) {
    SoftDisc(vg, s.cx, s.cy + 0.8f, kCap, 1.5f, Rgb(0, 0, 0, 0.55f));
    FillCircle(vg, s.cx, s.cy, kCap,
               vgLinearGradient(s.cx, s.cy - kCap, s.cx, s.cy + kCap, Rgb(62, 62, 65), Rgb(24, 24, 26)));
    StrokeCircle(vg, s.cx, s.cy, kCap - 0.4f, 0.6f, WithAlpha(kWhite, 0.1f));
  }
}

// Small print and the icons of the top and bottom bars (their buttons draw nothing themselves).
void Bars(VGcontext* vg)
{
  const VGcolor grey = Rgb(151, 151, 151);
  // Info key: a small square with an i.
  FillRoundedRect(vg, 7.5f, 5.5f, 14.0f, 14.0f, 2.5f,
                  vgLinearGradient(0, 5, 0, 20, Rgb(50, 50, 52), Rgb(30, 30, 32)));
  StrokeRoundedRect(vg, 8.0f, 6.0f, 13.0f, 13.0f, 2.0f, 1.0f, WithAlpha(kWhite, 0.08f));
  Print(vg, Face::Legend, 10.0f, 0.0f, 14.5f, 13.0f, kCentre, grey, "i");
  // Reset-size key under it: a frame with its corner arrow.
  StrokeRoundedRect(vg, 3.5f, 28.5f, 9.0f, 9.0f, 1.5f, 1.0f, WithAlpha(grey, 0.8f));
  Line(vg, 5.8f, 35.2f, 10.2f, 30.8f, 1.0f, WithAlpha(grey, 0.8f), VG_ROUND);
  Line(vg, 10.2f, 30.8f, 10.2f, 33.0f, 1.0f, WithAlpha(grey, 0.8f), VG_ROUND);
  Line(vg, 10.2f, 30.8f, 8.0f, 30.8f, 1.0f, WithAlpha(grey, 0.8f), VG_ROUND);
  Print(vg, Face::Label, 6.5f, 0.6f, 692.0f, 13.5f, kLeft, grey, "L/R LINK");
  Print(vg, Face::Label, 6.5f, 0.6f, 826.0f, 13.5f, kRight, grey, "LEVEL CAL");
  Print(vg, Face::Label, 6.5f, 0.6f, 64.0f, 488.0f, kRight, grey, "INPUT");
  Print(vg, Face::Label, 6.5f, 0.6f, 207.0f, 488.0f, kRight, grey, "OUTPUT");
  Print(vg, Face::Label, 6.5f, 0.6f, 650.0f, 488.0f, kRight, grey, "NOISE");
  Print(vg, Face::Legend, 6.0f, 1.2f, 452.5f, 488.0f, kCentre, WithAlpha(grey, 0.85f),
        "ZPH KELMO  \xC2\xB7  STEREO VARIABLE-MU TUBE COMPRESSOR");
  Print(vg, Face::Legend, 6.0f, 1.2f, 803.0f, 488.0f, kCentre, WithAlpha(grey, 0.85f), "USER MANUAL");
}

} // namespace

void Print(VGcontext* vg, Face face, float size, float spacing, float x, float y, int align, VGcolor colour,
           const char* text)
{
  UseFace(vg, face, size, spacing);
  vgTextAlign(vg, align);
  vgFillColor(vg, colour);
  vgText(vg, x, y, text, nullptr);
}

void DrawLegends(VGcontext* vg)
{
  Channel(vg, 0.0f, "LEFT  \xC2\xB7  MID");
  Channel(vg, kRightChannel, "RIGHT  \xC2\xB7  SIDE");
  TubeLegends(vg, 211, 249);
  TubeLegends(vg, 650, 688);
  Centre(vg);
  Bars(vg);
  VectorKnobSeats(vg);
}

} // namespace kelmo::artwork::background

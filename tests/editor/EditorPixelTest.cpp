#include "editor/EditorTestSupport.h"
#include "engine/IMeterRecord.h"
#include "graphics/resources/LocateResource.h"
#include "platform/mac/MVGCanvasBackend.h"
#include "platform/mac/MVGFramebuffer.h"
#include "platform/mac/system/GpuDevice.h"
#include "platform/mac/system/GpuLayer.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/PixelProbe.h"
#include "support/ui/TestCanvasVG.h"

#include <cmath>
#include <memory>
#include <set>
#include <string>

// The whole editor drawn through the drawing backend on the headless GPU with the bundle's own
// pictures and fonts, probed where the layout puts a knob's pointer, a switch's lamp and a
// readout's text. KELMO_TEST_PNG_DIR names a folder to write the frames to.

using namespace editortest;
using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

// The plug-in's editor opened by the plug-in on a layer of the headless GPU, at a draw scale and a
// screen scale, with the bundle's resources less the ones left out.
class GpuEditor
{
public:
  GpuEditor(float drawScale, float screenScale, const std::set<std::string>& leaveOut = {})
      : mResources(leaveOut), mScale(drawScale * screenScale)
  {
    mLayer->SetDevice(plugin::sys::GpuDevice::Create());
    mLayer->SetDrawableSize(uint32_t(screenScale * int(899 * drawScale)),
                            uint32_t(screenScale * int(500 * drawScale)));
    k = MakeEditorKelmo();
    // Fonts are the bundle's font files, found as the platform finds them.
    k->SetMakeGraphicsFunc(
        [this, drawScale] { return new LocatedFontsCanvasVG(*k, 899, 500, mvgCanvasBackend(), drawScale); });
    k->OpenWindow(mLayer.get());
    k->SetScreenScale(screenScale);
    k->OnUIOpen(); // as the platform's window does once it is open: every control takes its value
    ui = static_cast<LocatedFontsCanvasVG*>(k->GetUI());
    mFrames = std::make_unique<FrameDriver>(*ui);
  }
  ~GpuEditor()
  {
    mFrames.reset();
    k->CloseWindow();
    if (mLayer->Device()) mLayer->Device()->WaitUntilIdle();
  }

  // One frame of the view's timer (everything redrawn when asked, else what is dirty), read back
  // from the main framebuffer.
  PixelProbe Frame(bool everything = false)
  {
    if (everything) ui->SetAllControlsDirty();
    mFrames->Tick();
    const int w = int(ui->GetScreenScale() * ui->WindowPixelWidth());
    const int h = int(ui->GetScreenScale() * ui->WindowPixelHeight());
    std::vector<unsigned char> rgba(size_t(w) * h * 4);
    const int image = ui->GetBackend().framebufferImage(ui->GetMainFramebuffer());
    const bool read = mvgReadPixels(ui->GetVGContext(), image, 0, 0, w, h, rgba.data());
    return PixelProbe(read ? w : 0, read ? h : 0, std::move(rgba));
  }
  // The pixel under editor point (x, y).
  PixelProbe::Pixel At(const PixelProbe& frame, float x, float y) const
  {
    return frame.At(int(std::floor(x * mScale)), int(std::floor(y * mScale)));
  }
  // True when a pixel within one device pixel of the one under editor point (x, y) passes test.
  template <class Test> bool Near(const PixelProbe& frame, float x, float y, Test test) const
  {
    const int cx = int(std::floor(x * mScale)), cy = int(std::floor(y * mScale));
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (test(frame.At(cx + dx, cy + dy))) return true;
    return false;
  }
  void SetNormalized(int param, double value)
  {
    k->GetParam(param)->SetNormalized(value);
    k->SendParameterValueFromDelegate(param, value, true);
  }

  // What the last frame found dirty.
  const std::vector<IRECT>& LastDirty() const { return mFrames->lastDirty; }

  std::unique_ptr<EditorKelmo> k;
  LocatedFontsCanvasVG* ui = nullptr;

private:
  BundleResources mResources;
  plugin::sys::GpuLayerRef mLayer = plugin::sys::GpuLayer::Create();
  float mScale;
  std::unique_ptr<FrameDriver> mFrames;
};

using Pixel = PixelProbe::Pixel;

bool Cream(const Pixel& p) // the knob's inlaid pointer, over the dark flutes around the cap
{
  return p[0] > 130 && p[1] > 125 && p[2] > 110;
}
bool Dark(const Pixel& p)
{
  return p[0] < 90 && p[1] < 90 && p[2] < 90;
}
bool LitRed(const Pixel& p) // the power lamp on
{
  return p[0] > 200 && p[0] - p[1] > 90 && p[0] - p[2] > 100;
}

// The big "L Wet Gain" knob: centre and the radius halfway along its pointer.
constexpr float kKnobX = 19.f + 64.f, kKnobY = 53.f + 64.f, kPointerR = 34.f;
// The power lamp's jewel, below its highlight.
constexpr float kLampX = 425.f + 24.5f, kLampY = 349.f + 19.f;
// Where the pointer lies at a knob angle (degrees clockwise from twelve o'clock).
std::pair<float, float> PointerAt(float degrees)
{
  const float a = degrees * float(M_PI) / 180.f;
  return {kKnobX + kPointerR * std::sin(a), kKnobY - kPointerR * std::cos(a)};
}

using EditorPixels = kelmotest::KelmoTest;

} // namespace

// The whole editor at draw scale 1 on a 2x screen, as it first shows: every knob at its value
// (the gain's pointer at +43 degrees for 0 dB), the power lamp lit.
TEST_F(EditorPixels, FirstFrameOnARetinaScreen)
{
  GpuEditor e(1.f, 2.f);
  ASSERT_EQ(e.ui->NControls(), RecordingEditor::kNumControls);
  const PixelProbe frame = e.Frame(true);
  frame.WritePngOnRequest("editor");
  ASSERT_EQ(frame.Width(), 1798);
  const float gainDegrees = -130.f + 260.f * 16.f / 24.f;
  auto [px, py] = PointerAt(gainDegrees);
  auto [ux, uy] = PointerAt(0.f);
  EXPECT_TRUE(e.Near(frame, px, py, Cream));
  EXPECT_FALSE(e.Near(frame, ux, uy, Cream));
  EXPECT_TRUE(LitRed(e.At(frame, kLampX, kLampY)));
}

// Redrawn frames follow the values: the big knob's pointer turns with it, the power lamp goes
// dark with its switch, and a readout's text lands inside the readout's rectangle.
TEST_F(EditorPixels, KnobPointerSwitchLampAndReadout)
{
  GpuEditor e(1.f, 1.f);
  // -4 dB is the middle of the range: the pointer straight up; 8 dB turns it to +130 degrees.
  e.SetNormalized(kLWetGain, 0.5);
  const PixelProbe frame = e.Frame();
  auto [ux, uy] = PointerAt(0.f);
  auto [rx, ry] = PointerAt(130.f);
  EXPECT_TRUE(e.Near(frame, ux, uy, Cream));
  EXPECT_FALSE(e.Near(frame, rx, ry, Cream));
  EXPECT_TRUE(LitRed(e.At(frame, kLampX, kLampY)));
  e.SetNormalized(kLWetGain, 1.0);
  e.SetNormalized(kPower, 0.0);
  const PixelProbe before = e.Frame();
  EXPECT_FALSE(e.Near(before, ux, uy, Cream));
  EXPECT_TRUE(e.Near(before, rx, ry, Cream));
  EXPECT_TRUE(Dark(e.At(before, kLampX, kLampY)));

  // A readout value changes pixels only inside the readout's rectangle (365, 131, 402, 151).
  const IMeterRecord record{2, 1, 0, -3.25f};
  e.k->SendControlMsgFromDelegate(2, 0, sizeof record, &record);
  const PixelProbe after = e.Frame();
  after.WritePngOnRequest("editor_readout");
  int inside = 0, outside = 0;
  for (int y = 0; y < after.Height(); ++y)
    for (int x = 0; x < after.Width(); ++x) {
      if (before.At(x, y) == after.At(x, y)) continue;
      const bool in = x >= 365 && x < 402 && y >= 131 && y < 151;
      (in ? inside : outside) += 1;
    }
  EXPECT_GT(inside, 40);
  EXPECT_EQ(outside, 0);
}

// Opening at draw scales 1.5 and 2: the frame grows with the scale and everything sits where it
// does at scale 1, scaled.
TEST_F(EditorPixels, OpensAtOneAndAHalfAndTwo)
{
  for (float scale : {1.5f, 2.f}) {
    GpuEditor e(scale, 1.f);
    EXPECT_EQ(e.ui->GetDrawScale(), scale);
    e.SetNormalized(kLWetGain, 0.5);
    const PixelProbe frame = e.Frame();
    frame.WritePngOnRequest(scale == 2.f ? "editor_scale2" : "editor_scale1_5");
    EXPECT_EQ(frame.Width(), int(899 * scale));
    EXPECT_EQ(frame.Height(), int(500 * scale));
    auto [ux, uy] = PointerAt(0.f);
    EXPECT_TRUE(e.Near(frame, ux, uy, Cream)) << scale;
    EXPECT_TRUE(LitRed(e.At(frame, kLampX, kLampY))) << scale;
  }
}

// Without the knob body's picture and the caption font the editor still opens with every control
// and draws: no pointer where the knob would be, and a frame like any other.
TEST_F(EditorPixels, MissingPictureAndFontLeaveTheRestDrawn)
{
  GpuEditor e(1.f, 1.f, {"Nuppi@2x.png", "Lato-Bold.ttf"});
  EXPECT_EQ(e.ui->NControls(), RecordingEditor::kNumControls);
  e.SetNormalized(kLWetGain, 0.5);
  const PixelProbe frame = e.Frame();
  frame.WritePngOnRequest("editor_missing");
  ASSERT_GT(frame.Width(), 0);
  auto [ux, uy] = PointerAt(0.f);
  EXPECT_FALSE(e.Near(frame, ux, uy, Cream));
  EXPECT_TRUE(LitRed(e.At(frame, kLampX, kLampY)));
}

// With the audio quiet only the meters ask for frames: such frames leave every pixel outside the
// meters as it was and draw inside them what a full redraw draws, while needles and readouts move.
TEST_F(EditorPixels, IdleFramesRedrawOnlyTheMetersAndMatchAFullRedraw)
{
  for (float screen : {1.f, 2.f}) {
    GpuEditor e(1.f, screen);
    IRECT meters[2]; // as a frame redraws them: grown and aligned to the pixel grid
    for (int tag : {0, 1})
      meters[tag] = e.ui->GetControlWithTag(tag)->GetBounds().GetPadded(0.75f).GetPixelAligned(screen);
    PixelProbe before(0, 0, {}), partial(0, 0, {});
    for (int frame = 0; frame <= 5; ++frame) {
      for (int tag = 0; tag < 4; ++tag) { // needles and readouts at new values, as idle records bring them
        const IMeterRecord record{tag, 1, 0,
                                  tag < 2 ? 0.1f + 0.17f * frame + 0.3f * tag : -2.5f * frame - tag};
        e.k->SendControlMsgFromDelegate(tag, 0, sizeof record, &record);
      }
      (frame == 0 ? before : partial) = e.Frame(frame == 0);
      for (const IRECT& r : e.LastDirty())
        EXPECT_TRUE(frame == 0 || meters[0].Contains(r) || meters[1].Contains(r)) << r.L << ", " << r.T;
    }
    const PixelProbe full = e.Frame(true);
    ASSERT_TRUE(full.Width() > 0 && partial.Width() == full.Width() && partial.Height() == full.Height());
    int differing = 0, moved = 0;
    for (int y = 0; y < full.Height(); ++y)
      for (int x = 0; x < full.Width(); ++x) {
        const float px = (x + 0.5f) / screen, py = (y + 0.5f) / screen;
        const bool in = meters[0].Contains(px, py) || meters[1].Contains(px, py);
        differing += partial.At(x, y) != (in ? full : before).At(x, y);
        moved += in && partial.At(x, y) != before.At(x, y);
      }
    EXPECT_EQ(differing, 0) << "screen scale " << screen;
    EXPECT_GT(moved, 100) << "the needles and readouts moved";
  }
}

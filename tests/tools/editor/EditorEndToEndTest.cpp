// The compressor's editor end to end through its VST3 view, as kelmo-editor runs it: opened into
// a headless host window, laid out, drawn at 60 Hz through the whole stack into the layer; the
// meter needle where the layout puts it at the level the engine reports; a knob dragged by the
// person's events changes its parameter and the host hears of it; closed and reopened.
#include "tools/editor/EditorSession.h"

#include "editor/VUMeterControl.h"
#include "engine/Kelmo.h"
#include "engine/dsp/KelmoParams.h"
#include "platform/mac/ICanvasMac.h"
#include "platform/mac/ICanvasView.h"
#include "support/vst3/ComponentHandler.h"
#include "tools/render/UserPresetIsolation.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelmo::editor;
using plugin::testhost::ComponentHandler;

namespace {

class EditorEndToEnd : public ::testing::Test
{
protected:
  void SetUp() override
  {
    SessionOptions options;
    options.bundleDir = KELMO_BUNDLE;
    std::string error;
    session = EditorSession::Open(options, error);
    ASSERT_TRUE(session) << error;
  }
  void TearDown() override { session.reset(); }

  plugin::ui::ICanvasMac& G() const { return *session->Graphics(); }
  const Kelmo& Plug() const { return dynamic_cast<const Kelmo&>(session->Plugin().Controller()); }

  // Whether a pixel within 2 pixels of (x, y) satisfies want (the needle is 1.5 points wide).
  template <class Want> static bool Near(const Frame& f, std::pair<int, int> at, Want want)
  {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (want(f.At(at.first + dx, at.second + dy))) return true;
    return false;
  }
  static bool Red(const std::array<int, 4>& p) { return p[0] > 180 && p[1] < 40 && p[2] < 40; }
  static bool LightGrey(const std::array<int, 4>& p)
  {
    return p[1] > 180 && std::abs(p[0] - p[1]) < 12 && std::abs(p[1] - p[2]) < 12;
  }

  const kelmo::render::UserPresetIsolation isolation;
  std::unique_ptr<EditorSession> session;
};

} // namespace

TEST_F(EditorEndToEnd, OpensLaysOutAndDrawsAtSixtyHertz)
{
  ASSERT_TRUE(session->Graphics());
  EXPECT_EQ(G().Width(), 899);
  EXPECT_EQ(G().Height(), 500);
  EXPECT_EQ(G().FPS(), 60);
  EXPECT_GT(G().NControls(), 90);
  EXPECT_EQ(G().GetView()->Superview(), session->Window().ContentView().get());
  Steinberg::ViewRect size;
  ASSERT_EQ(session->View().getSize(&size), Steinberg::kResultOk);
  EXPECT_EQ(size.getWidth(), 899);
  EXPECT_EQ(size.getHeight(), 500);

  session->RunFrames(2);
  const int first = session->PresentCount();
  EXPECT_GE(first, 1);
  // The meters redraw every frame: one present per 1/60 s.
  session->RunFrames(6);
  EXPECT_NEAR(session->PresentCount() - first, 6, 1);

  const Frame frame = session->Read();
  ASSERT_EQ(frame.width, 899);
  ASSERT_EQ(frame.height, 500);
  // The background covers the editor: opaque everywhere we look.
  for (const auto& [x, y] : {std::pair{5, 5}, {450, 250}, {890, 490}, {10, 480}})
    EXPECT_EQ(frame.At(x, y)[3], 255) << x << "," << y;
}

TEST_F(EditorEndToEnd, MeterNeedleStandsWhereTheLayoutAndTheLevelPutIt)
{
  // A threshold 30 dB below full scale and two seconds of a loud tone: the needle swings up.
  ASSERT_TRUE(session->Plugin().SetParameter(kLThreshold, 30.0));
  session->SetSignal(1000.0, -3.0);
  session->RenderAudioMs(2000.0);
  session->RunFrames(3); // the idle timer delivers the meters, the frames draw them
  auto* meter = dynamic_cast<plugin::ui::VUMeterControl*>(G().GetControlWithTag(0));
  ASSERT_TRUE(meter);
  // The needle shows what the engine metered (delivered every 20 ms).
  EXPECT_NEAR(meter->NeedlePosition(), Plug().Dsp().MeterNeedle(0), 0.02);
  EXPECT_GT(meter->NeedlePosition(), 0.1f);

  // The layout's rectangle for the left meter, and the needle's geometry on it.
  const float L = 325.1f, T = 93.f, R = 442.f, B = 164.f, W = R - L;
  EXPECT_FLOAT_EQ(meter->PivotX(), static_cast<float>(L + (R - L) * 0.5));
  EXPECT_FLOAT_EQ(meter->PivotY(), (B - T) * 0.25f + (B - 2.f));
  const double angle = meter->NeedleAngle() * M_PI / 180.0;
  const Frame frame = session->Read();
  // The outer end is red, the inner part light grey; mirrored to the other side of the scale
  // there is neither.
  for (const double side : {1.0, -1.0}) {
    const auto point = [&](double r) {
      return std::pair{static_cast<int>(std::lround(meter->PivotX() + r * std::sin(side * angle))),
                       static_cast<int>(std::lround(meter->PivotY() - r * std::cos(side * angle)))};
    };
    const bool needle = side > 0.0;
    EXPECT_EQ(Near(frame, point(W * 0.57), Red), needle) << side;
    EXPECT_EQ(Near(frame, point(W * 0.35), LightGrey), needle) << side;
  }
}

TEST_F(EditorEndToEnd, DraggingAKnobChangesItsParameterAndTheHostHearsIt)
{
  auto handler = Steinberg::owned(new ComponentHandler);
  ASSERT_EQ(session->Plugin().Controller().setComponentHandler(handler.get()), Steinberg::kResultOk);
  session->RunFrames(1);
  const Steinberg::Vst::ParamID input = kInputGain;
  const double before = session->Plugin().Controller().getParamNormalized(input);
  // The small "Input Gain" knob: pressed in its middle, dragged up, released.
  const float x = 119.5f, y = 488.5f;
  session->MoveMouse(x, y);
  session->Press(x, y);
  for (int i = 1; i <= 5; ++i)
    session->Drag(x, y - 4.f * static_cast<float>(i));
  session->Release(x, y - 20.f);
  session->RunFrames(1);

  const double after = session->Plugin().Controller().getParamNormalized(input);
  EXPECT_GT(after, before);
  EXPECT_EQ(handler->count(ComponentHandler::Kind::Begin), 1u);
  EXPECT_EQ(handler->count(ComponentHandler::Kind::End), 1u);
  EXPECT_GE(handler->count(ComponentHandler::Kind::Perform), 1u);
  const auto calls = handler->calls();
  double lastPerformed = -1.0;
  for (const auto& call : calls) {
    EXPECT_EQ(call.id, input);
    if (call.kind == ComponentHandler::Kind::Perform) lastPerformed = call.value;
  }
  EXPECT_DOUBLE_EQ(lastPerformed, after);
  session->Plugin().Controller().setComponentHandler(nullptr);
}

TEST_F(EditorEndToEnd, ClosesAndReopensTenTimes)
{
  for (int i = 0; i < 10; ++i) {
    session->RunFrames(1);
    ASSERT_TRUE(session->Graphics());
    std::string error;
    ASSERT_TRUE(session->Reopen(error)) << error;
  }
  session->RunFrames(1);
  EXPECT_EQ(session->Read().width, 899);
  // Only the last view is in the host's window.
  EXPECT_EQ(session->Window().ContentView()->Subviews().size(), 1u);
  session->Close();
  EXPECT_EQ(session->Graphics(), nullptr);
  EXPECT_TRUE(session->Window().ContentView()->Subviews().empty());
  session->RunFrames(2); // audio and timers go on without an editor
}

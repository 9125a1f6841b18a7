#include "editor/VUMeterControl.h"

#include "engine/IMeterRecord.h"
#include "support/engine/KelmoTestSupport.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr IRECT kLeftMeter{325.1f, 93.f, 442.f, 164.f};
constexpr IRECT kRightMeter{460.f, 93.f, 576.9f, 164.f};

// One stroked straight line seen from its start: start, length, angle in degrees clockwise from
// straight up, colour, thickness, blend weight.
struct Line
{
  float x, y, length, angle;
  IColor color;
  float thickness, weight;
};

// The straight strokes the canvas received, in order.
std::vector<Line> Strokes(const RecordingCanvas& g)
{
  std::vector<Line> out;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  for (const CanvasCall& c : g.calls) {
    if (c.op == "PathMoveTo") x0 = c.args[0], y0 = c.args[1];
    if (c.op == "PathLineTo") x1 = c.args[0], y1 = c.args[1];
    if (c.op == "PathStroke")
      out.push_back({float(x0), float(y0), float(std::hypot(x1 - x0, y1 - y0)),
                     float(std::atan2(x1 - x0, y0 - y1) * 180.0 / M_PI),
                     IColor(int(c.args[1]), int(c.args[2]), int(c.args[3]), int(c.args[4])), float(c.args[5]),
                     float(c.args[12])});
  }
  return out;
}

// Compares a drawn line with the one expected, reporting the first field that differs.
void ExpectLine(const Line& got, const Line& want)
{
  const float g[] = {got.x, got.y, got.length, got.angle, got.thickness, got.weight};
  const float w[] = {want.x, want.y, want.length, want.angle, want.thickness, want.weight};
  const char* names[] = {"x", "y", "length", "angle", "thickness", "blend weight"};
  for (int i = 0; i < 6; ++i)
    if (!(std::fabs(g[i] - w[i]) <= 1e-3f)) {
      ADD_FAILURE() << names[i] << " is " << g[i] << ", expected " << w[i];
      return;
    }
  EXPECT_EQ(got.color, want.color);
}

// The needle: from the pivot at angle, red to outer, then grey over it to inner.
void ExpectNeedle(const std::vector<Line>& got, float px, float py, float angle, float outer, float inner)
{
  ASSERT_EQ(got.size(), 2u);
  ExpectLine(got[0], {px, py, outer, angle, IColor(255, 207, 12, 12), 1.5f, 1.f});
  ExpectLine(got[1], {px, py, inner, angle, IColor(255, 206, 206, 206), 1.5f, 1.f});
}

void Send(VUMeterControl& m, float value)
{
  const IMeterRecord r{0, 1, 0, value};
  m.OnMsgFromDelegate(0, sizeof r, &r);
}

class Meter : public ::testing::Test
{
protected:
  std::vector<Line> Draw(VUMeterControl& m)
  {
    g.ClearCalls();
    m.Draw(g);
    return Strokes(g);
  }

  TestEditorDelegate dlg;
  RecordingCanvas g{dlg, 899, 500};
};

} // namespace

TEST_F(Meter, PivotLengthsAndAngleLimits)
{
  // Pivot centred, a quarter of the height (71) below the bottom less 2: (383.55, 179.75) for the
  // left meter; lengths 0.63 and 0.45 of the width 116.9; -44 degrees at 0, +44 at 1.
  const struct
  {
    IRECT bounds;
    float value, px, py, angle, outer, inner;
  } cases[] = {
      {kLeftMeter, 0.f, 383.55f, 179.75f, -44.f, 73.647f, 52.605f},
      {kRightMeter, 0.f, 518.45f, 179.75f, -44.f, 73.647f, 52.605f},
      {IRECT(0.f, 0.f, 100.f, 40.f), 0.f, 50.f, 48.f, -44.f, 63.f, 45.f},
      {kLeftMeter, 0.001f, 383.55f, 179.75f, -43.912f, 73.647f, 52.605f},
      {kLeftMeter, 0.25f, 383.55f, 179.75f, -22.f, 73.647f, 52.605f},
      {kLeftMeter, 0.5f, 383.55f, 179.75f, 0.f, 73.647f, 52.605f},
      {kLeftMeter, 1.f, 383.55f, 179.75f, 44.f, 73.647f, 52.605f},
      {kLeftMeter, 1.5f, 383.55f, 179.75f, 44.f, 73.647f, 52.605f},
      {kLeftMeter, kInf, 383.55f, 179.75f, 44.f, 73.647f, 52.605f},
      {kLeftMeter, -0.2f, 383.55f, 179.75f, -44.f, 73.647f, 52.605f},
      {kLeftMeter, -kInf, 383.55f, 179.75f, -44.f, 73.647f, 52.605f},
      {kLeftMeter, kNaN, 383.55f, 179.75f, -44.f, 73.647f, 52.605f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "left " << c.bounds.L << ", value " << c.value);
    VUMeterControl m(c.bounds);
    Send(m, 0.75f); // elsewhere first, so that every case must move the needle
    Send(m, c.value);
    ExpectNeedle(Draw(m), c.px, c.py, c.angle, c.outer, c.inner);
  }
}

TEST_F(Meter, PivotStaysWhereItWasBuiltWhileTheLengthsFollowTheWidth)
{
  VUMeterControl m(kLeftMeter);
  Send(m, 1.f);
  m.SetPosition(10.f, 20.f);
  m.SetSize(200.f, 50.f);
  ExpectNeedle(Draw(m), 383.55f, 179.75f, 44.f, 126.f, 90.f);
}

TEST_F(Meter, DrawsEveryFrameWithoutARecordAndWithoutItsAction)
{
  VUMeterControl m(kLeftMeter);
  int actions = 0;
  m.SetActionFunction([&](IControl*) { ++actions; });
  Send(m, 0.5f);
  for (int frame = 0; frame < 3; ++frame) {
    m.SetClean(); // as the frame loop does before drawing
    ExpectNeedle(Draw(m), 383.55f, 179.75f, 0.f, 73.647f, 52.605f);
    EXPECT_TRUE(m.IsDirty()) << "frame " << frame;
  }
  EXPECT_EQ(actions, 0);
}

TEST(MeterMessages, OnlyWholeRecordsOfTagZeroWhileEnabledMoveTheNeedle)
{
  const IMeterRecord quarter{0, 1, 0, 0.25f};
  unsigned char shifted[25] = {}; // a longer message at an odd address
  std::memcpy(shifted + 1, &quarter, sizeof quarter);
  const struct
  {
    const char* name;
    int msgTag, dataSize;
    const void* data;
    bool disabled;
    float want; // from 0.75
  } cases[] = {
      {"record", 0, 16, &quarter, false, 0.25f},
      {"longer, unaligned", 0, 24, shifted + 1, false, 0.25f},
      {"other tag", 1, 16, &quarter, false, 0.75f},
      {"disabled", 0, 16, &quarter, true, 0.75f},
      {"12 bytes", 0, 12, &quarter, false, 0.f},
      {"0 bytes", 0, 0, nullptr, false, 0.f},
      {"negative size", 0, -16, &quarter, false, 0.f},
      {"no data", 0, 16, nullptr, false, 0.f},
  };
  for (const auto& c : cases) {
    VUMeterControl m(kLeftMeter);
    Send(m, 0.75f);
    m.SetDisabled(c.disabled);
    m.SetClean();
    m.OnMsgFromDelegate(c.msgTag, c.dataSize, c.data);
    EXPECT_EQ(m.NeedlePosition(), c.want) << c.name;
    EXPECT_FALSE(m.IsDirty()) << c.name; // the frame loop redraws it anyway
  }
}

namespace {

// The plug-in, its idle tick's control messages delivered by tag to an editor's controls.
class MeteredKelmo : public kelmotest::TestKelmo
{
public:
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* data) override
  {
    TestKelmo::SendControlMsgFromDelegate(ctrlTag, msgTag, dataSize, data);
    if (IControl* c = editor->GetControlWithTag(ctrlTag)) c->OnMsgFromDelegate(msgTag, dataSize, data);
  }
  float LastSent(int tag) const
  {
    float v = kNaN;
    for (const kelmotest::EditorEvent& e : Only(kelmotest::EditorEvent::kControlMsg))
      if (e.idx == tag) v = e.record.mValue;
    return v;
  }
  ICanvas* editor = nullptr;
};

using EngineMeters = kelmotest::KelmoTest;

} // namespace

TEST_F(EngineMeters, IdleRecordsDriveBothNeedles)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg, 899, 500);
  auto* left = static_cast<VUMeterControl*>(g.AttachControl(new VUMeterControl(kLeftMeter), 0));
  auto* right = static_cast<VUMeterControl*>(g.AttachControl(new VUMeterControl(kRightMeter), 1));
  MeteredKelmo k;
  k.editor = &g;
  k.Prepare(48000.0, 256);
  k.OnIdle();
  EXPECT_EQ(left->NeedlePosition(), 0.0010000000474974513f); // at rest, a hair right of the stop
  EXPECT_EQ(right->NeedlePosition(), 0.0010000000474974513f);

  // Both channels loud and compressed apart: each needle shows its own channel's record.
  k.Edit(kLinkChannelControls, 0.0);
  k.Edit(kChannelLink, 1.0);
  k.Edit(kLThreshold, 30.0);
  k.Edit(kRThreshold, 10.0);
  std::vector<double> l(256), r(256);
  for (int n = 0; n < 40 * 256; ++n) {
    l[size_t(n % 256)] = 0.9 * std::sin(0.05 * n);
    r[size_t(n % 256)] = 0.7 * std::sin(0.031 * n);
    if (n % 256 == 255) k.ProcessInPlace(l.data(), r.data(), 256);
  }
  k.OnIdle();
  EXPECT_EQ(left->NeedlePosition(), k.LastSent(0));
  EXPECT_EQ(right->NeedlePosition(), k.LastSent(1));
  EXPECT_NE(left->NeedlePosition(), right->NeedlePosition());
}

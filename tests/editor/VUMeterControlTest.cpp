#include "editor/VUMeterControl.h"

#include "engine/IMeterRecord.h"
#include "engine/MeterTransmitter.h"
#include "engine/kelmo/KelmoTestSupport.h"
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

// The two meters of the editor.
constexpr IRECT kLeftMeter{325.1f, 93.f, 442.f, 164.f};
constexpr IRECT kRightMeter{460.f, 93.f, 576.9f, 164.f};

// One stroked straight line as seen from its start: start point, length, angle in degrees
// clockwise from straight up, colour, thickness and blend weight.
struct Line
{
  float x, y, length, angle;
  IColor color;
  float thickness;
  float weight;
};

// Every straight stroke in the recorded calls, in order.
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

// Compares two lines, reporting the first field that differs.
void ExpectLine(const Line& got, const Line& want)
{
  const struct
  {
    const char* name;
    float got, want;
  } fields[] = {{"x", got.x, want.x},
                {"y", got.y, want.y},
                {"length", got.length, want.length},
                {"angle", got.angle, want.angle},
                {"thickness", got.thickness, want.thickness},
                {"blend weight", got.weight, want.weight}};
  for (const auto& f : fields)
    if (!(std::fabs(f.got - f.want) <= 1e-3f)) {
      ADD_FAILURE() << f.name << " is " << f.got << ", expected " << f.want;
      return;
    }
  EXPECT_EQ(got.color, want.color);
}

// The needle as it must be drawn: from the pivot at angle, red to outer, then grey over it to inner.
void ExpectNeedle(const std::vector<Line>& got, float px, float py, float angle, float outer, float inner)
{
  ASSERT_EQ(got.size(), 2u);
  ExpectLine(got[0], {px, py, outer, angle, IColor(255, 207, 12, 12), 1.5f, 1.f});
  ExpectLine(got[1], {px, py, inner, angle, IColor(255, 206, 206, 206), 1.5f, 1.f});
}

// The drawing bodies of the graphics context may still be placeholders in this tree; the drawing
// tests then have nothing to look at.
bool DrawingIsRecorded()
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg);
  g.DrawRadialLine(COLOR_BLACK, 0.f, 0.f, 0.f, 0.f, 1.f);
  return g.Count("PathStroke") == 1;
}

IMeterRecord Record(float value, int tag = 0)
{
  return IMeterRecord{tag, 1, 0, value};
}

void Send(VUMeterControl& m, float value)
{
  const IMeterRecord r = Record(value);
  m.OnMsgFromDelegate(0, sizeof r, &r);
}

class Meter : public ::testing::Test
{
protected:
  void SetUp() override
  {
    if (!DrawingIsRecorded()) GTEST_SKIP() << "the graphics context's drawing bodies are not built yet";
  }

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

TEST_F(Meter, NeedleHangsFromAPivotBelowTheMeterWithTwoLengths)
{
  // Pivot: centred, a quarter of the height (71) below the bottom less 2; lengths 0.63 and 0.45 of
  // the width 116.9.
  const struct
  {
    IRECT bounds;
    float px, py, outer, inner;
  } cases[] = {
      {kLeftMeter, 383.55f, 179.75f, 73.647f, 52.605f},
      {kRightMeter, 518.45f, 179.75f, 73.647f, 52.605f},
      {IRECT(0.f, 0.f, 100.f, 40.f), 50.f, 48.f, 63.f, 45.f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "bounds " << c.bounds.L << ", " << c.bounds.T);
    VUMeterControl m(c.bounds);
    ExpectNeedle(Draw(m), c.px, c.py, -44.f, c.outer, c.inner);
  }
}

TEST_F(Meter, RecordValueSetsTheNeedleAngleWithinItsLimits)
{
  const struct
  {
    float value, angle;
  } cases[] = {
      {0.f, -44.f},   {0.001f, -43.912f}, {0.25f, -22.f}, {0.5f, 0.f},    {1.f, 44.f},     {1.5f, 44.f},
      {-0.2f, -44.f}, {kNaN, -44.f},      {kInf, 44.f},   {-kInf, -44.f}, {1e-45f, -44.f}, // a subnormal
                                                                                           // rests the needle
  };
  VUMeterControl m(kLeftMeter);
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "value " << c.value);
    Send(m, 0.75f); // a different position first, so that every case must move the needle
    Send(m, c.value);
    ExpectNeedle(Draw(m), 383.55f, 179.75f, c.angle, 73.647f, 52.605f);
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
    SCOPED_TRACE(::testing::Message() << "frame " << frame);
    m.SetClean(); // as the frame loop does before drawing
    ExpectNeedle(Draw(m), 383.55f, 179.75f, 0.f, 73.647f, 52.605f);
    EXPECT_TRUE(m.IsDirty());
  }
  EXPECT_EQ(actions, 0);
}

TEST(MeterMessages, OnlyWholeRecordsOfTagZeroMoveTheNeedle)
{
  const IMeterRecord quarter = Record(0.25f);
  unsigned char longer[24] = {};
  std::memcpy(longer, &quarter, sizeof quarter);
  const struct
  {
    const char* name;
    int msgTag;
    int dataSize;
    const void* data;
    float want; // starting from 0.75
  } cases[] = {
      {"record", 0, 16, &quarter, 0.25f},    {"longer data", 0, 24, longer, 0.25f},
      {"other tag", 1, 16, &quarter, 0.75f}, {"negative tag", -1, 16, &quarter, 0.75f},
      {"12 bytes", 0, 12, &quarter, 0.f},    {"15 bytes", 0, 15, &quarter, 0.f},
      {"0 bytes", 0, 0, nullptr, 0.f},       {"negative size", 0, -16, &quarter, 0.f},
      {"no data", 0, 16, nullptr, 0.f},
  };
  for (const auto& c : cases) {
    VUMeterControl m(kLeftMeter);
    Send(m, 0.75f);
    m.OnMsgFromDelegate(c.msgTag, c.dataSize, c.data);
    EXPECT_EQ(m.NeedlePosition(), c.want) << c.name;
  }
}

TEST(MeterMessages, ValueIsReadFromItsByteOffsetWhateverTheAlignment)
{
  // The record may arrive at any address; only bytes 12..15 count.
  unsigned char bytes[17];
  std::memset(bytes, 0xFF, sizeof bytes);
  const float v = 0.625f;
  std::memcpy(bytes + 1 + 12, &v, sizeof v);
  VUMeterControl m(kLeftMeter);
  m.OnMsgFromDelegate(0, 16, bytes + 1);
  EXPECT_EQ(m.NeedlePosition(), 0.625f);
  EXPECT_EQ(m.NeedleAngle(), 11.f);
}

TEST(MeterMessages, DisabledMeterIgnoresRecordsAndNoRecordMarksDirty)
{
  VUMeterControl m(kLeftMeter);
  Send(m, 0.5f);
  m.SetDisabled(true);
  m.SetClean();
  Send(m, 0.9f);
  EXPECT_EQ(m.NeedlePosition(), 0.5f);
  m.SetDisabled(false);
  m.SetClean();
  Send(m, 0.9f);
  EXPECT_EQ(m.NeedlePosition(), 0.9f);
  EXPECT_FALSE(m.IsDirty());
}

TEST(MeterMessages, NoParameterAndDefaultMouse)
{
  VUMeterControl m(kLeftMeter);
  EXPECT_EQ(m.NVals(), 1);
  EXPECT_EQ(m.GetParamIdx(0), -1);
  EXPECT_FALSE(m.GetActionFunction());
  EXPECT_EQ(m.GetBounds(), kLeftMeter);
  EXPECT_EQ(m.GetHitRect(), kLeftMeter);
  EXPECT_FALSE(m.GetIgnoreMouse());
}

namespace {

// The plug-in, with what its idle tick sends to the editor delivered to the controls of an editor
// by tag, as the editor delegate does.
class MeteredKelmo : public kelmotest::TestKelmo
{
public:
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* data) override
  {
    TestKelmo::SendControlMsgFromDelegate(ctrlTag, msgTag, dataSize, data);
    if (IControl* c = editor ? editor->GetControlWithTag(ctrlTag) : nullptr)
      c->OnMsgFromDelegate(msgTag, dataSize, data);
  }
  ICanvas* editor = nullptr;
};

// The last value the plug-in sent to tag.
float LastSent(const MeteredKelmo& k, int tag)
{
  float v = kNaN;
  for (const kelmotest::EditorEvent& e : k.Only(kelmotest::EditorEvent::kControlMsg))
    if (e.idx == tag) v = e.record.mValue;
  return v;
}

using EngineMeters = kelmotest::KelmoTest;

} // namespace

TEST_F(EngineMeters, IdleRecordsDriveBothNeedles)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg, 899, 500);
  auto* left = static_cast<VUMeterControl*>(g.AttachControl(new VUMeterControl(kLeftMeter), 0));
  auto* right = static_cast<VUMeterControl*>(g.AttachControl(new VUMeterControl(kRightMeter), 1));
  ASSERT_TRUE(left && right);

  MeteredKelmo k;
  k.editor = &g;
  k.Prepare(48000.0, 256);
  k.OnIdle();
  // At rest the engine sends 0.001, a hair right of the stop.
  EXPECT_EQ(left->NeedlePosition(), 0.0010000000474974513f);
  EXPECT_EQ(right->NeedlePosition(), 0.0010000000474974513f);

  // Both channels loud, compressed apart: each needle shows its own channel's record.
  k.Edit(kLinkChannelControls, 0.0);
  k.Edit(kChannelLink, 1.0);
  k.Edit(kLThreshold, 30.0);
  k.Edit(kRThreshold, 10.0);
  std::vector<double> l(256), r(256);
  for (int block = 0; block < 40; ++block) {
    for (int n = 0; n < 256; ++n) {
      l[size_t(n)] = 0.9 * std::sin(0.05 * (block * 256 + n));
      r[size_t(n)] = 0.7 * std::sin(0.031 * (block * 256 + n));
    }
    k.ProcessInPlace(l.data(), r.data(), 256);
  }
  k.events.clear();
  k.OnIdle();
  EXPECT_EQ(left->NeedlePosition(), LastSent(k, 0));
  EXPECT_EQ(right->NeedlePosition(), LastSent(k, 1));
  EXPECT_NE(left->NeedlePosition(), right->NeedlePosition());
}

#include "editor/ComparisonCopyActions.h"
#include "editor/EditorGraphics.h"
#include "editor/EditorTestSupport.h"
#include "editor/ResetEditorSizeAction.h"
#include "support/ui/RecordingControl.h"
#include "support/ui/UiEvents.h"

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

using namespace editortest;
using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

using Actions = RecordingEditor;
using Snapshot = ComparisonSlots::Snapshot;
constexpr double kNone = ComparisonSlots::kNotStored;

// A value of parameter i at normalised position x, as the parameter stores it.
double At01(const Kelmo& k, int i, double x)
{
  return k.GetParam(i)->FromNormalized(x);
}

// Every control bound to a parameter shows that parameter's value.
void ExpectControlsFollow(ICanvas& g)
{
  for (int i = 0; i < g.NControls(); ++i) {
    const IControl* c = g.GetControl(i);
    if (const plugin::IParam* p = c->GetParam()) {
      EXPECT_NEAR(c->GetValue(), p->GetNormalized(), 1e-9) << "control " << i << " of " << p->GetName();
    }
  }
}

void Click(ICanvas& g, float x, float y)
{
  g.OnMouseDown(Press(x, y));
  g.OnMouseUp(Press(x, y));
}

constexpr float kCopyAToB[] = {143.f, 12.f};
constexpr float kCopyBToA[] = {171.f, 12.f};

} // namespace

// "->" and "<-" with either slot live: the target snapshot takes the source's values (the live
// ones when the source is live) except "Delta" and "Plugin Scale"; the live parameters take them
// only when the target is live, never "Comparison slot" and never from an entry not stored yet.
// The host is not told; every control shows the result.
TEST_F(Actions, CopyBetweenComparisonSlots)
{
  const struct
  {
    const char* what;
    double slot; // "Comparison slot"
    const float* button;
    int from, to;
    bool fromLive; // else the target is live
  } cases[] = {{"-> with B live", 1.0, kCopyAToB, 0, 1, false},
               {"-> with A live", 0.0, kCopyAToB, 0, 1, true},
               {"<- with A live", -0.0, kCopyBToA, 1, 0, false},
               {"<- with B live", 1.0, kCopyBToA, 1, 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Renew();
    RecordingCanvas& ui = OpenThroughPlugin();
    // A at a quarter of every range, B at three quarters, the live values in the middle; A has no
    // value yet for the release of the left channel.
    Snapshot& a = k->Comparison().Slot(0);
    Snapshot& b = k->Comparison().Slot(1);
    for (int i = 0; i < kNumParams; ++i) {
      a[size_t(i)] = At01(*k, i, 0.25);
      b[size_t(i)] = At01(*k, i, 0.75);
      if (i != kComparisonSlot) k->GetParam(i)->Set(At01(*k, i, 0.5));
    }
    a[kLRelease] = kNone;
    k->GetParam(kComparisonSlot)->Set(c.slot);
    const Snapshot a0 = a, b0 = b;
    std::vector<double> live0;
    for (int i = 0; i < kNumParams; ++i)
      live0.push_back(k->GetParam(i)->Value());

    Click(ui, c.button[0], c.button[1]);

    const Snapshot& source0 = c.from == 0 ? a0 : b0;
    const Snapshot& target0 = c.to == 0 ? a0 : b0;
    const Snapshot& target = k->Comparison().Slot(c.to);
    const bool fromLive = c.fromLive, toLive = !c.fromLive;
    for (int i = 0; i < kNumParams; ++i) {
      SCOPED_TRACE(k->GetParam(i)->GetName());
      const bool kept = i == kDelta || i == kPluginScale;
      const double copied = fromLive ? live0[size_t(i)] : source0[size_t(i)];
      EXPECT_EQ(target[size_t(i)], kept ? target0[size_t(i)] : copied);
      EXPECT_EQ(k->Comparison().Slot(c.from)[size_t(i)], source0[size_t(i)]);
      const bool takes = toLive && !kept && i != kComparisonSlot && copied != kNone;
      EXPECT_EQ(k->GetParam(i)->Value(), takes ? k->GetParam(i)->Constrain(copied) : live0[size_t(i)]);
    }
    EXPECT_TRUE(k->hostEdits.empty());
    ExpectControlsFollow(ui);
  }
}

// The reset button: 899 x 500 at scale 1 whatever the editor was, and "Plugin Scale" back to 1
// with no edit reported to the host.
TEST_F(Actions, ResetRestoresSizeAndScale)
{
  g = MakeCanvas(1.5f);
  Lay();
  g->Resize(899, 500, 1.75f, true);
  k->GetParam(kPluginScale)->Set(1.75);
  ASSERT_EQ(g->GetDrawScale(), 1.75f);
  g->ClearCalls();
  Click(*g, 8.f, 33.f);
  EXPECT_EQ(g->Width(), 899);
  EXPECT_EQ(g->Height(), 500);
  EXPECT_EQ(g->GetDrawScale(), 1.f);
  EXPECT_EQ(k->GetParam(kPluginScale)->Value(), 1.0);
  EXPECT_TRUE(k->hostEdits.empty());
  EXPECT_EQ(g->Count("DrawResize"), 1);
  // The click splash runs on the button.
  EXPECT_TRUE(g->GetControl(5)->GetAnimationFunction());
  // Nothing happens for a button outside an editor.
  ResetEditorSizeAction(nullptr);
}

// The editor opens at the plug-in's scale, limited to its range whatever was stored; through the
// delegate the context has the editor's size and every control.
TEST_F(Actions, OpensAtThePluginScale)
{
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const struct
  {
    double stored;
    float scale;
  } cases[] = {{1.0, 1.f},  {1.5, 1.5f}, {2.0, 2.f}, {1.234, 1.234f}, {5.0, 2.f},
               {-3.0, 1.f}, {nan, 1.f},  {inf, 2.f}, {-inf, 1.f}};
  for (const auto& c : cases) {
    k->GetParam(kPluginScale)->Set(c.stored);
    EXPECT_FLOAT_EQ(EditorOpeningScale(*k), c.scale) << c.stored;
  }
  for (float scale : {1.5f, 2.f}) {
    Renew(); // a plug-in whose editor never opened: no size or scale kept from an earlier one
    k->GetParam(kPluginScale)->Set(scale);
    const ICanvas& ui = OpenThroughPlugin(EditorOpeningScale(*k));
    EXPECT_EQ(ui.GetDrawScale(), scale);
    EXPECT_EQ(ui.Width(), 899);
    EXPECT_EQ(ui.Height(), 500);
    EXPECT_EQ(ui.NControls(), kNumControls);
    k->CloseWindow();
    EXPECT_EQ(k->GetUI(), nullptr);
  }
  // Whatever the platform's factory gives, it is the editor's size at the plug-in's scale.
  k->GetParam(kPluginScale)->Set(1.5);
  if (std::unique_ptr<ICanvas> made{CreateEditorGraphics(*k)}) {
    EXPECT_EQ(made->GetDrawScale(), 1.5f);
    EXPECT_EQ(made->Width(), 899);
    EXPECT_EQ(made->Height(), 500);
  }
}

// The copy actions of a button outside a plug-in's editor do nothing.
TEST_F(Actions, CopyOutsideAnEditorDoesNothing)
{
  CopyAToBAction(nullptr);
  CopyBToAAction(nullptr);
  Lay();
  const Snapshot b = k->Comparison().Slot(1);
  auto* loose = new RecordingControl(IRECT(0, 0, 1, 1));
  CopyAToBAction(loose);
  EXPECT_EQ(k->Comparison().Slot(1), b);
  delete loose;
}

// The editor's zoom reaches "Plugin Scale" at the next idle tick, limited to its range (the
// parameter is not stepped, so it is not snapped), without a host edit; a tick with the zoom
// unchanged leaves a value set since (a preset recall) alone.
TEST_F(Actions, IdleMirrorsTheEditorZoomIntoPluginScale)
{
  RecordingCanvas& ui = OpenThroughPlugin();
  k->OnIdle();
  EXPECT_EQ(k->GetParam(kPluginScale)->Value(), 1.0);
  ui.Resize(899, 500, 1.374f, true);
  k->OnIdle();
  EXPECT_EQ(k->GetParam(kPluginScale)->Value(), double(1.374f));
  ui.Resize(899, 500, 3.f, true);
  k->OnIdle();
  EXPECT_EQ(k->GetParam(kPluginScale)->Value(), 2.0);
  k->GetParam(kPluginScale)->Set(1.5);
  k->OnIdle();
  EXPECT_EQ(k->GetParam(kPluginScale)->Value(), 1.5);
  EXPECT_TRUE(k->hostEdits.empty());
  k->CloseWindow();
}

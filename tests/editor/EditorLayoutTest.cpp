#include "editor/EditorLayout.h"

#include "editor/EditorTestSupport.h"
#include "editor/PresetControllerMenu.h"
#include "editor/VUMeterControl.h"
#include "graphics/control/IKnobControlBase.h"
#include "graphics/control/IVectorBase.h"
#include "graphics/controls/ITextControl.h"
#include "support/ui/FrameDriver.h"
#include "support/ui/RecordingCanvas.h"

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace editortest;
using namespace kelmotest;
using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

constexpr int kPictureW = RecordingEditor::kPictureW;
constexpr int kPictureH = RecordingEditor::kPictureH;
constexpr int kNumControls = RecordingEditor::kNumControls;
using Layout = RecordingEditor;

// One expected control: its class, rectangle (all zero: not checked here) and parameter.
struct Want
{
  std::string cls;
  IRECT rect;
  int param = -1;
};

const std::string kNs = "plugin::ui::";

// A picture of frames frames, side by side or stacked, placed at (x, y).
Want Picture(const char* cls, float x, float y, int frames, bool horizontal, int param)
{
  const float w = horizontal ? float(kPictureW / frames) : float(kPictureW);
  const float h = horizontal ? float(kPictureH) : float(kPictureH / frames);
  return {kNs + cls, IRECT(x, y, x + w, y + h), param};
}
Want Switch(float x, float y, int frames, bool horizontal, int param)
{
  return Picture("IBSwitchControl", x, y, frames, horizontal, param);
}
Want Plain(const char* cls, IRECT rect = {}, int param = -1)
{
  return {kNs + cls, rect, param};
}

std::vector<Want> ExpectedControls()
{
  std::vector<Want> w = {Plain("IBitmapControl"),
                         Plain("IRTTextControl<1, float>", {365, 131, 402, 151}),
                         Plain("IRTTextControl<1, float>", {500, 131, 537, 151}),
                         Plain("VUMeterControl", {325.1f, 93, 442, 164}),
                         Plain("VUMeterControl", {460, 93, 576.9f, 164}),
                         Plain("IVButtonControl", {2, 27, 14, 39}),
                         Plain("ITextControl"),
                         Switch(425, 349, 2, false, 0),
                         Switch(60, 193, 2, false, 8),
                         Switch(796, 193, 2, false, 16),
                         Switch(211, 425, 2, true, 33),
                         Switch(799, 425, 2, true, 34),
                         Switch(145, 197, 2, false, 3),
                         Switch(734, 197, 2, false, 11),
                         Switch(211, 207, 2, true, 29),
                         Switch(650, 207, 2, true, 30),
                         Switch(353, 221, 2, false, 18),
                         Switch(526, 221, 2, false, 19),
                         Switch(353, 371, 2, false, 28)};
  const float knobX[] = {19, 167, 19, 167, 607, 755, 607, 755},
              knobY[] = {53, 53, 259, 259, 53, 53, 259, 259};
  const int knobParam[] = {1, 2, 4, 5, 9, 10, 12, 13};
  for (int i = 0; i < 8; ++i)
    w.push_back(Picture("IBKnobRotaterControl", knobX[i] + 6, knobY[i] + 15, 1, false, knobParam[i]));
  for (int i = 0; i < 8; ++i)
    w.push_back(Picture("IBKnobRotaterControl", knobX[i], knobY[i], 1, false, knobParam[i]));
  for (int i = 0; i < 8; ++i)
    w.push_back(Picture("IBKnobControl", knobX[i], knobY[i], 1, false, knobParam[i]));
  const std::vector<Want> rest = {
      Picture("IBKnobRotaterControl", 354, 305, 1, false, 17),
      Picture("IBKnobRotaterControl", 527, 305, 1, false, 31),
      Picture("IBKnobRotaterControl", 527, 381, 1, false, 32),
      Switch(477, 440, 5, false, 20),
      Switch(335, 440, 2, false, 21),
      Switch(664, 6, 2, false, 23),
      Picture("IBKnobRotaterControl", 33, 421, 1, false, 7),
      Picture("IBKnobRotaterControl", 105, 421, 1, false, 6),
      Picture("IBKnobRotaterControl", 620, 421, 1, false, 15),
      Picture("IBKnobRotaterControl", 692, 421, 1, false, 14),
      Plain("IVToggleControl", {27, 456, 70, 478}, 38),
      Plain("IVToggleControl", {614, 456, 657, 478}, 39),
      Plain("IURLControl", {333, 484, 572, 491}),
      Plain("IURLControl", {406, 72, 496, 83}),
      Plain("IURLControl", {746, 484, 860, 491}),
      Plain("ICaptionControl", {382, 308, 415, 323}, 17),
      Plain("ICaptionControl", {487, 308, 520, 323}, 31),
      Plain("ICaptionControl", {487, 384, 520, 399}, 32),
      Plain("ICaptionControl", {65, 163, 101, 176}, 1),
      Plain("ICaptionControl", {213, 163, 249, 176}, 2),
      Plain("ICaptionControl", {65, 369, 101, 382}, 4),
      Plain("ICaptionControl", {213, 369, 249, 382}, 5),
      Plain("ICaptionControl", {653, 163, 689, 176}, 9),
      Plain("ICaptionControl", {801, 163, 837, 176}, 10),
      Plain("ICaptionControl", {653, 369, 689, 382}, 12),
      Plain("ICaptionControl", {801, 369, 837, 382}, 13),
      Plain("ICaptionControl", {62, 424, 106, 436}, 6),
      Plain("ICaptionControl", {649, 424, 693, 436}, 14),
      Plain("ICaptionControl", {62, 437, 106, 449}, 7),
      Plain("ICaptionControl", {649, 437, 693, 449}, 15),
      Plain("ICaptionControl", {258, 437, 295, 452}, 35),
      Plain("ICaptionControl", {846, 437, 883, 452}, 36),
      Plain("ICaptionControl", {112, 455, 136, 471}, 40),
      Plain("ICaptionControl", {699, 455, 723, 471}, 41),
      Plain("IVKnobControl", {91, 456, 109, 472}, 42),
      Plain("IVKnobControl", {679, 456, 696, 472}, 43),
      Plain("ICaptionControl", {829, 5, 869, 20}, 22),
      Plain("IVKnobControl", {873, 5, 890, 22}, 22),
      Plain("ICaptionControl", {675, 480, 704, 495}, 27),
      Plain("IVKnobControl", {653, 480, 670, 497}, 27),
      Plain("ICaptionControl", {67, 480, 107, 495}, 24),
      Plain("IVKnobControl", {111, 480, 128, 497}, 24),
      Plain("ICaptionControl", {210, 480, 250, 495}, 25),
      Plain("IVKnobControl", {254, 480, 271, 497}, 25),
      Plain("IVButtonControl", {102, 3, 127, 22}),
      Plain("IVButtonControl", {188, 3, 213, 22}),
      Plain("ITextControl"),
      Plain("ITextControl"),
      Plain("IVRadioButtonControl", {98, 3, 271, 22}, 37),
      Plain("IVButtonControl", {209, 3, 277, 22}),
      Plain("ITextControl"),
      Plain("IVButtonControl", {131, 3, 156, 22}),
      Plain("IVButtonControl", {159, 3, 184, 22}),
      Plain("PresetControllerMenu", {250, 1, 650, 24}),
      // The preset bar's children: step back, step on, name display, button frame, save, delete.
      Plain("IVButtonControl"),
      Plain("IVButtonControl"),
      Plain("IVButtonControl"),
      Plain("IVButtonControl"),
      Plain("IBButtonControl"),
      Plain("IBButtonControl"),
      Plain("IVButtonControl", {7, 5, 22, 20}),
  };
  w.insert(w.end(), rest.begin(), rest.end());
  return w;
}

// Centre of a rectangle.
std::pair<float, float> Centre(const IRECT& r)
{
  return {r.MW(), r.MH()};
}

} // namespace

// The background, then every control in drawing order with the preset bar's children right after
// the bar; classes, parameters and rectangles (bitmap controls: one frame of the loaded picture).
TEST_F(Layout, AttachesEveryControlInOrder)
{
  Lay();
  const std::vector<Want> want = ExpectedControls();
  ASSERT_EQ(want.size(), size_t(kNumControls));
  ASSERT_EQ(g->NControls(), kNumControls);
  for (int i = 0; i < kNumControls; ++i) {
    SCOPED_TRACE("control " + std::to_string(i));
    const Want& w = want[size_t(i)];
    EXPECT_EQ(ClassOf(*At(i)), w.cls);
    EXPECT_EQ(At(i)->GetParamIdx(), w.param);
    if (w.rect != IRECT()) {
      EXPECT_EQ(At(i)->GetBounds(), w.rect);
    }
  }
  for (int i = 97; i <= 102; ++i)
    EXPECT_EQ(At(i)->GetParent(), At(96)) << i;
  EXPECT_NE(g->GetCornerResizer(), nullptr);
  EXPECT_NE(g->GetTextEntryControl(), nullptr);
}

// The texts fitted to their strings stay centred where the layout put them.
TEST_F(Layout, FittedTextsKeepTheirCentres)
{
  Lay();
  const struct
  {
    int idx;
    const char* text;
    IRECT placed;
  } texts[] = {{6, "v1.0.7 x86_64 VST3", {372, 462, 527, 473}},
               {89, "A", {110, 3, 122, 22}},
               {90, "B", {196, 3, 208, 22}},
               {93, "->       <-", {131, 3, 184, 22}}};
  for (const auto& t : texts) {
    const auto* text = dynamic_cast<const ITextControl*>(At(t.idx));
    ASSERT_NE(text, nullptr) << t.idx;
    EXPECT_STREQ(text->GetStr(), t.text);
    EXPECT_EQ(Centre(text->GetBounds()), Centre(t.placed)) << t.text;
    // The recording canvas measures half the size per character.
    EXPECT_FLOAT_EQ(text->GetBounds().W(), 0.5f * text->GetText().mSize * float(std::strlen(t.text)));
  }
}

// Tags 0 to 3 name the meters and readouts and nothing else; the six vector knobs and the info
// button form the "vcontrols" group, every other control has none.
TEST_F(Layout, TagsAndGroups)
{
  Lay();
  EXPECT_EQ(g->GetControlWithTag(0), At(3));
  EXPECT_EQ(g->GetControlWithTag(1), At(4));
  EXPECT_EQ(g->GetControlWithTag(2), At(1));
  EXPECT_EQ(g->GetControlWithTag(3), At(2));
  for (int tag : {-1, 4, 66})
    EXPECT_EQ(g->GetControlWithTag(tag), nullptr) << tag;
  std::vector<int> grouped;
  for (int i = 0; i < g->NControls(); ++i)
    if (std::string(At(i)->GetGroup()) == "vcontrols")
      grouped.push_back(i);
    else
      EXPECT_STREQ(At(i)->GetGroup(), "") << i;
  EXPECT_EQ(grouped, (std::vector<int>{77, 78, 80, 82, 84, 86, 103}));
}

// The big knobs' three layers keep gearing 4; the trims, side-chain knobs and vector knobs turn
// eight times finer; every knob drags vertically.
TEST_F(Layout, KnobGearing)
{
  Lay();
  std::map<int, double> gearing;
  for (int i = 0; i < g->NControls(); ++i)
    if (const auto* knob = dynamic_cast<const IKnobControlBase*>(At(i))) {
      gearing[i] = knob->GetGearing();
      EXPECT_EQ(knob->GetDirection(), EDirection::Vertical) << i;
    }
  std::map<int, double> want;
  for (int i = 19; i <= 42; ++i)
    want[i] = 4.0;
  for (int i : {43, 44, 45, 49, 50, 51, 52, 77, 78, 80, 82, 84, 86})
    want[i] = 32.0;
  EXPECT_EQ(gearing, want);
}

// The info button is the last control, named by its label; the reset button and the comparison
// buttons carry no label.
TEST_F(Layout, InfoButtonLabelAndButtonTexts)
{
  Lay();
  const auto* info = dynamic_cast<const IVectorBase*>(At(kNumControls - 1));
  ASSERT_NE(info, nullptr);
  EXPECT_STREQ(info->GetLabelStr(), "-- INFO --");
  for (int i : {5, 87, 88, 92, 94, 95})
    EXPECT_STREQ(dynamic_cast<const IVectorBase*>(At(i))->GetLabelStr(), "") << i;
  const char* knobLabels[] = {"L SC Blend",   "R SC Blend", "Level Calibration",
                              "Noise Amount", "Input Gain", "Output Gain"};
  const int knobs[] = {77, 78, 80, 82, 84, 86};
  for (int i = 0; i < 6; ++i)
    EXPECT_STREQ(dynamic_cast<const IVectorBase*>(At(knobs[i]))->GetLabelStr(), knobLabels[i]);
}

// Fonts under their names from the bundle's files; every picture at scale 2, "SCF.png" included.
TEST_F(Layout, LoadsTheFontsAndPictures)
{
  Lay();
  std::vector<std::string> fonts;
  for (const CanvasCall& c : g->CallsNamed("LoadPlatformFont"))
    fonts.push_back(c.text);
  EXPECT_EQ(fonts, (std::vector<std::string>{"Roboto-Regular.ttf", "RobotoMono-Bold.ttf", "Lato-Bold.ttf"}));
  std::multiset<std::string> pictures;
  for (const CanvasCall& c : g->CallsNamed("LoadAPIBitmap")) {
    pictures.insert(std::filesystem::path(c.text).filename().string());
    EXPECT_EQ(c.args[0], 2.0) << c.text;
  }
  for (const char* name : {"Bypass@2x.png", "Delta@2x.png", "CTRLLINK@2x.png", "MiniFlipperVertAnim@2x.png",
                           "FlipperTwoAnim@2x.png", "Nuppi@2x.png", "NuppiOverlay@2x.png",
                           "NuppiVarjo@2x.png", "Oversampling@2x.png", "Trim@2x.png", "Power@2x.png",
                           "SCF@2x.png", "MiniNuppi@2x.png", "background@2x.jpg"})
    EXPECT_EQ(pictures.count(name), 1u) << name;
}

// A second layout on the same context adds nothing, and opening the editor again (a fresh
// context) adds no second set of display texts.
TEST_F(Layout, SecondLayoutAddsNothing)
{
  Lay();
  const int calls = int(g->calls.size());
  const int texts = k->GetParam(kLThreshold)->NDisplayTexts();
  EXPECT_EQ(texts, 2);
  Lay();
  LayoutEditor(*k, g.get());
  LayoutEditor(*k, nullptr);
  EXPECT_EQ(g->NControls(), kNumControls);
  EXPECT_EQ(int(g->calls.size()), calls);
  g = MakeCanvas();
  Lay();
  EXPECT_EQ(g->NControls(), kNumControls);
  EXPECT_EQ(k->GetParam(kLThreshold)->NDisplayTexts(), texts);
}

// Captions show the display texts the layout sets exactly at their values, numbers elsewhere, and
// the unit where the layout asks for it.
TEST_F(Layout, CaptionsShowDisplayTextsAtTheirValues)
{
  Lay();
  FrameDriver frames(*g);
  const struct
  {
    int idx, param;
    double value;
    const char* text;
  } cases[] = {{61, kLWetGain, -16.0, "-inf"},
               {61, kLWetGain, -15.9, "-15.9"},
               {65, kRWetGain, -16.0, "-inf"},
               {62, kLThreshold, 36.0, "-inf"},
               {62, kLThreshold, 0.0, "dB"},
               {62, kLThreshold, 12.5, "-12.5"},
               {66, kRThreshold, 36.0, "-inf"},
               {71, kLSidechainGain, 0.0, "dB"},
               {71, kLSidechainGain, -3.0, "-3.0"},
               {70, kRSidechainFrequency, 10.0, "Hz"},
               {69, kLSidechainFrequency, 150.0, "150"},
               {58, kVariGain, 30.0, "30 %"},
               {79, kLevelCalibration, 0.0, "dB "},
               {83, kInputGain, 0.0, "dB "},
               {85, kOutputGain, 2.5, "2.5 "},
               {73, kLSyncRelease, 3.0, "1/4"},
               {75, kLSidechainInput, 2.0, "ext 1"}};
  for (const auto& c : cases) {
    k->GetParam(c.param)->Set(c.value);
    g->SetAllControlsDirty();
    frames.Tick();
    EXPECT_STREQ(dynamic_cast<const ITextControl*>(At(c.idx))->GetStr(), c.text)
        << c.param << " at " << c.value;
  }
}

// Pictures and fonts that cannot be loaded leave every control in place; the bitmap controls
// shrink to their corner and draw nothing, and a frame draws without them.
TEST_F(Layout, MissingPicturesAndFontsLeaveTheLayoutComplete)
{
  g->failBitmapLoads = true;
  g->failFontLoads = true;
  Lay();
  ASSERT_EQ(g->NControls(), kNumControls);
  const std::vector<Want> want = ExpectedControls();
  for (int i = 1; i < kNumControls; ++i) {
    EXPECT_EQ(ClassOf(*At(i)), want[size_t(i)].cls) << i;
    if (want[size_t(i)].cls.starts_with(kNs + "IB") && want[size_t(i)].rect != IRECT()) {
      const IRECT& r = want[size_t(i)].rect;
      EXPECT_EQ(At(i)->GetBounds(), IRECT(r.L, r.T, r.L, r.T)) << i;
    }
  }
  FrameDriver frames(*g);
  g->ClearCalls();
  g->SetAllControlsDirty();
  EXPECT_TRUE(frames.Tick());
  EXPECT_EQ(g->Count("DrawBitmap"), 0);
}

// The user file's scale is read back when the editor is laid out; the open editor keeps its own.
TEST_F(Layout, ReadsTheScaleOfUserSlotZeroLast)
{
  WriteSlot(0, R"({"Params":{"26":1.75,"1":5.0},"PresetName":"Zoom"})");
  g = MakeCanvas();
  Lay();
  EXPECT_DOUBLE_EQ(k->GetParam(kPluginScale)->Value(), 1.75);
  EXPECT_EQ(k->GetParam(kLWetGain)->Value(), 0.0);
  EXPECT_EQ(g->GetDrawScale(), 1.f);
  EXPECT_TRUE(k->hostEdits.empty());
}

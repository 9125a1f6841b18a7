#include "framework/params/IParam.h"

#include <gtest/gtest.h>

#include <string>

using plugin::IParam;
using plugin::StringBuf;

namespace {
std::string Display(const IParam& p, double v, bool normalized = false, bool withTexts = true)
{
  StringBuf out;
  p.GetDisplay(v, normalized, out, withTexts);
  return out.Get();
}
} // namespace

TEST(IParamInit, WrappersSetTypeUnitLabelAndFlags)
{
  IParam b;
  b.InitBool("On", true, "", IParam::kFlagMarked, "grp", "Off", "On");
  EXPECT_EQ(b.Type(), IParam::kTypeBool);
  EXPECT_EQ(b.GetFlags(), IParam::kFlagMarked | IParam::kFlagStepped);
  EXPECT_EQ(b.Value(), 1.0);
  EXPECT_STREQ(b.GetGroup(), "grp");
  EXPECT_STREQ(b.GetDisplayText(0), "Off");

  struct Case
  {
    void (*init)(IParam&);
    IParam::EParamUnit unit;
    const char* label;
    double step;
  };
  const Case cases[] = {
      {[](IParam& p) { p.InitSeconds("s", 1, 0, 10, 0.1); }, IParam::kUnitSeconds, "Seconds", 0.1},
      {[](IParam& p) { p.InitMilliseconds("m", 1, 0, 100); }, IParam::kUnitMilliseconds, "ms", 1},
      {[](IParam& p) { p.InitGain("g", 0, -70, 24, 0.5); }, IParam::kUnitDB, "dB", 0.5},
      {[](IParam& p) { p.InitPercentage("p", 0, 0, 100); }, IParam::kUnitPercentage, "%", 1},
      {[](IParam& p) { p.InitAngleDegrees("a", 0, 0, 360); }, IParam::kUnitDegrees, "degrees", 1},
  };
  for (const Case& c : cases) {
    IParam p;
    c.init(p);
    EXPECT_EQ(p.Type(), IParam::kTypeDouble);
    EXPECT_EQ(p.Unit(), c.unit);
    EXPECT_STREQ(p.GetLabelText(), c.label);
    EXPECT_EQ(p.GetStep(), c.step);
    EXPECT_EQ(p.GetFlags(), 0);
  }
}

TEST(IParamInit, EnumsFromCountedAndListedTexts)
{
  IParam e;
  e.InitEnum("Mode", 1, {"A", "B", "C"});
  EXPECT_EQ(e.Type(), IParam::kTypeEnum);
  EXPECT_EQ(e.GetMax(), 2.0);
  EXPECT_EQ(e.NDisplayTexts(), 3);
  EXPECT_EQ(Display(e, 1), "B");

  IParam f;
  f.InitEnum("Count", 0, 4, "x", 0, "", {"one", "two"}); // fewer texts than values
  EXPECT_EQ(f.GetMax(), 3.0);
  EXPECT_EQ(f.NDisplayTexts(), 2);
  IParam g;
  g.InitEnum("Extra", 0, 2, "", 0, "", {"a", "b", "c"}); // more texts than values
  EXPECT_EQ(g.NDisplayTexts(), 2);
  IParam h;
  h.InitEnum("None", 0, 3, "", 0, "", {nullptr, "b"}); // no item 0: no texts
  EXPECT_EQ(h.NDisplayTexts(), 0);
}

TEST(IParamInit, TextsAreTruncatedToTheirFields)
{
  const std::string longText(100, 'n');
  IParam p;
  p.InitBool(longText.c_str(), false, longText.c_str(), 0, longText.c_str(), longText.c_str(), nullptr);
  EXPECT_EQ(std::string(p.GetName()), std::string(31, 'n'));
  EXPECT_EQ(std::string(p.GetLabelText()), std::string(31, 'n'));
  EXPECT_EQ(std::string(p.GetGroup()), std::string(31, 'n'));
  EXPECT_EQ(std::string(p.GetDisplayText(0)), std::string(31, 'n'));
  EXPECT_STREQ(p.GetDisplayText(1), ""); // null text reads as ""
  IParam q;
  q.InitDouble(nullptr, 0, 0, 1, 0.1, nullptr, 0, nullptr);
  EXPECT_STREQ(q.GetName(), "");
}

TEST(IParamInit, PitchNamesNotesByOctaveFlag)
{
  IParam p;
  p.InitPitch("Note", 0, 60, 72, 0, "", true);
  EXPECT_EQ(p.GetMax(), 12.0);
  EXPECT_EQ(Display(p, 0), "C 4");
  EXPECT_EQ(Display(p, 1), "C#4");
  EXPECT_EQ(Display(p, 12), "C 5");
  IParam q;
  q.InitPitch("Note", 0, 60, 61, 0, "", false);
  EXPECT_EQ(Display(q, 0), "C 3");

  IParam low; // notes below 0 keep a proper name and octave
  low.InitPitch("Low", 0, -13, 0, 0, "", true);
  EXPECT_EQ(Display(low, 0), "B -3");
  EXPECT_EQ(Display(low, 1), "C -2");
  EXPECT_EQ(Display(low, 12), "B -2");
  EXPECT_EQ(Display(low, 13), "C -1");
}

TEST(IParamInit, CopyWithRename)
{
  IParam left;
  left.InitGain("Left Gain", -3, -24, 24, 0.5, IParam::kFlagSignDisplay, "Left");
  left.SetDisplayText(0, "unity");
  left.Set(6);
  IParam right;
  right.Init(left, "Left", "Right", "Right");
  EXPECT_STREQ(right.GetName(), "Right Gain");
  EXPECT_STREQ(right.GetGroup(), "Right");
  EXPECT_STREQ(right.GetLabelText(), "dB");
  EXPECT_EQ(right.Value(), -3.0); // the default, not the source's value
  EXPECT_EQ(right.GetFlags(), IParam::kFlagSignDisplay);
  EXPECT_EQ(right.Type(), IParam::kTypeDouble);
  EXPECT_EQ(right.Unit(), IParam::kUnitDB);
  EXPECT_EQ(right.GetDisplayPrecision(), 1);
  EXPECT_STREQ(right.GetDisplayText(0), "unity");

  IParam cut;
  cut.Init(left, "Left ", "", "");
  EXPECT_STREQ(cut.GetName(), "Gain");
  EXPECT_STREQ(cut.GetGroup(), "Left");

  IParam nullArgs;
  nullArgs.Init(left, nullptr, nullptr, nullptr);
  EXPECT_STREQ(nullArgs.GetName(), "Left Gain");

  IParam longer; // a longer replacement is cut to the name field
  longer.Init(left, "Left", "An Extremely Long Replacement Name", "");
  EXPECT_EQ(std::string(longer.GetName()).size(), 31u);

  left.Init(left, "Left", "Both", ""); // a parameter may be its own source
  EXPECT_STREQ(left.GetName(), "Both Gain");
  EXPECT_EQ(left.NDisplayTexts(), 2); // texts appended to those already present
}

TEST(IParamInit, ReinitResetsValueAndPrecision)
{
  IParam p;
  p.InitDouble("a", 0.5, 0, 1, 0.25);
  p.SetDisplayPrecision(4);
  p.Set(0.75);
  p.InitDouble("a", 0.2, 0, 1, 0.1);
  EXPECT_EQ(p.Value(), 0.2);
  EXPECT_EQ(p.GetDisplayPrecision(), 1);
}

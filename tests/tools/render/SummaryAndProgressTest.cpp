// Levels, the --json summary and the progress bar.
#include "tools/render/LevelMeter.h"
#include "tools/render/ProgressBar.h"
#include "tools/render/RenderSummary.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <sstream>

using namespace kelmo::render;

TEST(LevelMeter, PeakAndRmsInDbfs)
{
  LevelMeter sine;
  for (int i = 0; i < 48000; ++i)
    sine.Add(0.5 * std::sin(2.0 * M_PI * 1000.0 * i / 48000.0));
  EXPECT_NEAR(*sine.PeakDbfs(), 20.0 * std::log10(0.5), 1e-12);
  EXPECT_NEAR(*sine.RmsDbfs(), 20.0 * std::log10(0.5 / std::sqrt(2.0)), 1e-9);

  // Non-finite samples count as silence, as the plug-in processes them.
  LevelMeter hostile;
  hostile.Add(std::numeric_limits<double>::quiet_NaN());
  hostile.Add(std::numeric_limits<double>::infinity());
  hostile.Add(-1.0);
  hostile.Add(0.0);
  EXPECT_EQ(hostile.Peak(), 1.0);
  EXPECT_EQ(hostile.Rms(), 0.5);
  EXPECT_EQ(hostile.Count(), 4);

  LevelMeter silent;
  silent.Add(0.0);
  EXPECT_FALSE(silent.PeakDbfs());
  EXPECT_FALSE(silent.RmsDbfs());
  EXPECT_FALSE(LevelMeter().RmsDbfs());
}

TEST(RenderSummary, JsonHoldsEveryFieldAndNullForTheMissing)
{
  RenderSummary s;
  s.path = "engine";
  s.frames = 96000;
  s.sampleRate = 48000.0;
  s.blockSize = 256;
  s.precisionBits = 32;
  s.processSeconds = 0.01;
  RenderSummary::Channel a;
  a.inputPeakDbfs = -6.0;
  a.inputRmsDbfs = -9.0;
  a.outputPeakDbfs = -7.5;
  a.outputRmsDbfs = -11.0;
  a.meter = MeterReading{-3.25, 0.4};
  RenderSummary::Channel silent; // silence in and out, no meter
  s.channels = {a, silent};

  const nlohmann::json j = nlohmann::json::parse(SummaryJson(s));
  EXPECT_EQ(j["frames"], 96000);
  EXPECT_EQ(j["sample_rate"], 48000.0);
  EXPECT_EQ(j["seconds"], 2.0);
  EXPECT_EQ(j["block_size"], 256);
  EXPECT_EQ(j["precision"], 32);
  EXPECT_EQ(j["path"], "engine");
  EXPECT_DOUBLE_EQ(j["realtime_factor"].get<double>(), 200.0);
  ASSERT_EQ(j["channels"].size(), 2u);
  EXPECT_EQ(j["channels"][0]["input_peak_dbfs"], -6.0);
  EXPECT_EQ(j["channels"][0]["input_rms_dbfs"], -9.0);
  EXPECT_EQ(j["channels"][0]["output_peak_dbfs"], -7.5);
  EXPECT_EQ(j["channels"][0]["output_rms_dbfs"], -11.0);
  EXPECT_EQ(j["channels"][0]["meter_gain_reduction_db"], -3.25);
  EXPECT_EQ(j["channels"][0]["meter_needle"], 0.4);
  for (const char* key : {"input_peak_dbfs", "input_rms_dbfs", "output_peak_dbfs", "output_rms_dbfs",
                          "meter_gain_reduction_db", "meter_needle"})
    EXPECT_TRUE(j["channels"][1][key].is_null()) << key;

  s.processSeconds = 0.0;
  EXPECT_TRUE(nlohmann::json::parse(SummaryJson(s))["realtime_factor"].is_null());
}

TEST(ProgressBar, SilentForShortRendersAndOffATerminal)
{
  double now = 100.0;
  auto clock = [&] { return now; };
  std::ostringstream off;
  ProgressBar disabled(off, false, 480000, 48000.0, clock);
  now = 200.0;
  disabled.Update(240000);
  disabled.Finish();
  EXPECT_TRUE(off.str().empty());

  now = 100.0;
  std::ostringstream quick;
  ProgressBar shortRender(quick, true, 480000, 48000.0, clock);
  now = 100.0 + ProgressBar::kDelaySeconds * 0.9;
  shortRender.Update(480000);
  shortRender.Finish();
  EXPECT_TRUE(quick.str().empty());
}

TEST(ProgressBar, DrawsAfterTheDelayAtMostTenTimesASecondAndClearsItsLine)
{
  double now = 0.0;
  auto clock = [&] { return now; };
  std::ostringstream out;
  ProgressBar bar(out, true, 480000, 48000.0, clock);
  now = ProgressBar::kDelaySeconds + 0.5;
  bar.Update(120000);
  EXPECT_TRUE(bar.Drawn());
  const std::string first = out.str();
  EXPECT_NE(first.find(" 25%"), std::string::npos) << first;
  EXPECT_NE(first.find("2.5 / 10.0 s"), std::string::npos) << first;
  EXPECT_EQ(first.find('\n'), std::string::npos);
  now = ProgressBar::kDelaySeconds + 0.55;
  bar.Update(240000); // too soon for a redraw
  EXPECT_EQ(out.str(), first);
  now = ProgressBar::kDelaySeconds + 0.7;
  bar.Update(480000);
  EXPECT_NE(out.str().find("100%"), std::string::npos);
  bar.Finish();
  EXPECT_EQ(out.str().substr(out.str().size() - 4), "\r\033[K");
  EXPECT_FALSE(bar.Drawn());

  // Unknown length: seconds only.
  std::ostringstream open;
  now = 0.0;
  ProgressBar unknown(open, true, -1, 48000.0, clock);
  now = ProgressBar::kDelaySeconds + 0.1;
  unknown.Update(96000);
  EXPECT_NE(open.str().find("2.0 s"), std::string::npos) << open.str();
  EXPECT_EQ(open.str().find('%'), std::string::npos);
}

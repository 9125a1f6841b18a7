// Renders at rates the signal path passes through, or at which its compression weakens, say so in
// the summary and on the terminal, through the engine and through the bundle alike.
#include "tests/tools/render/RenderTestSupport.h"

#include <nlohmann/json.hpp>

using namespace rendertest;

namespace {

enum class Expect { None, PassThrough, Weaker };

struct RateCase
{
  const char* rate;
  bool viaBundle;
  Expect expect;
};

} // namespace

TEST(SampleRateWarning, SummaryAndTerminalNameTheRatesTheCompressorDoesNotFullyProcess)
{
  const RateCase cases[] = {
      {"4000", false, Expect::PassThrough}, {"7999", false, Expect::PassThrough},
      {"8000", false, Expect::None},        {"48000", false, Expect::None},
      {"192000", false, Expect::None},      {"192001", false, Expect::Weaker},
      {"384000", false, Expect::Weaker},    {"768000", false, Expect::Weaker},
      {"4000", true, Expect::PassThrough},  {"48000", true, Expect::None},
      {"384000", true, Expect::Weaker},
  };
  TempFolder dir;
  for (const RateCase& c : cases) {
    SCOPED_TRACE(std::string(c.rate) + (c.viaBundle ? " through the bundle" : " through the engine"));
    std::vector<std::string> args = {"--signal", "sine:1000:-6", "--seconds", "0.05", "--rate", c.rate,
                                     "--param",  "L Threshold=20", "--json"};
    if (c.viaBundle) args.insert(args.end(), {"--vst3", KELMO_BUNDLE});
    args.push_back(dir / "out.wav");
    const CommandResult r = RunCommand(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    const auto& warnings = j["warnings"];
    if (c.expect == Expect::None) {
      EXPECT_TRUE(warnings.empty()) << warnings;
      EXPECT_TRUE(r.err.empty()) << r.err;
      continue;
    }
    ASSERT_EQ(warnings.size(), 1u) << warnings;
    const std::string text = warnings[0];
    EXPECT_EQ(r.err, "kelmo-render: warning: " + text + "\n");
    EXPECT_NE(text.find(std::string("at ") + c.rate + " Hz"), std::string::npos) << text;
    if (c.expect == Expect::PassThrough) {
      EXPECT_NE(text.find("passes the audio through unchanged"), std::string::npos) << text;
      EXPECT_NE(text.find("8000 Hz and above"), std::string::npos) << text;
      // The warning tells the truth: the output is the input.
      for (const auto& ch : j["channels"])
        EXPECT_EQ(ch["output_rms_dbfs"], ch["input_rms_dbfs"]);
    } else {
      EXPECT_NE(text.find("compression is weaker"), std::string::npos) << text;
      EXPECT_NE(text.find("above 192000 Hz"), std::string::npos) << text;
    }
  }
}

TEST(SampleRateWarning, HelpNamesTheProcessedRates)
{
  const CommandResult r = RunCommand({"--help"});
  ASSERT_EQ(r.exitCode, 0);
  for (const char* mention : {"processes 8000 Hz and above", "passes the\naudio through unchanged",
                              "Above 192000 Hz", "not at all near 768000 Hz"})
    EXPECT_NE(r.out.find(mention), std::string::npos) << mention;
}

// Renders at rates the signal path passes through, or at which its compression weakens, say so in
// the summary and on the terminal, through the engine and through the bundle alike.
#include "tests/tools/render/RenderTestSupport.h"

#include <nlohmann/json.hpp>

using namespace rendertest;

TEST(SampleRateWarning, SummaryTerminalAndHelpNameTheRatesTheCompressorDoesNotFullyProcess)
{
  const char* const through = "the compressor passes the audio through unchanged";
  const struct
  {
    std::string rate;
    bool viaBundle;
    const char* says; // what the warning says after "at RATE Hz", or nothing for no warning
  } rows[] = {{"7999", false, through},
              {"8000", false, nullptr},
              {"192001", false, "the compression is weaker"},
              {"4000", true, through}};
  TempFolder dir;
  for (const auto& row : rows) {
    std::vector<std::string> args = {"--signal", "sine:1000:-6", "--seconds", "0.05", "--rate", row.rate};
    if (row.viaBundle) args.insert(args.end(), {"--vst3", KELMO_BUNDLE});
    args.insert(args.end(), {"--json", dir / "out.wav"});
    const CommandResult r = RunCommand(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto warnings = nlohmann::json::parse(r.out)["warnings"];
    ASSERT_EQ(warnings.size(), row.says ? 1u : 0u) << row.rate << ": " << warnings;
    const std::string warning = row.says ? warnings[0].get<std::string>() : "";
    EXPECT_EQ(r.err, row.says ? "kelmo-render: warning: " + warning + "\n" : "");
    if (!row.says) continue;
    EXPECT_EQ(warning.find("at " + row.rate + " Hz " + row.says), 0u) << warning;
  }
  const std::string help = RunCommand({"--help"}).out;
  for (const char* limit : {"processes 8000 Hz and above", "Above 192000 Hz"})
    EXPECT_NE(help.find(limit), std::string::npos) << limit;
}

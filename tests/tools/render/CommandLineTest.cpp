// Reading the command line, and every way of asking for the impossible.
#include "tests/tools/render/RenderTestSupport.h"
#include "tools/render/RenderOptions.h"

#include <filesystem>

using namespace kelmo::render;
using namespace rendertest;

namespace {

RenderOptions Parsed(const std::vector<std::string>& args)
{
  const ParsedCommandLine p = ParseCommandLine(args);
  EXPECT_EQ(p.action, ParsedCommandLine::Action::Render) << p.error;
  return p.options;
}

std::string ParseError(const std::vector<std::string>& args)
{
  const ParsedCommandLine p = ParseCommandLine(args);
  EXPECT_EQ(p.action, ParsedCommandLine::Action::Fail);
  return p.error;
}

} // namespace

TEST(CommandLine, DefaultsAndEveryOption)
{
  const RenderOptions d = Parsed({"in.flac", "out.wav"});
  EXPECT_EQ(d.inputPath, "in.flac");
  EXPECT_EQ(d.outputPath, "out.wav");
  EXPECT_FALSE(d.signal);
  EXPECT_EQ(d.blockSize, 512);
  EXPECT_TRUE(d.doublePrecision);
  EXPECT_FALSE(d.tempoBpm);
  EXPECT_FALSE(d.json);
  EXPECT_FALSE(d.pcm24);

  // clang-format off
  const RenderOptions o = Parsed({"--signal", "sweep:20:20000:-12", "--seconds=2.5", "--rate", "44100",
                                  "--channels", "1", "--sidechain", "sc.wav", "--block", "37",
                                  "--precision", "32", "--preset", "42 dV", "--user-preset", "u.json",
                                  "--param", "L Threshold=20", "--param=4=3.5", "--json", "--pcm24",
                                  "--vst3", "K.vst3", "--tempo", "87", "OUT.WAV"});
  // clang-format on
  ASSERT_TRUE(o.signal);
  EXPECT_EQ(o.signal->kind, SignalRecipe::Kind::Sweep);
  EXPECT_EQ(o.signal->startHz, 20.0);
  EXPECT_EQ(o.signal->endHz, 20000.0);
  EXPECT_EQ(o.signal->levelDbfs, -12.0);
  EXPECT_EQ(o.seconds, 2.5);
  EXPECT_EQ(o.sampleRate, 44100);
  EXPECT_EQ(o.channels, 1);
  EXPECT_EQ(o.sidechainPath, "sc.wav");
  EXPECT_EQ(o.blockSize, 37);
  EXPECT_FALSE(o.doublePrecision);
  EXPECT_EQ(o.tempoBpm, 87.0);
  EXPECT_EQ(o.preset, "42 dV");
  EXPECT_EQ(o.userPresetPath, "u.json");
  EXPECT_EQ(o.params, (std::vector<std::string>{"L Threshold=20", "4=3.5"}));
  EXPECT_TRUE(o.json);
  EXPECT_TRUE(o.pcm24);
  EXPECT_EQ(o.vst3BundlePath, "K.vst3");
  EXPECT_EQ(o.outputPath, "OUT.WAV");

  EXPECT_EQ(Parsed({"--tempo", "93.5", "--signal", "silence", "o.wav"}).tempoBpm, 93.5);
  // "--" ends the options: a file may start with a dash.
  EXPECT_EQ(Parsed({"--", "-in.wav", "-out.wav"}).inputPath, "-in.wav");
  EXPECT_EQ(ParseCommandLine({"--help"}).action, ParsedCommandLine::Action::Help);
  EXPECT_EQ(ParseCommandLine({"x.wav", "-h", "--bogus"}).action, ParsedCommandLine::Action::Help);
}

TEST(CommandLine, SignalsAndTheirForms)
{
  SignalRecipe s;
  std::string error;
  ASSERT_TRUE(ParseSignalRecipe("sine:997:-6.5", s, error));
  EXPECT_EQ(s.kind, SignalRecipe::Kind::Sine);
  EXPECT_EQ(s.startHz, 997.0);
  EXPECT_EQ(s.levelDbfs, -6.5);
  ASSERT_TRUE(ParseSignalRecipe("noise:-20", s, error));
  EXPECT_EQ(s.kind, SignalRecipe::Kind::Noise);
  EXPECT_EQ(s.levelDbfs, -20.0);
  ASSERT_TRUE(ParseSignalRecipe("impulse", s, error));
  EXPECT_EQ(s.kind, SignalRecipe::Kind::Impulse);
  ASSERT_TRUE(ParseSignalRecipe("silence", s, error));
  EXPECT_EQ(s.kind, SignalRecipe::Kind::Silence);

  const std::pair<const char*, const char*> bad[] = {
      {"sine:1000", "sine:HZ:DBFS"},
      {"sine:1000:-6:2", "sine:HZ:DBFS"},
      {"sine:abc:-6", "not a number"},
      {"sine:0:-6", "above 0 Hz"},
      {"sine:-5:-6", "above 0 Hz"},
      {"sine:1000:loud", "not a number of dBFS"},
      {"sine:nan:-6", "not a number"},
      {"noise:inf", "not a number of dBFS"},
      {"noise", "noise:DBFS"},
      {"impulse:1", "impulse"},
      {"sweep:20:-6", "sweep:HZ1:HZ2:DBFS"},
      {"square:100:-6", "unknown --signal"},
      {"", "unknown --signal"},
  };
  for (const auto& [text, message] : bad) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ParseSignalRecipe(text, s, error));
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
  EXPECT_NE(ParseError({"--signal", "sine:24000:-6", "o.wav"}).find("below half the sample rate"),
            std::string::npos);
  EXPECT_NE(ParseError({"--rate", "8000", "--signal", "sweep:20:4000:-6", "o.wav"}).find("4000 Hz"),
            std::string::npos);
}

// Each bad command line: exit status 2, one line naming the problem, no output and no stray
// temporary file. Cases that need files or the plug-in are in the render tests.
TEST(CommandLine, BadInputIsOneLineAndStatusTwo)
{
  TempFolder dir;
  const std::string out = dir / "out.wav";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "missing INPUT and OUTPUT.wav"},
      {{out}, "missing INPUT or --signal"},
      {{"--signal", "silence"}, "missing OUTPUT.wav"},
      {{"a.wav", "b.wav", out}, "too many file arguments"},
      {{"--signal", "silence", "in.wav", out}, "either INPUT or --signal"},
      {{"--bogus", "in.wav", out}, "unknown option --bogus"},
      {{"--json=1", "in.wav", out}, "--json takes no value"},
      {{"in.wav", out, "--block"}, "--block needs a value"},
      {{"--block", "0", "in.wav", out}, "between 1 and 65536"},
      {{"--block", "65537", "in.wav", out}, "between 1 and 65536"},
      {{"--block", "12x", "in.wav", out}, "not a whole number"},
      {{"--block", "1", "--block", "2", "in.wav", out}, "more than once"},
      {{"--precision", "16", "in.wav", out}, "32 or 64"},
      {{"--channels", "3", "--signal", "silence", out}, "1 or 2"},
      {{"--rate", "0", "--signal", "silence", out}, "above 0 Hz"},
      {{"--rate", "-44100", "--signal", "silence", out}, "above 0 Hz"},
      {{"--rate", "44.1k", "--signal", "silence", out}, "not a whole number of Hz"},
      {{"--rate", "999999", "--signal", "silence", out}, "at most 768000"},
      {{"--seconds", "0", "--signal", "silence", out}, "above 0"},
      {{"--seconds", "ten", "--signal", "silence", out}, "not a number"},
      {{"--seconds", "0.000001", "--signal", "silence", out}, "shorter than one frame"},
      {{"--seconds", "2", "in.wav", out}, "--seconds only goes with --signal"},
      {{"--tempo", "0", "in.wav", out}, "above 0 BPM"},
      {{"--tempo", "nan", "in.wav", out}, "not a number"},
      {{"--preset", " ", "in.wav", out}, "needs a name or an index"},
      {{"--signal", "silence", dir / "out.aiff"}, "must be a .wav file"},
  };
  for (const auto& [args, message] : cases) {
    std::string joined;
    for (const auto& a : args)
      joined += "[" + a + "] ";
    SCOPED_TRACE(joined);
    const CommandResult r = RunCommand(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.rfind("kelmo-render: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_TRUE(dir.Entries().empty());
}

TEST(CommandLine, HelpGoesToStdoutWithStatusZero)
{
  const CommandResult r = RunCommand({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(r.err.empty());
  for (const char* mention :
       {"--signal", "--seconds", "--rate", "--channels", "--sidechain", "--block", "--precision", "--tempo",
        "--preset", "--user-preset", "--param", "--json", "--pcm24", "--vst3", "Triode / Pentode"})
    EXPECT_NE(r.out.find(mention), std::string::npos) << mention;
}

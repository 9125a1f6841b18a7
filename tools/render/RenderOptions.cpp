#include "tools/render/RenderOptions.h"

#include "tools/render/NumberText.h"
#include "tools/render/SampleRateNotes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

namespace kelmo::render {

namespace {

const char* const kUsageHead =
    R"(Usage: kelmo-render [options] [INPUT] OUTPUT.wav

Renders audio offline through the compressor: INPUT (any sound file the system's sound
file library reads, 1 or 2 channels) or a generated --signal, written to OUTPUT.wav as
32-bit float WAV (24-bit PCM with --pcm24) at the input's rate and channel count.
The output appears only when the render succeeded (it is written to a temporary file in
the same folder and renamed into place).

Input:
  --signal SIGNAL     generate the input instead of reading INPUT; SIGNAL is one of
                        sine:HZ:DBFS       a tone at peak level DBFS
                        noise:DBFS         uniform white noise within +-DBFS (fixed seed)
                        impulse            one full-scale sample at the start
                        silence
                        sweep:HZ1:HZ2:DBFS an exponential sweep over the whole length
                      levels from -200 to +40 dBFS
  --seconds S         length of the generated signal (default 4)
  --rate HZ           sample rate of the generated signal, a whole number (default 48000)
  --channels 1|2      channels of the generated signal (default 2)
  --sidechain FILE    external side-chain input (1 or 2 channels, same rate as the
                      input; shorter files are followed by silence). A mono file feeds
                      "SideChain L" only.

Processing:
  --block N           frames per processing block, 1 to 65536 (default 512)
  --precision 32|64   sample format handed to the plug-in (default 64)
  --tempo BPM         host tempo for the synced releases (default 120)
  --preset NAME|INDEX recall a factory preset by its exact name or index 0-31
  --user-preset FILE  apply a user preset file (JSON with "Params") over the preset or
                      the defaults, each value as stored (no left/right linking);
                      OverSampling, Delta and Comparison slot are never taken from it.
                      Members of the wrong type are ignored one by one; a file that is
                      not JSON is refused
  --param NAME=VALUE  set one parameter, after the presets, like host automation (so
                      "Link Channel Controls" copies left/right settings to the twin).
                      NAME is the parameter's exact name or its index 0-43; VALUE is in
                      the parameter's own unit (thresholds as the positive amount: 20
                      means -20 dB). "Triode / Pentode" names both channels' switch:
                      give its index, 29 (left) or 30 (right). Repeatable; applied in
                      order. Out-of-range values and fractions for switches and lists
                      are refused.
  --vst3 BUNDLE       render through a VST3 bundle's interfaces instead of the built-in
                      engine (no meter values)

Output:
  --json              print a summary on stdout: per channel the input and output peak
                      and RMS in dBFS (null for silence; the output as written), the
                      final meter values, the frames processed, the frames the input
                      declared, the clipped output samples, any warnings and the
                      real-time factor (audio seconds per second spent in the plug-in)
  --pcm24             write 24-bit PCM (clipped at full scale) instead of 32-bit float
                      (samples beyond the format are clipped, counted in the summary
                      and reported; outputs over 4 GiB are written as RF64)
  --help              show this text

Every render starts from a fresh plug-in at its defaults: the user's own preset of slot 0
is not read. A progress bar is shown on a terminal once a render has run for two seconds.

)";

// After the paragraph on sample rates, which is written from the engine's limits.
const char* const kUsageTail =
    R"(
Exit status: 0 on success, 2 for a bad command line (unknown option, parameter or preset,
a value that is not a number or out of range), 1 when a file cannot be read or written or
the plug-in fails. Errors are reported as one line on stderr; a render that succeeded with
an input shorter than its header declares, with clipped output or at a sample rate named
above, adds a warning line.
)";

bool EndsWithWav(const std::string& path)
{
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return std::tolower(ch); });
  return ext == ".wav";
}

ParsedCommandLine Fail(std::string error)
{
  ParsedCommandLine result;
  result.action = ParsedCommandLine::Action::Fail;
  result.error = std::move(error);
  return result;
}

} // namespace

const char* UsageText()
{
  static const std::string text = std::string(kUsageHead) + SampleRateHelp() + kUsageTail;
  return text.c_str();
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args)
{
  static const std::set<std::string> kValued = {"--signal",    "--seconds",     "--rate",      "--channels",
                                                "--sidechain", "--block",       "--precision", "--tempo",
                                                "--preset",    "--user-preset", "--param",     "--vst3"};
  static const std::set<std::string> kFlags = {"--json", "--pcm24", "--help", "-h"};

  RenderOptions o;
  std::vector<std::string> positional;
  std::set<std::string> seen;
  bool optionsEnded = false;

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = arg;
    std::string value;
    bool hasValue = false;
    if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      hasValue = true;
    }
    if (kFlags.count(name)) {
      if (hasValue) return Fail(name + " takes no value");
      if (name == "--help" || name == "-h") {
        ParsedCommandLine help;
        help.action = ParsedCommandLine::Action::Help;
        return help;
      }
      if (name == "--json") o.json = true;
      if (name == "--pcm24") o.pcm24 = true;
      continue;
    }
    if (!kValued.count(name)) return Fail("unknown option " + name + " (see --help)");
    if (!hasValue) {
      if (i + 1 >= args.size()) return Fail(name + " needs a value");
      value = args[++i];
    }
    if (name != "--param" && !seen.insert(name).second) return Fail(name + " is given more than once");

    if (name == "--signal") {
      SignalRecipe recipe;
      std::string error;
      if (!ParseSignalRecipe(value, recipe, error)) return Fail(error);
      o.signal = recipe;
    } else if (name == "--seconds") {
      if (!ParseFiniteNumber(value, o.seconds)) return Fail("--seconds '" + value + "' is not a number");
      if (o.seconds <= 0.0 || o.seconds > RenderOptions::kMaxSeconds)
        return Fail("--seconds must be above 0 and at most 86400, not " + NumberForMessage(o.seconds));
    } else if (name == "--rate") {
      int64_t rate = 0;
      double asNumber = 0.0;
      if (!ParseWholeNumber(value, rate)) {
        if (ParseFiniteNumber(value, asNumber) && asNumber <= 0.0)
          return Fail("--rate must be above 0 Hz, not " + value);
        return Fail("--rate '" + value + "' is not a whole number of Hz");
      }
      if (rate <= 0) return Fail("--rate must be above 0 Hz, not " + value);
      if (rate > RenderOptions::kMaxRate) return Fail("--rate must be at most 768000 Hz, not " + value);
      o.sampleRate = static_cast<int>(rate);
    } else if (name == "--channels") {
      int64_t channels = 0;
      if (!ParseWholeNumber(value, channels) || (channels != 1 && channels != 2))
        return Fail("--channels must be 1 or 2, not '" + value + "'");
      o.channels = static_cast<int>(channels);
    } else if (name == "--sidechain") {
      if (value.empty()) return Fail("--sidechain needs a file name");
      o.sidechainPath = value;
    } else if (name == "--block") {
      int64_t block = 0;
      if (!ParseWholeNumber(value, block)) return Fail("--block '" + value + "' is not a whole number");
      if (block < 1 || block > RenderOptions::kMaxBlock)
        return Fail("--block must be between 1 and 65536, not " + value);
      o.blockSize = static_cast<int>(block);
    } else if (name == "--precision") {
      int64_t bits = 0;
      if (!ParseWholeNumber(value, bits) || (bits != 32 && bits != 64))
        return Fail("--precision must be 32 or 64, not '" + value + "'");
      o.doublePrecision = bits == 64;
    } else if (name == "--tempo") {
      double bpm = 0.0;
      if (!ParseFiniteNumber(value, bpm)) return Fail("--tempo '" + value + "' is not a number");
      if (bpm <= 0.0) return Fail("--tempo must be above 0 BPM, not " + value);
      o.tempoBpm = bpm;
    } else if (name == "--preset") {
      if (TrimBlanks(value).empty()) return Fail("--preset needs a name or an index");
      o.preset = value;
    } else if (name == "--user-preset") {
      if (value.empty()) return Fail("--user-preset needs a file name");
      o.userPresetPath = value;
    } else if (name == "--param") {
      o.params.push_back(value);
    } else if (name == "--vst3") {
      if (value.empty()) return Fail("--vst3 needs a bundle path");
      o.vst3BundlePath = value;
    }
  }

  if (o.signal) {
    if (positional.size() > 1) return Fail("give either INPUT or --signal, not both");
    if (positional.empty()) return Fail("missing OUTPUT.wav (see --help)");
    o.outputPath = positional[0];
    std::string error;
    if (!CheckSignalAgainstRate(*o.signal, o.sampleRate, error)) return Fail(error);
    if (std::llround(o.seconds * o.sampleRate) < 1) return Fail("--seconds is shorter than one frame");
  } else {
    for (const char* only : {"--seconds", "--rate", "--channels"})
      if (seen.count(only)) return Fail(std::string(only) + " only goes with --signal");
    if (positional.size() < 2)
      return Fail(positional.empty() ? "missing INPUT and OUTPUT.wav (see --help)"
                                     : "missing INPUT or --signal (see --help)");
    if (positional.size() > 2) return Fail("too many file arguments: '" + positional[2] + "'");
    o.inputPath = positional[0];
    o.outputPath = positional[1];
  }
  if (!EndsWithWav(o.outputPath)) return Fail("OUTPUT must be a .wav file, not '" + o.outputPath + "'");

  ParsedCommandLine result;
  result.action = ParsedCommandLine::Action::Render;
  result.options = std::move(o);
  return result;
}

} // namespace kelmo::render

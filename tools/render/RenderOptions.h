#pragma once

#include "tools/render/SignalRecipe.h"

#include <optional>
#include <string>
#include <vector>

namespace kelmo::render {

// Everything the command line asks for, checked for form (numbers, ranges, combinations) but not
// yet against files or the plug-in.
struct RenderOptions
{
  static constexpr double kDefaultSeconds = 4.0;
  static constexpr int kDefaultRate = 48000;
  static constexpr int kDefaultChannels = 2;
  static constexpr int kDefaultBlock = 512;
  static constexpr int kMaxBlock = 65536;
  static constexpr int kMaxRate = 768000;
  static constexpr double kMaxSeconds = 24.0 * 3600.0;

  std::string inputPath;              // empty with --signal
  std::optional<SignalRecipe> signal; // --signal
  std::string outputPath;
  double seconds = kDefaultSeconds; // --seconds (generated signals)
  int sampleRate = kDefaultRate;    // --rate (generated signals)
  int channels = kDefaultChannels;  // --channels (generated signals)
  std::string sidechainPath;        // --sidechain
  int blockSize = kDefaultBlock;    // --block
  bool doublePrecision = true;      // --precision 64 (default) or 32
  std::optional<double> tempoBpm;   // --tempo
  std::string preset;               // --preset NAME|INDEX, as typed
  std::string userPresetPath;       // --user-preset
  std::vector<std::string> params;  // --param NAME=VALUE, as typed, in order
  bool json = false;                // --json
  bool pcm24 = false;               // --pcm24
  std::string vst3BundlePath;       // --vst3
};

// Outcome of reading the command line.
struct ParsedCommandLine
{
  enum class Action { Render, Help, Fail };
  Action action = Action::Fail;
  RenderOptions options;
  std::string error; // one line, for Fail
};

// Reads the arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text --help prints.
const char* UsageText();

} // namespace kelmo::render

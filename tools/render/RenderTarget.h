#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelmo::render {

// What the settings resolution needs to know about one parameter.
struct ParamInfo
{
  int index = 0;    // parameter index (also the VST3 parameter id)
  std::string name; // as the parameter table names it
  double minValue = 0.0;
  double maxValue = 0.0;
  bool whole = false; // switches, counters and lists: whole numbers only
};

// How the plug-in is laid out for one render.
struct ProcessLayout
{
  double sampleRate = 48000.0;
  int blockSize = 512;
  bool doublePrecision = true;
  int mainChannels = 2;      // main inputs, also the outputs
  int sidechainChannels = 0; // 0: no side-chain connected
  double tempoBpm = 120.0;
};

// Final meter values of one channel.
struct MeterReading
{
  double gainReductionDb = 0.0; // the numeric readout, <= 0
  double needle = 0.0;          // needle position 0..1
};

// The plug-in a render drives: the built-in engine or a VST3 bundle. Set-up order: parameters
// (RestoreValues, then Prepare, then Automate), then Process calls. One thread.
class RenderTarget
{
public:
  virtual ~RenderTarget() = default;

  // Short name for the summary: "engine" or "vst3".
  virtual const char* PathName() const = 0;

  // The parameters, by index.
  virtual const std::vector<ParamInfo>& Params() const = 0;

  // Current value of every parameter in index order.
  virtual bool GetValues(std::vector<double>& values, std::string& error) = 0;
  // Loads every parameter value as a host restores a saved session: each value stored as given
  // (snapped, clamped to its own range), with no linking between the channels' controls.
  virtual bool RestoreValues(const std::vector<double>& values, std::string& error) = 0;
  // Recalls factory preset index with the values the plug-in's own preset recall gives (channel
  // linking included).
  virtual bool RecallFactoryPreset(int index, std::string& error) = 0;

  // Processing set-up: rate, block size, precision, channels, tempo. Resets the plug-in.
  virtual bool Prepare(const ProcessLayout& layout, std::string& error) = 0;
  // Sets one parameter like host automation arriving before the first block.
  virtual bool Automate(int index, double value, std::string& error) = 0;

  // Processes nFrames (at most the block size) frames. main and outputs hold the layout's main
  // channel count, sidechain its side-chain count (null without a side-chain). The precision
  // must match the layout's.
  virtual bool Process(const float* const* main, const float* const* sidechain, float* const* outputs,
                       int nFrames) = 0;
  virtual bool Process(const double* const* main, const double* const* sidechain, double* const* outputs,
                       int nFrames) = 0;

  // Meter values after the last block, when the target can report them.
  virtual std::optional<MeterReading> Meter(int channel) const = 0;
};

} // namespace kelmo::render

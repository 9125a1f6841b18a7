#pragma once

#include "tools/render/RenderTarget.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelmo::render {

// What a finished render reports.
struct RenderSummary
{
  struct Channel
  {
    std::optional<double> inputPeakDbfs, inputRmsDbfs;   // nothing for silence
    std::optional<double> outputPeakDbfs, outputRmsDbfs; // nothing for silence
    std::optional<MeterReading> meter;                   // nothing when the target has none
  };

  std::string path;   // "engine" or "vst3"
  int64_t frames = 0; // frames processed
  double sampleRate = 0.0;
  int blockSize = 0;
  int precisionBits = 64;
  double processSeconds = 0.0; // time spent in the plug-in's processing calls
  std::vector<Channel> channels;
  int64_t inputFramesDeclared = -1;  // what the input claimed to hold; -1 when unknown
  int64_t clippedSamples = 0;        // output samples the file could not hold as they were
  std::vector<std::string> warnings; // one line each, also shown on stderr

  // Seconds of audio processed per second spent processing; nothing when no time was measured.
  std::optional<double> RealTimeFactor() const;
};

// The --json text: one JSON object (keys below), a newline at the end.
//   frames, sample_rate, seconds, block_size, precision, path, realtime_factor,
//   input_frames_declared (null when unknown), clipped_samples, warnings: [text],
//   channels: [{input_peak_dbfs, input_rms_dbfs, output_peak_dbfs, output_rms_dbfs,
//               meter_gain_reduction_db, meter_needle}]
// Levels of silent channels and unavailable values are null.
std::string SummaryJson(const RenderSummary& summary);

} // namespace kelmo::render

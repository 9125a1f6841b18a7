#include "tools/render/RenderSummary.h"

#include <nlohmann/json.hpp>

namespace kelmo::render {

namespace {

nlohmann::ordered_json OrNull(const std::optional<double>& value)
{
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

} // namespace

std::optional<double> RenderSummary::RealTimeFactor() const
{
  if (!(processSeconds > 0.0) || !(sampleRate > 0.0) || frames <= 0) return std::nullopt;
  return static_cast<double>(frames) / sampleRate / processSeconds;
}

std::string SummaryJson(const RenderSummary& s)
{
  nlohmann::ordered_json out;
  out["frames"] = s.frames;
  out["sample_rate"] = s.sampleRate;
  out["seconds"] = s.sampleRate > 0.0 ? static_cast<double>(s.frames) / s.sampleRate : 0.0;
  out["block_size"] = s.blockSize;
  out["precision"] = s.precisionBits;
  out["path"] = s.path;
  out["realtime_factor"] = OrNull(s.RealTimeFactor());
  out["input_frames_declared"] = s.inputFramesDeclared >= 0 ? nlohmann::ordered_json(s.inputFramesDeclared)
                                                            : nlohmann::ordered_json(nullptr);
  out["clipped_samples"] = s.clippedSamples;
  out["warnings"] = s.warnings;
  nlohmann::ordered_json channels = nlohmann::ordered_json::array();
  for (const RenderSummary::Channel& c : s.channels) {
    nlohmann::ordered_json ch;
    ch["input_peak_dbfs"] = OrNull(c.inputPeakDbfs);
    ch["input_rms_dbfs"] = OrNull(c.inputRmsDbfs);
    ch["output_peak_dbfs"] = OrNull(c.outputPeakDbfs);
    ch["output_rms_dbfs"] = OrNull(c.outputRmsDbfs);
    ch["meter_gain_reduction_db"] =
        OrNull(c.meter ? std::optional<double>(c.meter->gainReductionDb) : std::nullopt);
    ch["meter_needle"] = OrNull(c.meter ? std::optional<double>(c.meter->needle) : std::nullopt);
    channels.push_back(ch);
  }
  out["channels"] = channels;
  return out.dump(2) + "\n";
}

} // namespace kelmo::render

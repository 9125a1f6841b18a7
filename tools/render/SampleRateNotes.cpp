#include "tools/render/SampleRateNotes.h"

#include "engine/dsp/KelmoDsp.h"
#include "tools/render/NumberText.h"

namespace kelmo::render {

namespace {

using kelmo::dsp::KelmoDsp;

std::string Hz(double rate)
{
  return NumberForMessage(rate) + " Hz";
}

} // namespace

std::optional<std::string> SampleRateWarning(double sampleRate)
{
  // The engine's own test, so that the warning and the pass-through never disagree.
  if (!KelmoDsp::ProcessesRate(sampleRate))
    return "at " + Hz(sampleRate) + " the compressor passes the audio through unchanged (it processes " +
           Hz(KelmoDsp::kMinSampleRate) + " and above)";
  if (sampleRate > KelmoDsp::kWeakeningSampleRate)
    return "at " + Hz(sampleRate) + " the compression is weaker: above " + Hz(KelmoDsp::kWeakeningSampleRate) +
           " the same settings compress less and less the higher the rate, and not at all near " +
           Hz(KelmoDsp::kNoCompressionSampleRate);
  return std::nullopt;
}

std::string SampleRateHelp()
{
  return "Sample rates: the compressor processes " + Hz(KelmoDsp::kMinSampleRate) +
         " and above; below that it passes the\naudio through unchanged. Above " +
         Hz(KelmoDsp::kWeakeningSampleRate) +
         " the same settings compress less and less the\nhigher the rate (the detector's strength "
         "falls with it), and not at all near " +
         Hz(KelmoDsp::kNoCompressionSampleRate) + ".\nA render at such a rate adds a warning line.\n";
}

} // namespace kelmo::render

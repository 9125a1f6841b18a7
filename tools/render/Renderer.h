#pragma once

#include "tools/render/ProgressBar.h"
#include "tools/render/RenderFailure.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/RenderSummary.h"

#include <ostream>

namespace kelmo::render {

// Where a render may show its progress.
struct ProgressSettings
{
  std::ostream* stream = nullptr; // null: no progress bar
  bool enabled = false;           // true when the stream is a terminal
  ProgressBar::Clock clock = ProgressBar::SteadySeconds;
};

// One whole render: opens the input (or generator) and side-chain, builds the plug-in (engine or
// VST3 bundle), applies preset, user preset and parameters, processes block by block and writes
// the output through a temporary file. On success the output is in place and summary is filled;
// on failure nothing is left at the output path (an existing file there is untouched) and
// failure says why.
bool Render(const RenderOptions& options, const ProgressSettings& progress, RenderSummary& summary,
            RenderFailure& failure);

} // namespace kelmo::render

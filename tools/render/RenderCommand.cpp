#include "tools/render/RenderCommand.h"

#include "tools/render/RenderFailure.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/Renderer.h"

#include <exception>
#include <new>

namespace kelmo::render {

namespace {

int Report(std::ostream& err, int exitCode, const std::string& message)
{
  err << "kelmo-render: " << message << "\n" << std::flush;
  return exitCode;
}

} // namespace

int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     bool errIsTerminal)
{
  try {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.action == ParsedCommandLine::Action::Help) {
      out << UsageText() << std::flush;
      return kExitSuccess;
    }
    if (parsed.action == ParsedCommandLine::Action::Fail) return Report(err, kExitUsage, parsed.error);

    ProgressSettings progress;
    progress.stream = &err;
    progress.enabled = errIsTerminal;
    RenderSummary summary;
    RenderFailure failure;
    if (!Render(parsed.options, progress, summary, failure))
      return Report(err, failure.exitCode, failure.message);
    for (const std::string& warning : summary.warnings)
      err << "kelmo-render: warning: " << warning << "\n";
    err << std::flush;
    if (parsed.options.json) out << SummaryJson(summary) << std::flush;
    return kExitSuccess;
  } catch (const std::bad_alloc&) {
    return Report(err, kExitFailure, "out of memory");
  } catch (const std::exception& e) {
    return Report(err, kExitFailure, std::string("internal error: ") + e.what());
  }
}

} // namespace kelmo::render

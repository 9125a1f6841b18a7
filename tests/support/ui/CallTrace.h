#pragma once

#include "support/ui/RecordingCanvas.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace plugin::ui::test {

// Recorded calls as one line, to compare whole sequences: short names (M move, L line, A arc,
// C cubic, Z close, W hole, T transform; others as recorded), numbers to 3 decimals, texts quoted,
// calls in skip left out. stroke: type,A,R,G,B,width,miter,preserve,cap,join,dashes,blend,weight;
// fill: type,A,R,G,B,rule,preserve,blend,weight.
inline std::string Trace(const std::vector<CanvasCall>& calls,
                         const std::set<std::string>& skip = {"DoMeasureText"})
{
  static const std::map<std::string, std::string> kShort = {
      {"PathClear", "clear"},   {"PathMoveTo", "M"},
      {"PathLineTo", "L"},      {"PathArc", "A"},
      {"PathClose", "Z"},       {"PathCubicBezierTo", "C"},
      {"PathSetWinding", "W"},  {"PathStroke", "stroke"},
      {"PathFill", "fill"},     {"PathTransformSetMatrix", "T"},
      {"SetClipRegion", "clip"}};
  std::string out;
  for (const CanvasCall& c : calls) {
    if (skip.count(c.op)) continue;
    out += (out.empty() ? "" : " ") + (kShort.count(c.op) ? kShort.at(c.op) : c.op);
    for (size_t i = 0; i < c.args.size(); ++i) {
      char n[32];
      std::snprintf(n, sizeof n, "%s%g", i ? "," : "", std::round(c.args[i] * 1000.0) / 1000.0 + 0.0);
      out += n;
    }
    if (!c.text.empty()) out += "'" + c.text + "'";
  }
  return out;
}

// Any numbers as Trace writes them.
inline std::string Nums(std::vector<double> values)
{
  return Trace({{"", std::move(values), ""}});
}

// A rectangle as Trace writes numbers: left, top, right, bottom.
inline std::string Box(const IRECT& r)
{
  return Nums({r.L, r.T, r.R, r.B});
}

// Names of the calls in order, as one line: path building, clips and measurements left out,
// path strokes and fills as stroke and fill, texts quoted.
inline std::string Ops(const std::vector<CanvasCall>& calls)
{
  std::string out;
  for (const CanvasCall& c : calls) {
    const bool path = c.op.rfind("Path", 0) == 0;
    if ((path && c.op != "PathStroke" && c.op != "PathFill") || c.op == "DoMeasureText" ||
        c.op == "SetClipRegion")
      continue;
    const std::string op = path ? (c.op == "PathStroke" ? "stroke" : "fill") : c.op;
    out += (out.empty() ? "" : " ") + op + (c.text.empty() ? "" : "'" + c.text + "'");
  }
  return out;
}

} // namespace plugin::ui::test

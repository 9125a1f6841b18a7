// Writes arbitrary bytes as the user preset file of slot 0 and builds a plug-in instance over it.
// Whatever the file holds, the instance is built; its parameters are the defaults with exactly
// the file's readable values applied under each parameter's rules (the oversampling, delta and
// comparison slot never); and it processes audio and sends its meters.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/Kelmo.h"
#include "engine/presets/UserPresetFileIO.h"
#include "engine/presets/UserPresetFormat.h"
#include "engine/presets/UserPresetLocation.h"
#include "support/TempFolder.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  // Never the user's own presets: a folder of the run's own, removed when the run ends.
  static const testsupport::TempFolder folder("kelmo-fuzz");
  SetUserPresetFolder(folder.Path());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!WriteStringToFile(UserPresetPath(0), text)) std::abort();

  Kelmo k(plugin::InstanceInfo{});

  std::vector<double> expected;
  for (int i = 0; i < k.NParams(); ++i)
    expected.push_back(k.GetParam(i)->GetDefault());
  if (text != kMissingFileText) {
    if (const auto contents = ParseUserPresetFile(text)) {
      for (const UserPresetAssignment& a : contents->assignments)
        expected[static_cast<size_t>(a.paramIdx)] = k.GetParam(a.paramIdx)->Constrain(a.value);
    }
  }
  for (int i = 0; i < k.NParams(); ++i) {
    const plugin::IParam& p = *k.GetParam(i);
    const double v = p.Value();
    if (!std::isfinite(v) || v < p.GetMin() || v > p.GetMax()) std::abort();
    if (v != expected[static_cast<size_t>(i)]) std::abort();
  }
  if (k.GetParam(kOverSampling)->Value() != 0.0 || k.GetParam(kDelta)->Value() != 0.0 ||
      k.GetParam(kComparisonSlot)->Value() != 0.0)
    std::abort();

  k.SetBlockSize(64);
  k.OnReset();
  std::vector<double> l(64, 0.5), r(64, -0.5);
  double* ins[4] = {l.data(), r.data(), nullptr, nullptr};
  double* outs[2] = {l.data(), r.data()};
  k.ProcessBlock(ins, outs, 64);
  for (size_t n = 0; n < l.size(); ++n)
    if (!std::isfinite(l[n]) || !std::isfinite(r[n])) std::abort();
  k.OnIdle();
  return 0;
}

#include "tools/render/SignalRecipe.h"

#include "tools/render/NumberText.h"

#include <vector>

namespace kelmo::render {

namespace {

std::vector<std::string_view> SplitOnColons(std::string_view text)
{
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    const size_t colon = text.find(':', start);
    fields.push_back(
        text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  return fields;
}

bool ReadFrequency(std::string_view field, const std::string& what, double& hz, std::string& error)
{
  if (!ParseFiniteNumber(field, hz)) {
    error = what + " '" + std::string(field) + "' is not a number";
    return false;
  }
  if (hz <= 0.0) {
    error = what + " must be above 0 Hz, not " + NumberForMessage(hz);
    return false;
  }
  return true;
}

bool ReadLevel(std::string_view field, double& dbfs, std::string& error)
{
  if (!ParseFiniteNumber(field, dbfs)) {
    error = "level '" + std::string(field) + "' is not a number of dBFS";
    return false;
  }
  if (dbfs < kMinSignalDbfs || dbfs > kMaxSignalDbfs) {
    error = "level " + NumberForMessage(dbfs) + " dBFS is outside " + NumberForMessage(kMinSignalDbfs) +
            " to " + NumberForMessage(kMaxSignalDbfs) + " dBFS";
    return false;
  }
  return true;
}

} // namespace

bool ParseSignalRecipe(std::string_view text, SignalRecipe& recipe, std::string& error)
{
  const std::vector<std::string_view> f = SplitOnColons(text);
  const std::string_view kind = f[0];
  SignalRecipe s;
  auto wrongCount = [&](const char* form) {
    error = "--signal " + std::string(kind) + " takes the form " + form + ", not '" + std::string(text) + "'";
    return false;
  };
  if (kind == "sine") {
    if (f.size() != 3) return wrongCount("sine:HZ:DBFS");
    s.kind = SignalRecipe::Kind::Sine;
    if (!ReadFrequency(f[1], "sine frequency", s.startHz, error) || !ReadLevel(f[2], s.levelDbfs, error))
      return false;
    s.endHz = s.startHz;
  } else if (kind == "noise") {
    if (f.size() != 2) return wrongCount("noise:DBFS");
    s.kind = SignalRecipe::Kind::Noise;
    if (!ReadLevel(f[1], s.levelDbfs, error)) return false;
  } else if (kind == "impulse") {
    if (f.size() != 1) return wrongCount("impulse");
    s.kind = SignalRecipe::Kind::Impulse;
  } else if (kind == "silence") {
    if (f.size() != 1) return wrongCount("silence");
    s.kind = SignalRecipe::Kind::Silence;
  } else if (kind == "sweep") {
    if (f.size() != 4) return wrongCount("sweep:HZ1:HZ2:DBFS");
    s.kind = SignalRecipe::Kind::Sweep;
    if (!ReadFrequency(f[1], "sweep start", s.startHz, error) ||
        !ReadFrequency(f[2], "sweep end", s.endHz, error) || !ReadLevel(f[3], s.levelDbfs, error))
      return false;
  } else {
    error = "unknown --signal '" + std::string(text) +
            "' (use sine:HZ:DBFS, noise:DBFS, impulse, silence or sweep:HZ1:HZ2:DBFS)";
    return false;
  }
  recipe = s;
  return true;
}

bool CheckSignalAgainstRate(const SignalRecipe& recipe, double sampleRate, std::string& error)
{
  if (recipe.kind != SignalRecipe::Kind::Sine && recipe.kind != SignalRecipe::Kind::Sweep) return true;
  const double nyquist = sampleRate / 2.0;
  for (double hz : {recipe.startHz, recipe.endHz}) {
    if (hz >= nyquist) {
      error = "signal frequency " + NumberForMessage(hz) + " Hz is not below half the sample rate (" +
              NumberForMessage(nyquist) + " Hz)";
      return false;
    }
  }
  return true;
}

} // namespace kelmo::render

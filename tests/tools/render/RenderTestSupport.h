#pragma once

#include "engine/Kelmo.h"
#include "tools/render/RenderCommand.h"
#include "tools/render/SoundFileReader.h"
#include "tools/render/SoundFileWriter.h"
#include "tools/render/UserPresetIsolation.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include <stdlib.h>

namespace rendertest {

using testsupport::TempFolder;

// The result of running the command in-process.
struct CommandResult
{
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline CommandResult RunCommand(const std::vector<std::string>& args, bool errIsTerminal = false)
{
  std::ostringstream out, err;
  CommandResult r;
  r.exitCode = kelmo::render::RunRenderCommand(args, out, err, errIsTerminal);
  r.out = out.str();
  r.err = err.str();
  return r;
}

// Planar audio.
using Audio = std::vector<std::vector<double>>;

// Largest difference between two signals of the same shape; a shape mismatch fails the test.
inline double MaxDifference(const Audio& a, const Audio& b)
{
  double d = 0.0;
  EXPECT_EQ(a.size(), b.size());
  for (size_t c = 0; c < a.size() && c < b.size(); ++c) {
    EXPECT_EQ(a[c].size(), b[c].size());
    for (size_t i = 0; i < a[c].size() && i < b[c].size(); ++i)
      d = std::max(d, std::fabs(a[c][i] - b[c][i]));
  }
  return d;
}

// A stereo programme with movement, loud enough to be compressed.
inline Audio Programme(int frames, double rate)
{
  Audio a(2, std::vector<double>(static_cast<size_t>(frames)));
  for (int i = 0; i < frames; ++i) {
    const double t = i / rate;
    const double swell = 0.55 + 0.45 * std::sin(2.0 * M_PI * 2.0 * t);
    a[0][static_cast<size_t>(i)] = 0.7 * swell * std::sin(2.0 * M_PI * 220.0 * t);
    a[1][static_cast<size_t>(i)] = 0.6 * swell * std::sin(2.0 * M_PI * 330.0 * t + 0.5);
  }
  return a;
}

// Reads a whole sound file; fails the test when it cannot.
inline Audio ReadAll(const std::string& path, double* rate = nullptr)
{
  std::string error;
  auto reader = kelmo::render::SoundFileReader::Open(path, error);
  EXPECT_TRUE(reader) << error;
  if (!reader) return {};
  if (rate) *rate = reader->SampleRate();
  Audio audio(static_cast<size_t>(reader->Channels()));
  std::vector<std::vector<double>> block(audio.size(), std::vector<double>(4096));
  std::vector<double*> ptrs;
  for (auto& b : block)
    ptrs.push_back(b.data());
  int n = 0;
  while ((n = reader->Read(ptrs.data(), 4096)) > 0)
    for (size_t c = 0; c < audio.size(); ++c)
      audio[c].insert(audio[c].end(), block[c].begin(), block[c].begin() + n);
  EXPECT_EQ(n, 0) << reader->Error();
  return audio;
}

// Writes planar audio as a float WAV (or 24-bit PCM); fails the test when it cannot.
inline void WriteAll(const std::string& path, const Audio& audio, int rate, bool pcm24 = false)
{
  std::string error;
  auto writer =
      kelmo::render::SoundFileWriter::Create(path, rate, static_cast<int>(audio.size()), pcm24, error);
  ASSERT_TRUE(writer) << error;
  std::vector<const double*> ptrs;
  for (const auto& ch : audio)
    ptrs.push_back(ch.data());
  ASSERT_TRUE(writer->Write(ptrs.data(), static_cast<int>(audio[0].size()), error)) << error;
  ASSERT_TRUE(writer->Commit(error)) << error;
}

// The compressor driven directly through its processor frame, as the reference for what the
// render tool must produce: same set-up, settings and blocks, no tool code in between except
// the user preset isolation.
class ReferenceKelmo : public Kelmo
{
public:
  ReferenceKelmo() : Kelmo(plugin::InstanceInfo{}) {}
  using plugin::IPluginProcessor::SetSampleRate;
  using plugin::IPluginProcessor::TimeInfo;

  // Host automation of a real value.
  void Automate(int idx, double value)
  {
    GetParam(idx)->Set(value);
    OnParamChange(idx, plugin::kHost, 0);
  }

  // Processes stereo or mono main input (and an optional stereo side-chain) in blocks.
  template <typename Sample>
  Audio Run(const Audio& main, const Audio* sidechain, double rate, int block, double tempo = 120.0)
  {
    const int channels = static_cast<int>(main.size());
    const size_t length = main[0].size();
    SetSampleRate(rate);
    SetBlockSize(block);
    ZeroScratchBuffers();
    TimeInfo().mTempo = tempo;
    SetChannelConnections(plugin::kInput, 0, NChannels(plugin::kInput), false);
    SetChannelConnections(plugin::kInput, 0, channels, true);
    if (sidechain) SetChannelConnections(plugin::kInput, 2, 2, true);
    SetChannelConnections(plugin::kOutput, 0, NChannels(plugin::kOutput), false);
    SetChannelConnections(plugin::kOutput, 0, channels, true);
    OnReset();
    for (const auto& [idx, value] : pendingAutomation)
      Automate(idx, value);

    std::vector<std::vector<Sample>> in(4, std::vector<Sample>(length, Sample(0)));
    for (int c = 0; c < channels; ++c)
      for (size_t i = 0; i < length; ++i)
        in[static_cast<size_t>(c)][i] = static_cast<Sample>(main[static_cast<size_t>(c)][i]);
    for (size_t c = 0; sidechain && c < 2; ++c)
      for (size_t i = 0; i < length && i < (*sidechain)[c].size(); ++i)
        in[2 + c][i] = static_cast<Sample>((*sidechain)[c][i]);
    std::vector<std::vector<Sample>> out(2, std::vector<Sample>(length, Sample(0)));
    for (size_t start = 0; start < length; start += static_cast<size_t>(block)) {
      const int n = static_cast<int>(std::min(length - start, static_cast<size_t>(block)));
      Sample* ins[4] = {in[0].data() + start, in[1].data() + start, in[2].data() + start,
                        in[3].data() + start};
      Sample* outs[2] = {out[0].data() + start, out[1].data() + start};
      if constexpr (std::is_same_v<Sample, double>) {
        AttachBuffers(plugin::kInput, 0, channels, ins);
        if (sidechain) AttachBuffers(plugin::kInput, 2, 2, ins + 2);
        AttachBuffers(plugin::kOutput, 0, channels, outs);
        EXPECT_TRUE(ProcessBuffers(0.0, n));
      } else {
        AttachBuffers(plugin::kInput, 0, channels, ins, n);
        if (sidechain) AttachBuffers(plugin::kInput, 2, 2, ins + 2, n);
        AttachBuffers(plugin::kOutput, 0, channels, outs, n);
        EXPECT_TRUE(ProcessBuffers(0.0f, n));
      }
    }
    Audio result(static_cast<size_t>(channels));
    for (int c = 0; c < channels; ++c)
      result[static_cast<size_t>(c)].assign(out[static_cast<size_t>(c)].begin(),
                                            out[static_cast<size_t>(c)].end());
    return result;
  }

  // Automation sent after the reset, before the first block (as the tool does).
  std::vector<std::pair<int, double>> pendingAutomation;
};

// A fresh reference plug-in that ignores the user's own slot 0 preset.
inline Steinberg::IPtr<ReferenceKelmo> MakeReference()
{
  kelmo::render::UserPresetIsolation isolation;
  return Steinberg::IPtr<ReferenceKelmo>(new ReferenceKelmo, false);
}

// Every sample of a as float, the way a float WAV stores it.
inline Audio AsFloat(const Audio& a)
{
  Audio f = a;
  for (auto& ch : f)
    for (double& x : ch)
      x = static_cast<double>(static_cast<float>(x));
  return f;
}

} // namespace rendertest

#include "tools/render/Renderer.h"

#include "tools/render/EngineTarget.h"
#include "tools/render/LevelMeter.h"
#include "tools/render/OutputClip.h"
#include "tools/render/RenderSettings.h"
#include "tools/render/SampleRateNotes.h"
#include "tools/render/SignalGenerator.h"
#include "tools/render/SoundFileReader.h"
#include "tools/render/SoundFileWriter.h"
#include "tools/render/Vst3Target.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <sstream>
#include <type_traits>

namespace kelmo::render {

namespace {

bool Fail(RenderFailure& failure, int exitCode, std::string message)
{
  failure.exitCode = exitCode;
  failure.message = std::move(message);
  return false;
}

std::unique_ptr<AudioSource> OpenMainInput(const RenderOptions& o, RenderFailure& failure)
{
  if (o.signal) {
    const int64_t frames = std::llround(o.seconds * o.sampleRate);
    return std::make_unique<SignalGenerator>(*o.signal, o.sampleRate, o.channels, frames);
  }
  std::string error;
  std::unique_ptr<SoundFileReader> reader = SoundFileReader::Open(o.inputPath, error);
  if (!reader) {
    Fail(failure, kExitFailure, error);
    return nullptr;
  }
  if (reader->Channels() > 2) {
    Fail(failure, kExitFailure,
         "input '" + o.inputPath + "' has " + std::to_string(reader->Channels()) +
             " channels; 1 or 2 are supported");
    return nullptr;
  }
  return reader;
}

std::unique_ptr<AudioSource> OpenSidechain(const RenderOptions& o, double sampleRate, RenderFailure& failure)
{
  std::string error;
  std::unique_ptr<SoundFileReader> reader = SoundFileReader::Open(o.sidechainPath, error);
  if (!reader) {
    Fail(failure, kExitFailure, "side-chain: " + error);
    return nullptr;
  }
  if (reader->Channels() > 2) {
    Fail(failure, kExitFailure,
         "side-chain '" + o.sidechainPath + "' has " + std::to_string(reader->Channels()) +
             " channels; 1 or 2 are supported");
    return nullptr;
  }
  if (reader->SampleRate() != sampleRate) {
    Fail(failure, kExitFailure,
         "side-chain '" + o.sidechainPath + "' runs at " +
             std::to_string(static_cast<int64_t>(reader->SampleRate())) + " Hz, the input at " +
             std::to_string(static_cast<int64_t>(sampleRate)) + " Hz");
    return nullptr;
  }
  return reader;
}

std::unique_ptr<RenderTarget> CreateTarget(const RenderOptions& o, RenderFailure& failure)
{
  if (o.vst3BundlePath.empty()) return std::make_unique<EngineTarget>();
  std::string error;
  std::unique_ptr<Vst3Target> target = Vst3Target::Load(o.vst3BundlePath, error);
  if (!target) Fail(failure, kExitFailure, error);
  return target;
}

// Planar buffers of one block.
template <typename T> struct Planar
{
  Planar(int channels, int frames)
      : data(static_cast<size_t>(channels), std::vector<T>(static_cast<size_t>(frames), T(0)))
  {
    for (auto& ch : data)
      pointers.push_back(ch.data());
  }
  std::vector<std::vector<T>> data;
  std::vector<T*> pointers;
};

// Everything the processing loop works with.
struct Job
{
  const RenderOptions& options;
  AudioSource& input;
  AudioSource* sidechain;
  RenderTarget& target;
  SoundFileWriter& writer;
  ProgressBar& progress;
  std::vector<LevelMeter> inputLevels, outputLevels;
  int64_t frames = 0;
  int64_t clipped = 0;
  double processSeconds = 0.0;
};

template <typename T> bool ProcessAll(Job& job, RenderFailure& failure)
{
  const int block = job.options.blockSize;
  const int channels = job.input.Channels();
  const int scChannels = job.sidechain ? job.sidechain->Channels() : 0;
  Planar<double> read(channels, block);
  Planar<double> scRead(std::max(scChannels, 1), block);
  Planar<T> main(channels, block), sc(std::max(scChannels, 1), block), out(channels, block);
  bool sidechainEnded = false;
  std::string error;

  while (true) {
    const int n = job.input.Read(read.pointers.data(), block);
    if (n < 0) return Fail(failure, kExitFailure, "cannot read input: " + std::string(job.input.Error()));
    if (n == 0) break;
    for (int c = 0; c < channels; ++c) {
      job.inputLevels[static_cast<size_t>(c)].Add(read.pointers[static_cast<size_t>(c)], n);
      std::copy_n(read.pointers[static_cast<size_t>(c)], n, main.pointers[static_cast<size_t>(c)]);
    }
    if (job.sidechain) {
      int got = 0;
      if (!sidechainEnded) {
        got = job.sidechain->Read(scRead.pointers.data(), n);
        if (got < 0)
          return Fail(failure, kExitFailure,
                      "cannot read side-chain: " + std::string(job.sidechain->Error()));
        // A short side-chain is followed by silence.
        sidechainEnded = got < n;
      }
      for (int c = 0; c < scChannels; ++c) {
        T* dst = sc.pointers[static_cast<size_t>(c)];
        std::copy_n(scRead.pointers[static_cast<size_t>(c)], got, dst);
        std::fill(dst + got, dst + n, T(0));
      }
    }

    const auto start = std::chrono::steady_clock::now();
    const bool ok = job.target.Process(main.pointers.data(), job.sidechain ? sc.pointers.data() : nullptr,
                                       out.pointers.data(), n);
    job.processSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) return Fail(failure, kExitFailure, "the plug-in failed to process a block");

    // The summary meters what the file holds.
    for (int c = 0; c < channels; ++c) {
      job.clipped += ClipForFile(out.pointers[static_cast<size_t>(c)], n, job.options.pcm24);
      job.outputLevels[static_cast<size_t>(c)].Add(out.pointers[static_cast<size_t>(c)], n);
    }
    if (!job.writer.Write(out.pointers.data(), n, error)) return Fail(failure, kExitFailure, error);
    job.frames += n;
    job.progress.Update(job.frames);
  }
  return true;
}

} // namespace

bool Render(const RenderOptions& options, const ProgressSettings& progressSettings, RenderSummary& summary,
            RenderFailure& failure)
{
  std::unique_ptr<AudioSource> input = OpenMainInput(options, failure);
  if (!input) return false;
  std::unique_ptr<AudioSource> sidechain;
  if (!options.sidechainPath.empty()) {
    sidechain = OpenSidechain(options, input->SampleRate(), failure);
    if (!sidechain) return false;
  }

  std::unique_ptr<RenderTarget> target = CreateTarget(options, failure);
  if (!target) return false;
  RenderSettings settings;
  if (!ResolveSettings(options, *target, settings, failure)) return false;
  if (!ApplyStoredSettings(*target, settings, failure)) return false;

  ProcessLayout layout;
  layout.sampleRate = input->SampleRate();
  layout.blockSize = options.blockSize;
  layout.doublePrecision = options.doublePrecision;
  layout.mainChannels = input->Channels();
  layout.sidechainChannels = sidechain ? sidechain->Channels() : 0;
  layout.tempoBpm = options.tempoBpm.value_or(120.0);
  if (!target->Prepare(layout, failure.message)) return Fail(failure, kExitFailure, failure.message);
  if (!ApplyParamSettings(*target, settings, failure)) return false;

  std::string error;
  std::unique_ptr<SoundFileWriter> writer =
      SoundFileWriter::Create(options.outputPath, static_cast<int>(input->SampleRate()), input->Channels(),
                              options.pcm24, error, input->DeclaredFrames());
  if (!writer) return Fail(failure, kExitFailure, error);

  std::ostream* progressStream = progressSettings.stream;
  std::ostringstream discard;
  ProgressBar progress(progressStream ? *progressStream : discard, progressStream && progressSettings.enabled,
                       input->Frames(), input->SampleRate(), progressSettings.clock);
  Job job{options, *input, sidechain.get(), *target, *writer, progress, {}, {}, 0, 0, 0.0};
  job.inputLevels.resize(static_cast<size_t>(input->Channels()));
  job.outputLevels.resize(static_cast<size_t>(input->Channels()));
  const bool processed =
      options.doublePrecision ? ProcessAll<double>(job, failure) : ProcessAll<float>(job, failure);
  progress.Finish();
  if (!processed) return false;
  if (!writer->Commit(error)) return Fail(failure, kExitFailure, error);

  RenderSummary s;
  s.path = target->PathName();
  s.frames = job.frames;
  s.sampleRate = input->SampleRate();
  s.blockSize = options.blockSize;
  s.precisionBits = options.doublePrecision ? 64 : 32;
  s.processSeconds = job.processSeconds;
  s.inputFramesDeclared = input->DeclaredFrames();
  s.clippedSamples = job.clipped;
  if (s.inputFramesDeclared > job.frames)
    s.warnings.push_back("input '" + options.inputPath + "' declares " +
                         std::to_string(s.inputFramesDeclared) + " frames but ended after " +
                         std::to_string(job.frames) + " (truncated or damaged); the output is as short");
  if (job.clipped > 0)
    s.warnings.push_back(std::to_string(job.clipped) +
                         " output samples beyond what the file holds were clipped" +
                         (options.pcm24 ? " at full scale" : " at the largest float"));
  if (std::optional<std::string> rateWarning = SampleRateWarning(s.sampleRate))
    s.warnings.push_back(std::move(*rateWarning));
  for (int c = 0; c < input->Channels(); ++c) {
    RenderSummary::Channel ch;
    const LevelMeter& in = job.inputLevels[static_cast<size_t>(c)];
    const LevelMeter& out = job.outputLevels[static_cast<size_t>(c)];
    ch.inputPeakDbfs = in.PeakDbfs();
    ch.inputRmsDbfs = in.RmsDbfs();
    ch.outputPeakDbfs = out.PeakDbfs();
    ch.outputRmsDbfs = out.RmsDbfs();
    ch.meter = target->Meter(c);
    s.channels.push_back(ch);
  }
  summary = std::move(s);
  return true;
}

} // namespace kelmo::render

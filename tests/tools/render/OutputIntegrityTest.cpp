// What the render writes is what it reports: sizes a WAV header cannot count go to RF64,
// samples the file cannot hold are clipped and counted, a short input is reported, and
// generated levels stay in range.
#include "tests/tools/render/RenderTestSupport.h"
#include "tools/render/OutputClip.h"

#include <nlohmann/json.hpp>
#include <sndfile.h>

#include <cfloat>
#include <cstring>
#include <fstream>
#include <limits>

using namespace rendertest;
using kelmo::render::SoundFileWriter;

namespace {

// The file's major format as the sound file library reads it.
int MajorFormat(const std::string& path)
{
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return 0;
  sf_close(file);
  return info.format & SF_FORMAT_TYPEMASK;
}

// A WAV of 64-bit float samples, which can hold values no 32-bit float file can.
void WriteDoubleWav(const std::string& path, const std::vector<double>& samples)
{
  auto le = [](std::ofstream& f, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
      f.put(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  std::ofstream f(path, std::ios::binary);
  const uint32_t data = static_cast<uint32_t>(samples.size() * 8);
  f.write("RIFF", 4), le(f, 36 + data, 4), f.write("WAVEfmt ", 8), le(f, 16, 4), le(f, 3, 2), le(f, 1, 2);
  le(f, 48000, 4), le(f, 48000 * 8, 4), le(f, 8, 2), le(f, 64, 2), f.write("data", 4), le(f, data, 4);
  for (double s : samples) {
    uint64_t bits = 0;
    std::memcpy(&bits, &s, 8);
    le(f, bits, 8);
  }
}

TEST(OutputIntegrity, DataBeyondWhatAWavHeaderCountsNeverGetsAWrappedHeader)
{
  TempFolder dir;
  const int64_t fourHours = int64_t{4} * 3600 * 48000; // 5.5 GB of stereo float samples
  const double l[2] = {0.5, -0.25}, r[2] = {0.125, 0.0};
  const double* channels[2] = {l, r};
  // Planned beyond a WAV header's sizes the file is RF64; otherwise WAV. Both read back.
  for (const auto& [frames, format] :
       {std::pair<int64_t, int>{fourHours, SF_FORMAT_RF64}, {48000, SF_FORMAT_WAV}, {-1, SF_FORMAT_WAV}}) {
    const std::string name = dir / (std::to_string(frames) + ".wav");
    std::string error;
    auto writer = SoundFileWriter::Create(name, 48000, 2, false, error, frames);
    ASSERT_TRUE(writer) << error;
    ASSERT_TRUE(writer->Write(channels, 2, error)) << error;
    ASSERT_TRUE(writer->Commit(error)) << error;
    EXPECT_EQ(MajorFormat(name), format);
    EXPECT_EQ(ReadAll(name), (Audio{{0.5, -0.25}, {0.125, 0.0}}));
  }
  // A file planned as WAV refuses a block that would take it past 4 GiB (before reading it).
  std::string error;
  auto writer = SoundFileWriter::Create(dir / "plain.wav", 48000, 2, false, error, 48000);
  ASSERT_TRUE(writer) << error;
  EXPECT_FALSE(writer->Write(channels, 600'000'000, error));
  EXPECT_NE(error.find("4 GiB"), std::string::npos) << error;
}

TEST(OutputIntegrity, SamplesTheFileCannotHoldAreClipped)
{
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const double big = static_cast<double>(FLT_MAX);
  struct Case
  {
    double in;
    bool pcm24;
    double out;
  };
  const Case cases[] = {{kInf, false, big}, {-1e39, false, -big}, {std::nan(""), false, 0.0},
                        {2.0, false, 2.0},  {2.0, true, 1.0},     {-1.5, true, -1.0},
                        {0.5, true, 0.5}};
  for (const Case& c : cases) {
    double x = c.in;
    EXPECT_EQ(kelmo::render::ClipForFile(&x, 1, c.pcm24), c.out == c.in ? 0 : 1) << c.in;
    EXPECT_EQ(x, c.out) << c.in;
  }

  // Through the command: the summary meters the file's samples and counts the clipped ones.
  TempFolder dir;
  WriteDoubleWav(dir / "huge.wav", {1e300, -1e300, 1e39, 0.5});
  const CommandResult r = RunCommand({dir / "huge.wav", dir / "out.wav", "--precision", "64", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  const Audio written = ReadAll(dir / "out.wav");
  double peak = 0.0;
  for (double s : written[0]) {
    ASSERT_TRUE(std::isfinite(s));
    peak = std::max(peak, std::fabs(s));
  }
  EXPECT_GT(j["clipped_samples"].get<int64_t>(), 0);
  EXPECT_NEAR(j["channels"][0]["output_peak_dbfs"].get<double>(), 20.0 * std::log10(peak), 1e-9);
  EXPECT_NE(r.err.find("warning: "), std::string::npos);
}

TEST(OutputIntegrity, AnInputShorterThanItsHeaderIsReported)
{
  TempFolder dir;
  WriteAll(dir / "whole.wav", Programme(1000, 48000), 48000);
  std::filesystem::copy_file(dir / "whole.wav", dir / "cut.wav");
  std::filesystem::resize_file(dir / "cut.wav", std::filesystem::file_size(dir / "whole.wav") - 4000);
  const CommandResult r = RunCommand({dir / "cut.wav", dir / "out.wav", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["frames"], 500);
  EXPECT_EQ(j["input_frames_declared"], 1000);
  EXPECT_EQ(j["warnings"].size(), 1u);
  EXPECT_NE(r.err.find("warning: input"), std::string::npos);
  const CommandResult whole = RunCommand({dir / "whole.wav", dir / "out2.wav", "--json"});
  EXPECT_EQ(nlohmann::json::parse(whole.out)["warnings"].size(), 0u);
}

TEST(OutputIntegrity, GeneratedLevelsStayInRange)
{
  TempFolder dir;
  const std::pair<const char*, int> cases[] = {{"sine:1000:40", 0},
                                               {"sine:1000:41", 2},
                                               {"noise:400", 2},
                                               {"sweep:50:500:-201", 2},
                                               {"noise:-200", 0}};
  for (const auto& [signal, status] : cases)
    EXPECT_EQ(RunCommand({"--signal", signal, "--seconds", "0.01", dir / "s.wav"}).exitCode, status)
        << signal;
}

} // namespace

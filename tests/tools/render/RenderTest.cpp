// Whole renders through the command, checked against the compressor driven directly.
#include "engine/dsp/KelmoParams.h"
#include "framework/buffers/IByteChunk.h"
#include "tests/tools/render/RenderTestSupport.h"
#include "tools/render/LevelMeter.h"
#include "tools/render/SignalGenerator.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <limits>

using namespace kelmo::render;
using namespace rendertest;

namespace {

Audio Generate(SignalRecipe::Kind kind, double hz, double dbfs, int channels, double rate, int frames)
{
  SignalRecipe recipe;
  recipe.kind = kind;
  recipe.startHz = recipe.endHz = hz;
  recipe.levelDbfs = dbfs;
  SignalGenerator g(recipe, rate, channels, frames);
  Audio a(static_cast<size_t>(channels), std::vector<double>(static_cast<size_t>(frames)));
  std::vector<double*> p;
  for (auto& ch : a)
    p.push_back(ch.data());
  EXPECT_EQ(g.Read(p.data(), frames), frames);
  return a;
}

nlohmann::json Json(const CommandResult& r)
{
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return nlohmann::json::parse(r.out);
}

void ExpectLevels(const nlohmann::json& channel, const char* prefix, const std::vector<double>& samples)
{
  LevelMeter m;
  m.Add(samples.data(), static_cast<int>(samples.size()));
  EXPECT_NEAR(channel[std::string(prefix) + "_peak_dbfs"].get<double>(), *m.PeakDbfs(), 1e-9);
  EXPECT_NEAR(channel[std::string(prefix) + "_rms_dbfs"].get<double>(), *m.RmsDbfs(), 1e-9);
}

class Render : public ::testing::Test
{
protected:
  TempFolder dir;
};

} // namespace

TEST_F(Render, GeneratedSignalAndJsonAgreeWithTheEngineDrivenDirectly)
{
  const CommandResult r = RunCommand({"--signal", "sine:200:-3", "--seconds", "1", "--preset", "42 dV",
                                      "--param", "L Threshold=20", "--json", dir / "out.wav"});
  const nlohmann::json j = Json(r);
  EXPECT_TRUE(r.err.empty()) << r.err;

  const Audio in = Generate(SignalRecipe::Kind::Sine, 200.0, -3.0, 2, 48000.0, 48000);
  auto k = MakeReference();
  ASSERT_TRUE(k->RestorePreset(1));
  k->pendingAutomation = {{kLThreshold, 20.0}};
  const Audio expected = k->Run<double>(in, nullptr, 48000.0, 512);
  // "Link Channel Controls" is on in "42 dV": the right threshold followed.
  EXPECT_EQ(k->GetParam(kRThreshold)->Value(), 20.0);

  double rate = 0.0;
  const Audio written = ReadAll(dir / "out.wav", &rate);
  EXPECT_EQ(rate, 48000.0);
  EXPECT_EQ(written, AsFloat(expected));

  EXPECT_EQ(j["frames"], 48000);
  EXPECT_EQ(j["sample_rate"], 48000.0);
  EXPECT_EQ(j["seconds"], 1.0);
  EXPECT_EQ(j["block_size"], 512);
  EXPECT_EQ(j["precision"], 64);
  EXPECT_EQ(j["path"], "engine");
  EXPECT_GT(j["realtime_factor"].get<double>(), 0.0);
  ASSERT_EQ(j["channels"].size(), 2u);
  for (size_t c = 0; c < 2; ++c) {
    SCOPED_TRACE(c);
    const nlohmann::json& ch = j["channels"][c];
    EXPECT_NEAR(ch["input_peak_dbfs"].get<double>(), -3.0, 1e-6);
    ExpectLevels(ch, "input", in[c]);
    ExpectLevels(ch, "output", expected[c]);
    EXPECT_EQ(ch["meter_gain_reduction_db"].get<double>(), k->Dsp().MeterReadout(static_cast<int>(c)));
    EXPECT_EQ(ch["meter_needle"].get<double>(), k->Dsp().MeterNeedle(static_cast<int>(c)));
    EXPECT_LT(ch["meter_gain_reduction_db"].get<double>(), -1.0); // it compressed
    EXPECT_LT(ch["output_rms_dbfs"].get<double>(), ch["input_rms_dbfs"].get<double>());
  }
}

TEST_F(Render, FileInputOnBothPrecisionsMatchesTheEngine)
{
  const Audio in = Programme(24000, 44100.0);
  WriteAll(dir / "in.wav", in, 44100);
  const Audio stored = ReadAll(dir / "in.wav"); // what the tool reads: the float file

  for (const int bits : {32, 64}) {
    SCOPED_TRACE(bits);
    const std::string out = dir / ("out" + std::to_string(bits) + ".wav");
    const CommandResult r =
        RunCommand({"--precision", std::to_string(bits), "--block", "300", "--param", "Vari Gain=40",
                    "--param", "L Threshold=24", "--json", dir / "in.wav", out});
    const nlohmann::json j = Json(r);
    auto k = MakeReference();
    k->pendingAutomation = {{kVariGain, 40.0}, {kLThreshold, 24.0}};
    const Audio expected = bits == 32 ? k->Run<float>(stored, nullptr, 44100.0, 300)
                                      : k->Run<double>(stored, nullptr, 44100.0, 300);
    double rate = 0.0;
    EXPECT_EQ(ReadAll(out, &rate), AsFloat(expected));
    EXPECT_EQ(rate, 44100.0);
    EXPECT_EQ(j["precision"], bits);
    EXPECT_EQ(j["sample_rate"], 44100.0);
    EXPECT_EQ(j["frames"], 24000);
    ExpectLevels(j["channels"][1], "input", stored[1]);
    ExpectLevels(j["channels"][1], "output", expected[1]);
  }
  // A float file reaches the engine unchanged on both paths, and the engine computes in doubles:
  // the 32-bit output is the 64-bit one rounded to float.
  EXPECT_EQ(ReadAll(dir / "out32.wav"), ReadAll(dir / "out64.wav"));
  // A generated signal has more precision than the 32-bit path hands over: close, not equal.
  for (const auto& [bits, name] : {std::pair{"32", "g32.wav"}, std::pair{"64", "g64.wav"}}) {
    const CommandResult r = RunCommand({"--signal", "sweep:30:3000:-1", "--seconds", "0.3", "--precision",
                                        bits, "--param", "L Threshold=24", dir / name});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  const double d = MaxDifference(ReadAll(dir / "g32.wav"), ReadAll(dir / "g64.wav"));
  EXPECT_GT(d, 0.0);
  EXPECT_LT(d, 1e-5);
}

TEST_F(Render, SameOutputWhateverTheBlockSize)
{
  std::vector<Audio> outputs;
  for (const char* block : {"1", "37", "512", "4096"}) {
    const std::string out = dir / (std::string("b") + block + ".wav");
    const CommandResult r = RunCommand({"--signal", "sweep:40:8000:-2", "--seconds", "0.5", "--block", block,
                                        "--preset", "Drumbus - Smack My Drums Up dV", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    outputs.push_back(ReadAll(out));
  }
  for (size_t i = 1; i < outputs.size(); ++i)
    EXPECT_EQ(outputs[i], outputs[0]) << i;
}

TEST_F(Render, ParametersByNameOrIndexAndPresetsByNameOrIndex)
{
  auto render = [&](const std::string& name, std::vector<std::string> extra) {
    std::vector<std::string> args = {"--signal", "noise:-4", "--seconds", "0.3"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(dir / name);
    const CommandResult r = RunCommand(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return ReadAll(dir / name);
  };
  const Audio plain = render("plain.wav", {});
  // "Channel Link" 1 gives the right channel its own controls.
  const Audio byName = render("name.wav", {"--param", "Channel Link=1", "--param", "Link Channel Controls=0",
                                           "--param", "L Threshold=18"});
  const Audio byIndex = render("index.wav", {"--param", "18=1", "--param", "23=0", "--param", "2=18"});
  EXPECT_EQ(byName, byIndex);
  EXPECT_NE(byName, plain);
  // Unlinked, the right threshold stayed where it was.
  const Audio linked = render("linked.wav", {"--param", "Channel Link=1", "--param", "L Threshold=18"});
  EXPECT_NE(byName, linked);
  EXPECT_NE(byName[0], plain[0]);

  const Audio presetByName = render("pn.wav", {"--preset", "BRN-14: Etherial Pressure"});
  const Audio presetByIndex = render("pi.wav", {"--preset", "29"});
  EXPECT_EQ(presetByName, presetByIndex);
  EXPECT_NE(presetByName, plain);
  const Audio in = Generate(SignalRecipe::Kind::Noise, 0.0, -4.0, 2, 48000.0, 14400);
  auto k = MakeReference();
  ASSERT_TRUE(k->RestorePreset(29));
  EXPECT_EQ(presetByName, AsFloat(k->Run<double>(in, nullptr, 48000.0, 512)));

  // Each "Triode / Pentode" switch by its index (unlinked, so that each moves alone).
  const std::vector<std::string> base = {"--param", "Channel Link=1", "--param", "Link Channel Controls=0",
                                         "--param", "Vari Gain=80"};
  auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), base.begin(), base.end());
    return more;
  };
  const Audio neither = render("t.wav", with({}));
  const Audio left = render("t29.wav", with({"--param", "29=0"}));
  const Audio right = render("t30.wav", with({"--param", "30=0"}));
  EXPECT_NE(left, neither);
  EXPECT_NE(right, neither);
  EXPECT_NE(left, right);
}

TEST_F(Render, UserPresetIsAppliedOverThePresetExactlyAsStored)
{
  // "42 dV" links the channels' controls; the file's different thresholds are kept as they are.
  std::ofstream(dir / "mine.json")
      << R"({"PresetName":"Mine","Params":{"2":22,"10":12,"17":55,"18":1,"20":4,"21":1}})";
  const CommandResult r = RunCommand({"--signal", "sine:150:-2", "--seconds", "0.5", "--preset", "1",
                                      "--user-preset", dir / "mine.json", "--json", dir / "out.wav"});
  const nlohmann::json j = Json(r);

  const Audio in = Generate(SignalRecipe::Kind::Sine, 150.0, -2.0, 2, 48000.0, 24000);
  auto k = MakeReference();
  ASSERT_TRUE(k->RestorePreset(1));
  plugin::IByteChunk chunk;
  for (int i = 0; i < kNumParams; ++i) {
    double v = k->GetParam(i)->Value();
    if (i == kLThreshold) v = 22.0;
    if (i == kRThreshold) v = 12.0;
    if (i == kChannelLink) v = 1.0;
    if (i == kVariGain) v = 55.0; // OverSampling and Delta are never taken from a user preset
    chunk.Put(&v);
  }
  k->SetRestoringHostState(true);
  ASSERT_GT(k->UnserializeParams(chunk, 0), 0);
  k->SetRestoringHostState(false);
  EXPECT_EQ(k->GetParam(kOverSampling)->Value(), 0.0);
  EXPECT_EQ(k->GetParam(kRThreshold)->Value(), 12.0);
  EXPECT_EQ(ReadAll(dir / "out.wav"), AsFloat(k->Run<double>(in, nullptr, 48000.0, 512)));
  EXPECT_EQ(j["channels"][0]["meter_gain_reduction_db"].get<double>(), k->Dsp().MeterReadout(0));
}

TEST_F(Render, MonoAndSideChain)
{
  const CommandResult mono = RunCommand({"--signal", "sine:300:-6", "--channels", "1", "--seconds", "0.2",
                                         "--json", "--param", "L Threshold=20", dir / "mono.wav"});
  const nlohmann::json j = Json(mono);
  EXPECT_EQ(j["channels"].size(), 1u);
  const Audio m = ReadAll(dir / "mono.wav");
  ASSERT_EQ(m.size(), 1u);
  const Audio monoIn = Generate(SignalRecipe::Kind::Sine, 300.0, -6.0, 1, 48000.0, 9600);
  auto k = MakeReference();
  k->pendingAutomation = {{kLThreshold, 20.0}};
  EXPECT_EQ(m, AsFloat(k->Run<double>(monoIn, nullptr, 48000.0, 512)));

  // A side-chain shorter than the input is followed by silence; the external inputs are the
  // defaults of "L/R Sidechain Input", blended in fully.
  const Audio main = Programme(12000, 48000.0);
  Audio side = Generate(SignalRecipe::Kind::Sine, 80.0, 0.0, 2, 48000.0, 8000);
  WriteAll(dir / "main.wav", main, 48000);
  WriteAll(dir / "side.wav", side, 48000);
  const CommandResult r = RunCommand({"--sidechain", dir / "side.wav", "--param", "L Sidechain blend=100",
                                      "--param", "L Threshold=10", dir / "main.wav", dir / "sc.wav"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto ks = MakeReference();
  ks->pendingAutomation = {{kLSidechainBlend, 100.0}, {kLThreshold, 10.0}};
  const Audio storedSide = AsFloat(side);
  const Audio expected = ks->Run<double>(ReadAll(dir / "main.wav"), &storedSide, 48000.0, 512);
  EXPECT_EQ(ReadAll(dir / "sc.wav"), AsFloat(expected));
  const CommandResult none = RunCommand(
      {"--param", "L Sidechain blend=100", "--param", "L Threshold=10", dir / "main.wav", dir / "nosc.wav"});
  ASSERT_EQ(none.exitCode, 0);
  EXPECT_NE(ReadAll(dir / "nosc.wav"), ReadAll(dir / "sc.wav"));
}

TEST_F(Render, HostileAudioStaysFiniteAndTheOutputMayReplaceTheInput)
{
  Audio in = Programme(4800, 48000.0);
  for (size_t i = 100; i < 4800; i += 97) {
    in[0][i] = std::numeric_limits<double>::quiet_NaN();
    in[1][i] = i % 2 ? std::numeric_limits<double>::infinity() : -1e300;
  }
  WriteAll(dir / "x.wav", in, 48000);
  const CommandResult r =
      RunCommand({"--preset", "42 dV", "--param", "Vari Gain=100", "--json", dir / "x.wav", dir / "x.wav"});
  const nlohmann::json j = Json(r);
  const Audio out = ReadAll(dir / "x.wav");
  ASSERT_EQ(out[0].size(), 4800u);
  for (const auto& ch : out)
    for (double v : ch)
      ASSERT_TRUE(std::isfinite(v));
  EXPECT_FALSE(j["channels"][1]["output_peak_dbfs"].is_null());
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"x.wav"});
}

TEST_F(Render, SilenceAndImpulseReportNullLevelsWhereSilent)
{
  const nlohmann::json s =
      Json(RunCommand({"--signal", "silence", "--seconds", "0.1", "--json", dir / "s.wav"}));
  EXPECT_TRUE(s["channels"][0]["input_peak_dbfs"].is_null());
  EXPECT_TRUE(s["channels"][0]["input_rms_dbfs"].is_null());
  const nlohmann::json i =
      Json(RunCommand({"--signal", "impulse", "--seconds", "0.1", "--json", dir / "i.wav"}));
  EXPECT_EQ(i["channels"][0]["input_peak_dbfs"].get<double>(), 0.0);
  EXPECT_NEAR(i["channels"][0]["input_rms_dbfs"].get<double>(), 10.0 * std::log10(1.0 / 4800.0), 1e-9);
  // The defaults are transparent.
  EXPECT_NEAR(i["channels"][0]["output_peak_dbfs"].get<double>(), 0.0, 1e-6);
}

// Bad files and plug-in failures: exit status 1 (status 2 for names), one line naming the
// problem, no output file and no temporary file; an existing output stays as it was.
TEST_F(Render, BadFilesLeaveNoOutput)
{
  WriteAll(dir / "in.wav", Programme(1000, 48000.0), 48000);
  WriteAll(dir / "three.wav", Audio(3, std::vector<double>(100, 0.1)), 48000);
  WriteAll(dir / "sc44.wav", Audio(2, std::vector<double>(100, 0.1)), 44100);
  std::ofstream(dir / "junk.wav") << "not audio at all";
  std::ofstream(dir / "bad.json") << R"({"Params": {"2": 12,)";
  std::filesystem::create_directory(dir / "sub");
  std::ofstream(dir / "keep.wav") << "keep";

  const std::string out = dir / "out.wav";
  const std::string in = dir / "in.wav";
  const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
      {{dir / "missing.wav", out}, 1, "cannot read"},
      {{dir / "junk.wav", out}, 1, "cannot read"},
      {{dir / "sub", out}, 1, "not a regular file"},
      {{dir / "three.wav", out}, 1, "has 3 channels; 1 or 2 are supported"},
      {{"--sidechain", dir / "sc44.wav", in, out}, 1, "runs at 44100 Hz, the input at 48000 Hz"},
      {{"--sidechain", dir / "three.wav", in, out}, 1, "side-chain"},
      {{"--sidechain", dir / "missing.wav", in, out}, 1, "side-chain: cannot read"},
      {{"--user-preset", dir / "bad.json", in, out}, 1, "not a preset file"},
      {{"--user-preset", dir / "missing.json", in, out}, 1, "cannot read user preset"},
      {{"--param", "Loudness=3", in, out}, 2, "unknown parameter 'Loudness'"},
      {{"--param", "L Threshold=abc", in, out}, 2, "'abc' is not a number"},
      {{"--param", "Triode / Pentode=1", in, out}, 2, "give the index instead"},
      {{"--preset", "No Such Preset", in, out}, 2, "unknown factory preset"},
      {{"--preset", "40", in, out}, 2, "0 to 31"},
      {{in, dir / "nofolder/out.wav"}, 1, "No such file or directory"},
      {{in, dir / "sub/"}, 2, "must be a .wav"},
      {{"--vst3", dir / "Nothing.vst3", in, out}, 1, "cannot load VST3 bundle"},
      {{"--param", "L Threshold=99", dir / "missing.wav", dir / "keep.wav"}, 1, "cannot read"},
      {{"--param", "L Threshold=99", in, dir / "keep.wav"}, 2, "outside"},
  };
  for (const auto& [args, status, message] : cases) {
    std::string joined;
    for (const auto& a : args)
      joined += "[" + a + "] ";
    SCOPED_TRACE(joined);
    const CommandResult r = RunCommand(args);
    EXPECT_EQ(r.exitCode, status);
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(std::filesystem::exists(out));
    std::string kept;
    std::ifstream(dir / "keep.wav") >> kept;
    EXPECT_EQ(kept, "keep");
    for (const std::string& name : dir.Entries())
      EXPECT_NE(name[0], '.') << "left behind: " << name;
  }
}

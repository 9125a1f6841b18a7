// The same renders through the compressor's VST3 bundle instead of the built-in engine.
#include "tests/tools/render/RenderTestSupport.h"

#include <nlohmann/json.hpp>

#include <fstream>

using namespace rendertest;

namespace {

class Vst3Render : public ::testing::Test
{
protected:
  // Renders once through the engine and once through the bundle; returns both outputs.
  std::pair<Audio, Audio> Both(std::vector<std::string> args, nlohmann::json* engineJson = nullptr,
                               nlohmann::json* vst3Json = nullptr)
  {
    std::vector<std::string> viaEngine = args, viaBundle = args;
    viaEngine.insert(viaEngine.end(), {"--json", dir / "engine.wav"});
    viaBundle.insert(viaBundle.end(), {"--json", "--vst3", KELMO_BUNDLE, dir / "vst3.wav"});
    const CommandResult e = RunCommand(viaEngine);
    const CommandResult v = RunCommand(viaBundle);
    EXPECT_EQ(e.exitCode, 0) << e.err;
    EXPECT_EQ(v.exitCode, 0) << v.err;
    if (engineJson && e.exitCode == 0) *engineJson = nlohmann::json::parse(e.out);
    if (vst3Json && v.exitCode == 0) *vst3Json = nlohmann::json::parse(v.out);
    return {ReadAll(dir / "engine.wav"), ReadAll(dir / "vst3.wav")};
  }

  TempFolder dir;
};

} // namespace

TEST_F(Vst3Render, BundleRendersLikeTheEngineOnBothPrecisions)
{
  for (const char* bits : {"32", "64"}) {
    SCOPED_TRACE(bits);
    nlohmann::json ej, vj;
    const auto [engine, vst3] =
        Both({"--signal", "sweep:60:6000:-3", "--seconds", "0.5", "--precision", bits, "--block", "256",
              "--preset", "42 dV", "--param", "L Threshold=16", "--param", "OverSampling=2"},
             &ej, &vj);
    // Automation reaches the bundle as normalised values; the rest is the same code.
    EXPECT_LT(MaxDifference(engine, vst3), 1e-6);
    EXPECT_EQ(vj["path"], "vst3");
    EXPECT_EQ(vj["frames"], ej["frames"]);
    for (size_t c = 0; c < 2; ++c) {
      EXPECT_NEAR(vj["channels"][c]["output_rms_dbfs"].get<double>(),
                  ej["channels"][c]["output_rms_dbfs"].get<double>(), 1e-4);
      EXPECT_TRUE(vj["channels"][c]["meter_gain_reduction_db"].is_null());
      EXPECT_TRUE(vj["channels"][c]["meter_needle"].is_null());
    }
  }
}

TEST_F(Vst3Render, PresetsUserPresetsMonoAndSideChainThroughTheBundle)
{
  // A preset whose left sidechain frequency lies below the left range, recalled with linking on:
  // the state restore must treat it exactly as the engine's own recall.
  auto [e1, v1] = Both({"--signal", "noise:-6", "--seconds", "0.3", "--preset", "BRN-14: Etherial Pressure"});
  EXPECT_LT(MaxDifference(e1, v1), 1e-6);

  std::ofstream(dir / "u.json") << R"({"PresetName":"U","Params":{"2":25,"10":14,"18":1,"29":0,"17":70}})";
  auto [e2, v2] =
      Both({"--signal", "sine:120:-3", "--seconds", "0.3", "--preset", "3", "--user-preset", dir / "u.json"});
  EXPECT_LT(MaxDifference(e2, v2), 1e-6);

  auto [e3, v3] = Both({"--signal", "sine:500:-4", "--channels", "1", "--seconds", "0.2", "--param", "2=20"});
  ASSERT_EQ(v3.size(), 1u);
  EXPECT_LT(MaxDifference(e3, v3), 1e-6);

  WriteAll(dir / "side.wav", Audio(2, std::vector<double>(4800, 0.8)), 48000);
  auto [e4, v4] = Both({"--signal", "sine:500:-4", "--seconds", "0.2", "--sidechain", dir / "side.wav",
                        "--param", "L Sidechain blend=100", "--param", "2=15"});
  EXPECT_LT(MaxDifference(e4, v4), 1e-6);
  auto [e5, v5] = Both({"--signal", "sine:500:-4", "--seconds", "0.2", "--param", "2=15"});
  EXPECT_GT(MaxDifference(e4, e5), 1e-3); // the side-chain took part
}

TEST_F(Vst3Render, SyncedReleaseFollowsTheTempoThroughTheBundle)
{
  // Auto release synced to quarter notes: the release time comes from the tempo alone.
  WriteAll(dir / "in.wav", Programme(24000, 48000.0), 48000);
  const std::vector<std::string> synced = {"--param", "L Threshold=24",   "--param",     "L Auto Release=1",
                                           "--param", "L Sync Release=3", dir / "in.wav"};
  auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), synced.begin(), synced.end());
    return more;
  };
  const auto [e90, v90] = Both(with({"--tempo", "90"}));
  EXPECT_LT(MaxDifference(e90, v90), 1e-6);
  const auto [e160, v160] = Both(with({"--tempo", "160", "--precision", "32", "--block", "100"}));
  EXPECT_LT(MaxDifference(e160, v160), 1e-6);
  EXPECT_GT(MaxDifference(v90, v160), 1e-3);
  // Without --tempo both paths run at the default 120.
  const auto [e120, v120] = Both(with({}));
  EXPECT_LT(MaxDifference(e120, v120), 1e-6);
  EXPECT_GT(MaxDifference(v120, v90), 1e-3);
}

TEST_F(Vst3Render, ParameterNamesComeFromTheBundle)
{
  const CommandResult r = RunCommand({"--signal", "silence", "--seconds", "0.1", "--vst3", KELMO_BUNDLE,
                                      "--param", "Triode / Pentode=1", dir / "o.wav"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("29 or 30"), std::string::npos) << r.err;
  const CommandResult ok = RunCommand({"--signal", "silence", "--seconds", "0.1", "--vst3", KELMO_BUNDLE,
                                       "--param", "\xCE\xBC-Diff=50", dir / "o.wav"});
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
}

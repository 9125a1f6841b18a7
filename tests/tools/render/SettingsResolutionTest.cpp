// --param, --preset and --user-preset resolved against the compressor's own parameters.
#include "engine/presets/FactoryPresets.h"
#include "engine/dsp/KelmoParams.h"
#include "tests/tools/render/RenderTestSupport.h"
#include "tools/render/EngineTarget.h"
#include "tools/render/FactoryPresetChoice.h"
#include "tools/render/NumberText.h"
#include "tools/render/ParamAssignment.h"
#include "tools/render/UserPresetInput.h"

#include <fstream>

using namespace kelmo::render;
using namespace rendertest;

namespace {

const std::vector<ParamInfo>& Catalog()
{
  static EngineTarget target;
  return target.Params();
}

ParamAssignment Resolved(const std::string& text)
{
  ParamAssignment a;
  std::string error;
  EXPECT_TRUE(ResolveParamAssignment(text, Catalog(), a, error)) << error;
  return a;
}

std::string Refusal(const std::string& text)
{
  ParamAssignment a;
  std::string error;
  EXPECT_FALSE(ResolveParamAssignment(text, Catalog(), a, error)) << text;
  return error;
}

void WriteText(const std::string& path, const std::string& text)
{
  std::ofstream f(path, std::ios::binary);
  f << text;
}

} // namespace

TEST(NumberText, StrictFiniteNumbers)
{
  double v = 0.0;
  EXPECT_TRUE(ParseFiniteNumber(" -6.5 ", v));
  EXPECT_EQ(v, -6.5);
  EXPECT_TRUE(ParseFiniteNumber("+3", v));
  EXPECT_EQ(v, 3.0);
  EXPECT_TRUE(ParseFiniteNumber("1e-3", v));
  EXPECT_EQ(v, 0.001);
  for (const char* bad :
       {"", " ", "abc", "3x", "nan", "inf", "-inf", "1e999", "0x10", "++3", "+-3", "3 4", "1,5"})
    EXPECT_FALSE(ParseFiniteNumber(bad, v)) << bad;
  int64_t w = 0;
  EXPECT_TRUE(ParseWholeNumber("512", w));
  EXPECT_EQ(w, 512);
  for (const char* bad : {"5.0", "1e3", "", "99999999999999999999", "0x1"})
    EXPECT_FALSE(ParseWholeNumber(bad, w)) << bad;
}

TEST(ParamResolution, ByNameOrIndexInTheParametersOwnUnit)
{
  ASSERT_EQ(Catalog().size(), static_cast<size_t>(kNumParams));
  EXPECT_EQ(Resolved("L Threshold=20").index, kLThreshold);
  EXPECT_EQ(Resolved("L Threshold=20").value, 20.0);
  EXPECT_EQ(Resolved("2=20").index, kLThreshold);
  EXPECT_EQ(Resolved("  R Release = 1200 ").value, 1200.0);
  EXPECT_EQ(Resolved("\xCE\xBC-Diff=45.42").index, kMuDiff);
  EXPECT_EQ(Resolved("OverSampling=4").value, 4.0);
  EXPECT_EQ(Resolved("L Sync Release=3").index, kLSyncRelease);
  // The twins' ranges differ: 5 Hz is fine on the right only.
  EXPECT_EQ(Resolved("R Sidechain Frequency=5").value, 5.0);
  EXPECT_NE(Refusal("L Sidechain Frequency=5").find("outside L Sidechain Frequency's range 50 to 1800"),
            std::string::npos);
  // "Triode / Pentode" names two switches: only the index tells them apart.
  EXPECT_EQ(Resolved("29=0").index, kLTriodePentode);
  EXPECT_EQ(Resolved("30=0").index, kRTriodePentode);
  const std::string ambiguous = Refusal("Triode / Pentode=0");
  EXPECT_NE(ambiguous.find("names 2 parameters"), std::string::npos) << ambiguous;
  EXPECT_NE(ambiguous.find("29 or 30"), std::string::npos) << ambiguous;
}

TEST(ParamResolution, RefusalsNameTheProblem)
{
  const std::pair<const char*, const char*> cases[] = {
      {"L Threshold", "expected NAME=VALUE"},
      {"=3", "name is missing"},
      {"L Threshold=", "value is missing"},
      {"L Threshold=loud", "'loud' is not a number"},
      {"L Threshold=nan", "is not a number"},
      {"L Threshold=inf", "is not a number"},
      {"L Threshold=37", "outside L Threshold's range 0 to 36"},
      {"L Threshold=-1", "outside"},
      {"l threshold=3", "unknown parameter 'l threshold'"},
      {"Threshold=3", "unknown parameter"},
      {"44=1", "no parameter has index 44"},
      {"99999999999999999999=1", "no parameter has index"},
      {"OverSampling=2.5", "takes whole numbers"},
      {"L Sidechain Input=1.5", "takes whole numbers"},
  };
  for (const auto& [text, message] : cases) {
    const std::string error = Refusal(text);
    EXPECT_NE(error.find(message), std::string::npos) << text << " -> " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

TEST(PresetResolution, ByIndexOrExactName)
{
  const auto presets = FactoryPresets();
  int index = -1;
  std::string error;
  for (size_t i = 0; i < presets.size(); ++i) {
    ASSERT_TRUE(ResolveFactoryPreset(presets[i].name, index, error)) << presets[i].name;
    EXPECT_EQ(index, static_cast<int>(i));
    ASSERT_TRUE(ResolveFactoryPreset(std::to_string(i), index, error));
    EXPECT_EQ(index, static_cast<int>(i));
  }
  EXPECT_TRUE(ResolveFactoryPreset("RKvenlor Classic Pentode 1dB", index, error));
  EXPECT_EQ(index, 13);
  EXPECT_FALSE(ResolveFactoryPreset("RKVenlor Classic Pentode 1dB", index, error)); // case matters
  EXPECT_NE(error.find("unknown factory preset"), std::string::npos);
  EXPECT_FALSE(ResolveFactoryPreset("32", index, error)); // records 32 on are empty
  EXPECT_NE(error.find("0 to 31"), std::string::npos);
  EXPECT_FALSE(ResolveFactoryPreset("99999999999999999999", index, error)); // beyond 64 bits
  EXPECT_NE(error.find("no factory preset has that index"), std::string::npos) << error;
  EXPECT_FALSE(ResolveFactoryPreset("-1", index, error));
  EXPECT_FALSE(ResolveFactoryPreset("42", index, error)); // not "42 dV"
}

TEST(UserPresetResolution, ReadsValuesAndRefusesWhatIsNotAPreset)
{
  TempFolder dir;
  std::vector<UserPresetAssignment> values;
  std::string error;

  WriteText(dir / "good.json",
            R"({"PresetName":"Mine","Params":{"2":12.5,"20":3,"21":1,"37":1,"29":0,"05":9,"7":"3","44":1}})");
  ASSERT_TRUE(ReadUserPresetInput(dir / "good.json", values, error)) << error;
  ASSERT_EQ(values.size(), 2u); // 20, 21 and 37 are never applied; "05", "3" as text and 44 ignored
  EXPECT_EQ(values[0].paramIdx, 2);
  EXPECT_EQ(values[0].value, 12.5);
  EXPECT_EQ(values[1].paramIdx, 29);

  std::vector<double> full(kNumParams, -1.0);
  OverlayUserPreset(full, values);
  EXPECT_EQ(full[2], 12.5);
  EXPECT_EQ(full[29], 0.0);
  EXPECT_EQ(full[3], -1.0);

  // Wrong types are ignored one by one, as the plug-in does; the file is still a user preset.
  WriteText(dir / "numbered.json", R"({"Params":{"24":3.0},"PresetName":7})");
  ASSERT_TRUE(ReadUserPresetInput(dir / "numbered.json", values, error)) << error;
  EXPECT_EQ(values.size(), 1u);
  WriteText(dir / "array.json", "[1,2,3]");
  ASSERT_TRUE(ReadUserPresetInput(dir / "array.json", values, error)) << error;
  EXPECT_TRUE(values.empty());

  WriteText(dir / "broken.json", R"({"Params":{"2":12.5})");
  WriteText(dir / "nul.json", std::string(R"({"Params":{"2":12.5}})") + '\0');
  WriteText(dir / "nada.json", "nada");
  WriteText(dir / "empty.json", "");
  WriteText(dir / "big.json", std::string(1024 * 1024 + 1, ' '));
  std::filesystem::create_directory(dir / "folder.json");
  const std::pair<std::string, const char*> cases[] = {
      {dir / "missing.json", "No such file"},     {dir / "folder.json", "not a regular file"},
      {dir / "broken.json", "not a preset file"}, {dir / "nul.json", "not a preset file"},
      {dir / "nada.json", "not a preset file"},   {dir / "empty.json", "not a preset file"},
      {dir / "big.json", "larger than 1 MiB"},
  };
  for (const auto& [path, message] : cases) {
    EXPECT_FALSE(ReadUserPresetInput(path, values, error)) << path;
    EXPECT_NE(error.find(message), std::string::npos) << path << " -> " << error;
  }
}

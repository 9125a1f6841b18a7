#include "engine/presets/UserPresetFormat.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dsp/KelmoParams.h"
#include "engine/presets/UserPresetFileIO.h"
#include "engine/presets/UserPresetLocation.h"
#include "support/TempFolder.h"

namespace {

using Assignments = std::vector<std::pair<int, double>>;

Assignments Parsed(const std::string& text)
{
  const auto contents = ParseUserPresetFile(text);
  EXPECT_TRUE(contents.has_value()) << text;
  Assignments out;
  if (contents)
    for (const auto& a : contents->assignments)
      out.emplace_back(a.paramIdx, a.value);
  return out;
}

bool CountsAsMissing(const std::string& text)
{
  return !ParseUserPresetFile(text).has_value();
}

} // namespace

TEST(UserPresetParse, AppliesIndicesExceptTheSkippedOnes)
{
  EXPECT_EQ(Parsed(R"({"PresetName":"Mine","Params":{"1":3.3,"20":2,"37":1,"26":1.5}})"),
            (Assignments{{1, 3.3}, {26, 1.5}}));
  EXPECT_EQ(Parsed(R"({"Params":{"21":1,"26":1.5}})"), (Assignments{{26, 1.5}}));
  // Values come back unconstrained, in ascending index order whatever the file's order.
  EXPECT_EQ(Parsed(R"({"Params":{"35":2.6,"2":50,"20":3,"43":-7}})"),
            (Assignments{{2, 50}, {35, 2.6}, {43, -7}}));
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(IsUserPresetSkippedIndex(i), i == kOverSampling || i == kDelta || i == kComparisonSlot) << i;
}

TEST(UserPresetParse, NameIsReadWhenPresent)
{
  EXPECT_EQ(ParseUserPresetFile(R"({"PresetName":"Drums \u00e9","Params":{}})")->name, "Drums \xc3\xa9");
  EXPECT_EQ(ParseUserPresetFile(R"({"Params":{"0":0}})")->name, std::nullopt);
  // Members other than the two are ignored; a file without "Params" applies nothing.
  const auto noParams = ParseUserPresetFile(R"({"PresetName":"x","Other":[1,2]})");
  ASSERT_TRUE(noParams);
  EXPECT_TRUE(noParams->assignments.empty());
}

TEST(UserPresetParse, OnlyPlainDecimalKeysBelowTheCount)
{
  EXPECT_EQ(
      Parsed(R"({"Params":{"05":1,"5.0":1,"44":1,"-1":1,"+5":1," 5":1,"5 ":1,"":1,"0x5":1,"100":1,"5":2}})"),
      (Assignments{{5, 2}}));
  EXPECT_EQ(Parsed(R"({"Params":{"0":1,"43":0.5,"00":9}})"), (Assignments{{0, 1}, {43, 0.5}}));
}

TEST(UserPresetParse, NonNumberValuesSkipOnlyTheirIndex)
{
  EXPECT_EQ(Parsed(R"({"Params":{"1":false,"2":"1","3":null,"4":[1],"5":{"v":1},"6":true,"7":-2.5}})"),
            (Assignments{{7, -2.5}}));
  // Integer, unsigned and floating-point numbers all read as doubles.
  EXPECT_EQ(Parsed(R"({"Params":{"1":-3,"2":18446744073709551615,"3":1e2,"4":-0.0}})"),
            (Assignments{{1, -3}, {2, 18446744073709551615.0}, {3, 100}, {4, 0}}));
}

TEST(UserPresetParse, BrokenFilesCountAsMissing)
{
  for (const char* text : {
           "",
           "nada",
           " ",
           "{",
           "}",
           "{\"Params\":}",
           "{\"Params\":{\"1\":1,}}",
           "{\"Params\":{\"1\":1}} x",
           "/* c */ {\"Params\":{}}",
           "{\"Params\":{\"1\":1 // c\n}}",
           "{'Params':{}}",
           "{\"Params\":{\"1\":NaN}}",
           "{\"Params\":{\"1\":Infinity}}",
           "{\"Params\":{\"1\":1e400}}",
           "{\"Params\":{\"1\":-1e400}}",
           "{\"Params\":{\"1\":01}}",
       })
    EXPECT_TRUE(CountsAsMissing(text)) << text;
  EXPECT_TRUE(CountsAsMissing(std::string("{\"Params\":{\"1\":1}}\0", 19)));
  EXPECT_TRUE(CountsAsMissing(std::string("{\"Params\":{\"1\":1}}\0junk", 23)));
  EXPECT_TRUE(CountsAsMissing(std::string("{\"Params\":{\"1\":1},\"PresetName\":\"a\0b\"}", 37)));
}

// A document that parses is a user preset whatever its types, each wrong part ignored alone.
TEST(UserPresetParse, WrongTypesAreIgnoredOneByOne)
{
  EXPECT_EQ(Parsed(R"({"Params":{"24":3.0},"PresetName":7})"), (Assignments{{24, 3.0}}));
  EXPECT_EQ(ParseUserPresetFile(R"({"Params":[1,2],"PresetName":"a"})")->name, "a");
  for (const char* text : {R"({"PresetName":null})", R"({"PresetName":["x"]})", R"({"Params":"x"})",
                           R"({"Params":null})", "[]", "3", "\"text\"", "null", "true"}) {
    const auto contents = ParseUserPresetFile(text);
    ASSERT_TRUE(contents) << text;
    EXPECT_TRUE(!contents->name && contents->assignments.empty()) << text;
  }
}

TEST(UserPresetParse, EveryTruncationOfAGoodFileCountsAsMissing)
{
  const std::string good = R"({"Params":{"0":1,"1":3.3,"26":1.5,"35":3},"PresetName":"Good one"})";
  ASSERT_FALSE(CountsAsMissing(good));
  for (std::size_t n = 0; n < good.size(); ++n)
    EXPECT_TRUE(CountsAsMissing(good.substr(0, n))) << n;
}

TEST(UserPresetParse, DeepNestingIsRefused)
{
  std::string deep = "{\"Params\":{},\"x\":" + std::string(100000, '[') + std::string(100000, ']') + "}";
  EXPECT_TRUE(CountsAsMissing(deep));
  // Brackets inside strings do not count as nesting.
  EXPECT_EQ(
      ParseUserPresetFile(R"({"PresetName":"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\"[[","Params":{"1":1}})")
          ->assignments.size(),
      1u);
}

TEST(UserPresetFormat, CompactSortedText)
{
  const std::vector<UserPresetValue> values = {
      {kPower, 1, false},      {kLWetGain, 0, true},        {kLRelease, 450, true},
      {kPluginScale, 1, true}, {kLSyncRelease, 2.7, false}, {kRSyncRelease, -0.4, false},
      {kDryBlend, 0.1, true},
  };
  EXPECT_EQ(FormatUserPresetFile(values, "Name"),
            R"({"Params":{"0":1,"1":0.0,"26":1.0,"31":0.1,"35":2,"36":0,"5":450.0},"PresetName":"Name"})");
}

TEST(UserPresetFormat, SkipsWhatAFileNeverHolds)
{
  std::vector<UserPresetValue> all;
  for (int i = 0; i < kNumParams; ++i)
    all.push_back({i, 0.25, true});
  all.push_back({kNumParams, 1, true});
  all.push_back({-1, 1, true});
  all.push_back({kLAttack, std::numeric_limits<double>::quiet_NaN(), true}); // later duplicate, not finite
  all.push_back({kPower, 1e300, false});
  const auto text = FormatUserPresetFile(all, "All");
  ASSERT_TRUE(text);
  const auto parsed = ParseUserPresetFile(*text);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->assignments.size(), 41u);
  for (const auto& a : parsed->assignments) {
    EXPECT_FALSE(IsUserPresetSkippedIndex(a.paramIdx));
    EXPECT_EQ(a.value, 0.25) << a.paramIdx;
  }
  EXPECT_EQ(text->find("\"20\""), std::string::npos);
  EXPECT_NE(text->find("\"26\":0.25"), std::string::npos);
}

TEST(UserPresetFormat, NamesKeepUtf8AndReplaceInvalidBytes)
{
  EXPECT_EQ(*FormatUserPresetFile({}, "Br\xc3\xbc"
                                      "cke"),
            "{\"Params\":{},\"PresetName\":\"Br\xc3\xbc"
            "cke\"}");
  EXPECT_EQ(*FormatUserPresetFile({}, "a\xff"), "{\"Params\":{},\"PresetName\":\"a\xef\xbf\xbd\"}");
  EXPECT_EQ(*FormatUserPresetFile({}, "q\"\\"), R"({"Params":{},"PresetName":"q\"\\"})");
}

TEST(UserPresetFormat, RoundTripsExactDoublesThroughAFile)
{
  testsupport::TempFolder tmp;
  SetUserPresetFolder(tmp / "Quillmere/Kelmo Presets");
  const std::vector<UserPresetValue> values = {
      {kLThreshold, 8.96, true}, {kLAttack, 1.0 / 3.0, true},  {kNoiseAmount, 1e-300, true},
      {kOutputGain, -0.1, true}, {kLSidechainInput, 1, false}, {kRRelease, 834.4, true},
  };
  const auto text = FormatUserPresetFile(values, "Round trip");
  ASSERT_TRUE(text);
  ASSERT_TRUE(WriteStringToFile(UserPresetPath(5), *text));
  const auto parsed = ParseUserPresetFile(ReadFileToString(UserPresetPath(5)));
  SetUserPresetFolder("");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->name, "Round trip");
  ASSERT_EQ(parsed->assignments.size(), values.size());
  const Assignments expected = {{kLThreshold, 8.96}, {kLAttack, 1.0 / 3.0},  {kRRelease, 834.4},
                                {kOutputGain, -0.1}, {kNoiseAmount, 1e-300}, {kLSidechainInput, 1}};
  Assignments got;
  for (const auto& a : parsed->assignments)
    got.emplace_back(a.paramIdx, a.value);
  EXPECT_EQ(got, expected);
}

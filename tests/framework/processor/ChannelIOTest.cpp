#include "framework/processor/IOConfig.h"
#include "framework/processor/IPluginProcessor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace plugin;

namespace {

constexpr const char* kPluginIO = "  1-1   1.1-1   1.2-1   1.2-2   2.1-1   2.1-2   2-2   2.2-2";

struct Parsed
{
  std::vector<std::unique_ptr<IOConfig>> configs;
  int maxNIn = -1, maxNOut = -1, maxNInBuses = -1, maxNOutBuses = -1;
  int n = -1;
  explicit Parsed(const char* str)
  {
    n = ParseChannelIOStr(str, configs, maxNIn, maxNOut, maxNInBuses, maxNOutBuses);
  }
};

class QueryProcessor : public IPluginProcessor
{
public:
  explicit QueryProcessor(const char* io) : IPluginProcessor(Config(io), 1) {}
  bool SendMidiMsg(const IMidiMsg&) override { return true; }
  static IPluginConfig Config(const char* io)
  {
    IPluginConfig c;
    c.mChannelIOStr = io;
    return c;
  }
};

// Parsed configurations written back as text ("*" for a wildcard), and the four maxima.
std::string Parse(const char* str)
{
  std::vector<std::unique_ptr<IOConfig>> configs;
  int m[4];
  const int n = ParseChannelIOStr(str, configs, m[0], m[1], m[2], m[3]);
  std::string text = std::to_string(n) + ":";
  for (const auto& c : configs)
    for (ERoute d : {kInput, kOutput}) {
      text += d == kInput ? " " : "-";
      for (int b = 0; b < c->NBuses(d); ++b)
        text += (b ? "." : "") +
                (c->GetBusInfo(d, b)->IsWildcard() ? "*" : std::to_string(c->GetBusInfo(d, b)->mNChans));
    }
  for (int v : m)
    text += " " + std::to_string(v);
  return text;
}

} // namespace

TEST(ChannelIOParser, ThePluginsStringGivesEightConfigurations)
{
  Parsed p(kPluginIO);
  EXPECT_EQ(p.n, 8);
  ASSERT_EQ(p.configs.size(), 8u);
  EXPECT_EQ(p.maxNIn, 4);
  EXPECT_EQ(p.maxNOut, 2);
  EXPECT_EQ(p.maxNInBuses, 2);
  EXPECT_EQ(p.maxNOutBuses, 1);
  // "1.2-1": buses of 1 and 2 input channels, one output bus of 1
  const IOConfig& c = *p.configs[2];
  ASSERT_EQ(c.NBuses(kInput), 2);
  EXPECT_EQ(c.GetBusInfo(kInput, 0)->mNChans, 1);
  EXPECT_EQ(c.GetBusInfo(kInput, 1)->mNChans, 2);
  EXPECT_EQ(c.GetBusInfo(kInput, 1)->mDirection, kInput);
  EXPECT_EQ(c.GetBusInfo(kOutput, 0)->mDirection, kOutput);
  EXPECT_EQ(c.GetTotalNChannels(kInput), 3);
  EXPECT_EQ(c.GetBusInfo(kInput, 2), nullptr);
  EXPECT_EQ(c.GetBusInfo(kInput, -1), nullptr);
}

TEST(ChannelIOParser, ZeroBusesAreDroppedAndWildcardsCountMinus64)
{
  Parsed zero("2.0-2");
  ASSERT_EQ(zero.n, 1);
  EXPECT_EQ(zero.configs[0]->NBuses(kInput), 1);
  EXPECT_EQ(zero.configs[0]->GetTotalNChannels(kInput), 2);

  Parsed wild("*-2 1-1");
  ASSERT_EQ(wild.n, 2);
  EXPECT_EQ(wild.configs[0]->GetBusInfo(kInput, 0)->mNChans, -64);
  EXPECT_TRUE(wild.configs[0]->ContainsWildcard(kInput));
  EXPECT_EQ(wild.configs[0]->GetTotalNChannels(kInput), -64);
  EXPECT_EQ(wild.maxNIn, 1); // the wildcard's -64 never raises the maximum

  Parsed mixed("*.100-1");
  EXPECT_EQ(mixed.maxNIn, 36); // wildcard total plus the real bus
}

TEST(ChannelIOParser, OddTokensAreReadWithoutFailing)
{
  Parsed none("");
  EXPECT_EQ(none.n, 0);
  EXPECT_EQ(none.maxNIn, 0);
  Parsed null(nullptr);
  EXPECT_EQ(null.n, 0);

  Parsed noOutput("2");
  ASSERT_EQ(noOutput.n, 1);
  EXPECT_EQ(noOutput.configs[0]->NBuses(kOutput), 0);
  Parsed leadingDash("-2");
  EXPECT_EQ(leadingDash.configs[0]->GetTotalNChannels(kInput), 2); // leading separators are skipped
  Parsed extra("1-2-5");
  EXPECT_EQ(extra.configs[0]->GetTotalNChannels(kOutput), 2); // a third side is ignored
  Parsed words("abc-xyz");
  EXPECT_EQ(words.configs[0]->NBuses(kInput), 0);
  Parsed huge("99999999999999999999-1");
  EXPECT_EQ(huge.maxNIn, 4096); // no overflow, bounded
}

// Every configuration and the four maxima, for the plug-in's string and odd ones.
TEST(ChannelIOParser, WholeParseTable)
{
  const std::pair<const char*, const char*> cases[] = {
      {kPluginIO, "8: 1-1 1.1-1 1.2-1 1.2-2 2.1-1 2.1-2 2-2 2.2-2 4 2 2 1"},
      {"2.0-2", "1: 2-2 2 2 1 1"}, // a zero bus is dropped
      {"*-2 1-1", "2: *-2 1-1 1 2 1 1"},
      {"*.100-1", "1: *.100-1 36 1 2 1"},
      {"", "0: 0 0 0 0"},
      {nullptr, "0: 0 0 0 0"},
      {"-2", "1: 2- 2 0 1 0"},
      {"1-2-5", "1: 1-2 1 2 1 1"},
      {"abc-xyz", "1: - 0 0 0 0"},
      {"99999999999999999999-1", "1: 4096-1 4096 1 1 1"},
  };
  for (const auto& [str, parsed] : cases)
    EXPECT_EQ(Parse(str), parsed) << (str ? str : "null");
}

TEST(ChannelIOQueries, BusAndChannelQueriesOfThePluginString)
{
  QueryProcessor p(kPluginIO);
  EXPECT_EQ(p.NChannels(kInput), 4);
  EXPECT_EQ(p.NChannels(kOutput), 2);
  int idx = -1;
  EXPECT_EQ(p.MaxNBuses(kInput, &idx), 2);
  EXPECT_EQ(idx, 7);
  EXPECT_EQ(p.MaxNBuses(kOutput, &idx), 1);
  EXPECT_EQ(idx, 7);
  EXPECT_EQ(p.GetIOConfigWithChanCounts({2, 2}, {2}), 7);
  EXPECT_EQ(p.GetIOConfigWithChanCounts({1}, {1}), 0);
  EXPECT_EQ(p.GetIOConfigWithChanCounts({2}, {2}), 6);
  EXPECT_EQ(p.GetIOConfigWithChanCounts({3}, {3}), -1);
  EXPECT_EQ(p.GetIOConfigWithChanCounts({}, {}), -1);
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, 0), 2);
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, 1), 2);
  EXPECT_EQ(p.MaxNChannelsForBus(kOutput, 0), 2);
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, 2), 0);
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, -1), 0);
  EXPECT_TRUE(p.LegalIO(4, 2));
  EXPECT_TRUE(p.LegalIO(3, 1));
  EXPECT_FALSE(p.LegalIO(1, 2));
  EXPECT_TRUE(p.LegalIO(-1, 2));
  EXPECT_FALSE(p.LegalIO(5, -1));
}

TEST(ChannelIOQueries, NoConfigurationAnswersZero)
{
  QueryProcessor p("");
  EXPECT_EQ(p.NIOConfigs(), 0);
  EXPECT_EQ(p.NChannels(kInput), 0);
  int idx = -1;
  EXPECT_EQ(p.MaxNBuses(kInput, &idx), 0);
  EXPECT_EQ(idx, 0);
  EXPECT_EQ(p.MaxNChannelsForBus(kInput, 0), 0);
  EXPECT_EQ(p.GetIOConfigWithChanCounts({}, {}), -1);
  EXPECT_FALSE(p.LegalIO(-1, -1));
}

TEST(ChannelIOQueries, WildcardInTheFirstConfiguration)
{
  QueryProcessor wildFirst("*-2 2-2");
  EXPECT_EQ(wildFirst.MaxNChannelsForBus(kInput, 0), -1);
  EXPECT_EQ(wildFirst.MaxNChannelsForBus(kOutput, 0), 2);
  QueryProcessor wildLater("2-2 *-2");
  EXPECT_EQ(wildLater.MaxNChannelsForBus(kInput, 0), 2);
  EXPECT_TRUE(wildLater.LegalIO(-64, 2));
}

TEST(ChannelIONames, BusNames)
{
  QueryProcessor p(kPluginIO);
  StringBuf s;
  p.GetBusName(kInput, 0, 1, s);
  EXPECT_STREQ(s.Get(), "Input");
  p.GetBusName(kInput, 0, 2, s);
  EXPECT_STREQ(s.Get(), "Main");
  p.GetBusName(kInput, 1, 2, s);
  EXPECT_STREQ(s.Get(), "Aux");
  p.GetBusName(kInput, 2, 3, s);
  EXPECT_STREQ(s.Get(), "Input 2");
  p.GetBusName(kOutput, 0, 1, s);
  EXPECT_STREQ(s.Get(), "Output");
  p.GetBusName(kOutput, 0, 3, s);
  EXPECT_STREQ(s.Get(), "Output 0");
}

TEST(ChannelIONames, ChannelLabels)
{
  QueryProcessor p(kPluginIO);
  p.SetChannelLabel(kInput, 0, "Main L");
  EXPECT_STREQ(p.GetChannelLabel(kInput, 0), "Main L");
  p.SetChannelLabel(kInput, 2, "SideChain %i");
  EXPECT_STREQ(p.GetChannelLabel(kInput, 2), "SideChain 3");
  p.SetChannelLabel(kInput, 2, "SideChain %i", true);
  EXPECT_STREQ(p.GetChannelLabel(kInput, 2), "SideChain 2");
  p.SetChannelLabel(kInput, 4, "Nope");
  p.SetChannelLabel(kInput, -1, "Nope");
  EXPECT_STREQ(p.GetChannelLabel(kInput, 4), "");
  p.SetChannelLabel(kOutput, 1, std::string(100, 'x').c_str());
  EXPECT_EQ(std::string(p.GetChannelLabel(kOutput, 1)).size(), 32u);
}

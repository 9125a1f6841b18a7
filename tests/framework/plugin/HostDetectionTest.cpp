#include "framework/plugin/HostDetection.h"

#include <gtest/gtest.h>

#include <string>

using namespace plugin;

TEST(HostDetection, NamesGiveTheTableIds)
{
  EXPECT_EQ(LookUpHost("REAPER"), 1);
  EXPECT_EQ(LookUpHost("Cubase 12"), 3);
  EXPECT_EQ(LookUpHost("WaveLab Elements 11"), 32);
  EXPECT_EQ(LookUpHost("WaveLab Pro"), 31);
  EXPECT_EQ(LookUpHost("Bitwig Studio"), 34);
  EXPECT_EQ(LookUpHost("Live 11"), 9);
  EXPECT_EQ(LookUpHost("Pro Tools"), 0); // the space breaks "protools"
  EXPECT_EQ(LookUpHost("ProTools"), 2);
  EXPECT_EQ(LookUpHost("Standalone"), 24);
  EXPECT_EQ(LookUpHost("Blue Cat's VST Host"), 44);
  EXPECT_EQ(LookUpHost("iZotope RX 10"), 42);
  EXPECT_EQ(LookUpHost("VST3PluginTestHost"), 27);
  EXPECT_EQ(LookUpHost(""), 0);
}

TEST(HostDetection, FirstEntryInTestOrderWins)
{
  EXPECT_EQ(LookUpHost("Deliverance"), 9);           // "live" inside a word
  EXPECT_EQ(LookUpHost("Standalone Reaper"), 1);     // generic entries come last
  EXPECT_EQ(LookUpHost("www standalone"), 24);       // standalone before www
  EXPECT_EQ(LookUpHost("Logic Pro X with Live"), 9); // live is tested before logic
  EXPECT_EQ(LookUpHost("Digital Performer 11"), 23);
  EXPECT_EQ(LookUpHost("PreSonus Studio One"), 26);
}

TEST(HostDetection, NullAndOverlongNames)
{
  EXPECT_EQ(LookUpHost(nullptr), 0);
  const std::string padded(kMaxHostNameLen - 6, 'x');
  EXPECT_EQ(LookUpHost((padded + "reaper").c_str()), 1);      // fits exactly
  EXPECT_EQ(LookUpHost((padded + "xreaper").c_str()), 0);     // cut before the last letter
  EXPECT_EQ(LookUpHost(std::string(100000, 'a').c_str()), 0); // no overrun on huge names
}

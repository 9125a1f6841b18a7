#include "framework/plugin/BuildInfo.h"

#include <gtest/gtest.h>

#include <string>

TEST(BuildInfo, VersionAppearsInBuildText)
{
  const std::string version = plugin::FrameworkVersionText();
  EXPECT_EQ(version, "1.0.7");
  EXPECT_NE(std::string(plugin::FrameworkBuildText()).find(version), std::string::npos);
}

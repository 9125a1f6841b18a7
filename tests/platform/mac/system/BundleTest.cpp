#include "platform/mac/system/Bundle.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace plugin::sys;

TEST(Bundle, TheRegistryAndTheMainBundle)
{
  const auto held = Bundle::Register("test.a", "/b/A.vst3/", "");
  Bundle::Register("test.a", "/c/A.vst3", ""); // replaces the first
  EXPECT_EQ(Bundle::WithIdentifier("test.a")->ResourcePath(), "/c/A.vst3/Contents/Resources");
  EXPECT_EQ(held->BundlePath(), "/b/A.vst3"); // a bundle held by a caller stays valid
  EXPECT_TRUE(Bundle::Unregister("test.a"));
  EXPECT_FALSE(Bundle::WithIdentifier("test.a") || Bundle::WithIdentifier(nullptr) ||
               Bundle::Register("", "/b", ""));

  const std::string exe = std::filesystem::canonical("/proc/self/exe").string();
  EXPECT_EQ(Bundle::Main()->BundlePath(), std::filesystem::path(exe).parent_path().string());
  Bundle::SetMain(std::make_shared<const Bundle>("com.host", "/h/Host.app", ""));
  EXPECT_EQ(Bundle::WithIdentifier("com.host")->BundlePath(), "/h/Host.app");
  Bundle::SetMain(nullptr);
  EXPECT_EQ(Bundle::Main()->ExecutablePath(), exe);
}

#include "platform/mac/system/Bundle.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>

using namespace plugin::sys;

TEST(Bundle, FolderOfACodeFileAndTheRegistry)
{
  const std::pair<const char*, const char*> cases[] = {
      {"/x/Kelmo.vst3/Contents/x86_64-linux/Kelmo.so", "/x/Kelmo.vst3"},
      {"/Applications/Host.app/Contents/MacOS/Host", "/Applications/Host.app"},
      {"/usr/bin/host", "/usr/bin"},
      {"/x/Contents.d/MacOS/code", "/x/Contents.d/MacOS"},
      {"code", ""},
  };
  for (const auto& [exe, bundle] : cases)
    EXPECT_EQ(Bundle::BundlePathForExecutable(exe), bundle) << exe;

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

TEST(Bundle, PluginBundleFoundFromAnAddressInItsModule)
{
  // The plug-in module, loaded as a host loads it, lives in <bundle>/Contents/<arch>/.
  const std::string bundle = std::filesystem::canonical(KELMO_TEST_BUNDLE_DIR).string();
  std::string module;
  for (const auto& arch : std::filesystem::directory_iterator(bundle + "/Contents"))
    for (const auto& file : std::filesystem::directory_iterator(arch.path()))
      if (file.path().extension() == ".so") module = file.path().string();
  void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << ::dlerror();
  const auto plugin = Bundle::RegisterModule("test.kelmo", ::dlsym(handle, "GetPluginFactory"));
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->ResourcePath(), bundle + "/Contents/Resources");
  EXPECT_EQ(Bundle::RegisterModule("test.none", nullptr), nullptr);
  Bundle::Unregister("test.kelmo");
  ::dlclose(handle);
}

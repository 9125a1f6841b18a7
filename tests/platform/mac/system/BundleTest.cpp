#include "platform/mac/system/Bundle.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>

using namespace plugin::sys;

TEST(Bundle, BundleFolderOfACodeFile)
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
}

TEST(Bundle, RegisteredBundlesAreFoundByIdentifierOnly)
{
  const auto b = Bundle::Register("test.bundle.a", "/b/A.vst3/", "/b/A.vst3/Contents/MacOS/A");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(Bundle::WithIdentifier("test.bundle.a"), b);
  EXPECT_EQ(b->BundlePath(), "/b/A.vst3");
  EXPECT_EQ(b->ResourcePath(), "/b/A.vst3/Contents/Resources");
  EXPECT_EQ(b->ExecutablePath(), "/b/A.vst3/Contents/MacOS/A");
  EXPECT_EQ(Bundle::WithIdentifier("test.bundle.A"), nullptr); // identifiers are exact
  EXPECT_EQ(Bundle::WithIdentifier(""), nullptr);
  EXPECT_EQ(Bundle::WithIdentifier(nullptr), nullptr);
  EXPECT_EQ(Bundle::Register("", "/b", "/b/x"), nullptr);
  EXPECT_EQ(Bundle::Register(nullptr, "/b", "/b/x"), nullptr);

  // A second registration under the same identifier replaces the first.
  Bundle::Register("test.bundle.a", "/c/A.vst3", "");
  EXPECT_EQ(Bundle::WithIdentifier("test.bundle.a")->BundlePath(), "/c/A.vst3");
  EXPECT_TRUE(Bundle::Unregister("test.bundle.a"));
  EXPECT_FALSE(Bundle::Unregister("test.bundle.a"));
  EXPECT_EQ(Bundle::WithIdentifier("test.bundle.a"), nullptr);
  EXPECT_EQ(b->BundlePath(), "/b/A.vst3"); // a bundle held by a caller stays valid
}

TEST(Bundle, MainBundleIsTheRunningExecutableUnlessSet)
{
  const auto main = Bundle::Main();
  ASSERT_NE(main, nullptr);
  const std::string exe = std::filesystem::canonical("/proc/self/exe").string();
  EXPECT_EQ(main->ExecutablePath(), exe);
  EXPECT_EQ(main->BundlePath(), std::filesystem::path(exe).parent_path().string());

  Bundle::SetMain(
      std::make_shared<const Bundle>("com.host.AUv3", "/h/Host.app", "/h/Host.app/Contents/MacOS/Host"));
  EXPECT_EQ(Bundle::Main()->Identifier(), "com.host.AUv3");
  EXPECT_EQ(Bundle::WithIdentifier("com.host.AUv3")->BundlePath(), "/h/Host.app");
  Bundle::SetMain(nullptr);
  EXPECT_EQ(Bundle::Main()->ExecutablePath(), exe);
  EXPECT_EQ(Bundle::WithIdentifier("com.host.AUv3"), nullptr);
}

TEST(Bundle, ModuleBundleIsFoundFromAnAddressInIt)
{
  // An address in this executable: its folder is the bundle (not inside a bundle layout).
  static int marker = 0;
  const auto own = Bundle::RegisterModule("test.module.self", &marker);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->ExecutablePath(), std::filesystem::canonical("/proc/self/exe").string());
  EXPECT_EQ(Bundle::RegisterModule("test.module.none", nullptr), nullptr);
  Bundle::Unregister("test.module.self");

#ifdef KELMO_TEST_BUNDLE_DIR
  // The plug-in module, loaded as a host loads it, lives in <bundle>/Contents/<arch>/.
  const std::string bundleDir = std::filesystem::canonical(KELMO_TEST_BUNDLE_DIR).string();
  std::string module;
  for (const auto& arch : std::filesystem::directory_iterator(bundleDir + "/Contents"))
    for (const auto& file : std::filesystem::directory_iterator(arch.path()))
      if (file.path().extension() == ".so") module = file.path().string();
  ASSERT_FALSE(module.empty());
  void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << ::dlerror();
  const void* entry = ::dlsym(handle, "GetPluginFactory");
  ASSERT_NE(entry, nullptr);
  const auto plugin = Bundle::RegisterModule("test.module.kelmo", entry);
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->BundlePath(), bundleDir);
  EXPECT_EQ(plugin->ResourcePath(), bundleDir + "/Contents/Resources");
  EXPECT_EQ(plugin->ExecutablePath(), std::filesystem::canonical(module).string());
  Bundle::Unregister("test.module.kelmo");
  ::dlclose(handle);
#endif
}

#include "platform/mac/MacPaths.h"

#include "platform/mac/system/Bundle.h"
#include "support/ui/FontFiles.h"
#include "support/ui/ScopedResourceLocator.h"
#include "support/ui/ScopedSystemFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace plugin;
using namespace plugin::ui;
namespace sys = plugin::sys;

namespace {

constexpr const char* kID = "test.quillmere.kelmo";

// A plug-in bundle in <root>/K.vst3 and a shared resources folder in <home>/Music/Sub/Resources.
class MacPathsTest : public ::testing::Test
{
protected:
  MacPathsTest()
  {
    for (const char* file :
         {"/K.vst3/Contents/Resources/bg.jpg", "/K.vst3/Contents/Resources/Roboto-Regular.ttf",
          "/K.vst3/Contents/Resources/img/knob.png", "/K.vst3/Contents/Resources/Both.png", "/loose/Nuppi",
          "/loose/picture.png", "/Host.app/Contents/Resources/ext.png", "/home/Music/Sub/Resources/Both.png",
          "/home/Music/Sub/Resources/Shared.png"}) {
      std::filesystem::create_directories(std::filesystem::path(r + file).parent_path());
      fonttest::WriteFile(r + file, {});
    }
    sys::SetHomeDirectory((r + "/home").c_str());
    sys::Bundle::Register(kID, (r + "/K.vst3").c_str(), (r + "/K.vst3/Contents/x86_64-linux/K.so").c_str());
    sys::Bundle::Register("test.ext", (r + "/Host.app/Contents/PlugIns/Ext.appex").c_str(), "");
  }
  ~MacPathsTest() override
  {
    sys::Bundle::Unregister(kID);
    sys::Bundle::Unregister("test.ext");
    sys::Bundle::SetMain(nullptr);
    sys::SetProcessName(nullptr);
  }

  ScopedSystemFolders mFolders;
  const std::string& r = mFolders.Root();
  const std::string h = r + "/home";
};

} // namespace

TEST_F(MacPathsTest, LocateResourceLooksInBundleThenSharedFolderThenAtThePath)
{
  const std::string res = r + "/K.vst3/Contents/Resources/", shared = h + "/Music/Sub/Resources/";
  const std::string loose = r + "/loose/Nuppi", picture = r + "/loose/picture.png";
  const std::tuple<const char*, const char*, const char*, const char*, std::string> cases[] = {
      {"bg.jpg", "jpg", kID, "Sub", res + "bg.jpg"},
      {"Roboto-Regular.ttf", "TTF", kID, "", res + "Roboto-Regular.ttf"},
      {"ROBOTO-REGULAR.TTF", "ttf", kID, "", res + "Roboto-Regular.ttf"}, // spelled as on disk
      {"img/knob.png", "png", kID, "", res + "img/knob.png"},
      {"Both.png", "png", kID, "Sub", res + "Both.png"},
      {"img/Shared.png", "png", kID, "Sub", shared + "Shared.png"},
      {"Both.png", "PNG", "no.such.bundle", "Sub", shared + "Both.png"},
      {"Shared.png", "png", kID, "", ""},
      {"Shared.png", "png", kID, nullptr, ""},
      {"Nuppi", "png", kID, "Sub", ""},
      {loose.c_str(), "png", kID, "Sub", loose},
      {picture.c_str(), "jpg", nullptr, nullptr, picture},
      {"bg.jpg", "png", kID, "Sub", ""},
      {"bg.jpg", nullptr, kID, "Sub", ""},
      {"", "png", kID, "Sub", ""},
      {nullptr, "png", kID, "Sub", ""},
  };
  for (const auto& [name, type, bundle, sub, path] : cases) {
    StringBuf result("left over");
    EXPECT_EQ(MacLocateResource(name, type, result, bundle, nullptr, sub), path.empty() ? 0 : 1) << path;
    EXPECT_EQ(result.Get(), path);
  }

  // An app extension takes the Resources folder two levels above its bundle.
  StringBuf path;
  EXPECT_FALSE(GetResourcePathFromBundle("ext.png", "png", path, "test.ext"));
  sys::Bundle::SetMain(std::make_shared<const sys::Bundle>("com.host.AUv3.ext", r + "/Host.app", ""));
  EXPECT_TRUE(GetResourcePathFromBundle("ext.png", "png", path, "test.ext"));
  EXPECT_EQ(path.Get(), r + "/Host.app/Contents/Resources/ext.png");
}

// What the bundle entry and the tools install: the toolkit's lookups go to the platform's locator.
TEST_F(MacPathsTest, InstallingMakesThePlatformsLocatorTheToolkits)
{
  const test::ScopedResourceLocator before(nullptr);
  StringBuf result;
  EXPECT_EQ(LocateResource("bg.jpg", "jpg", result, kID, nullptr, ""), kResourceNotFound);
  InstallMacResourceLocator();
  EXPECT_EQ(GetResourceLocator(), &MacLocateResource);
  EXPECT_EQ(LocateResource("bg.jpg", "jpg", result, kID, nullptr, ""), kResourceFoundAsFile);
  EXPECT_EQ(result.Get(), r + "/K.vst3/Contents/Resources/bg.jpg");
}

TEST_F(MacPathsTest, PathServices)
{
  const std::string longName(2000, 'n');
  const std::pair<std::function<void(StringBuf&)>, std::string> cases[] = {
      {[](StringBuf& s) { HostPath(s, kID); }, r + "/K.vst3/Contents/x86_64-linux/K.so"},
      {[](StringBuf& s) { PluginPath(s, kID); }, r + "/"},
      {[](StringBuf& s) { PluginPath(s, "no.such"); }, "unchanged"},
      {[](StringBuf& s) { BundleResourcePath(s, kID); }, r + "/K.vst3/Contents/Resources"},
      {[](StringBuf& s) { DesktopPath(s); }, h + "/Desktop"},
      {[](StringBuf& s) { VST3PresetsPath(s, "Q", "Kelmo", false); }, h + "/Library/Audio/Presets/Q/Kelmo/"},
      {[](StringBuf& s) { VST3PresetsPath(s, "Q", "Kelmo", true); }, r + "/Library/Audio/Presets/Q/Kelmo/"},
      {[](StringBuf& s) { VST3PresetsPath(s, nullptr, nullptr, false); }, h + "/Library/Audio/Presets///"},
      {[](StringBuf& s) { AppSupportPath(s, true); }, r + "/System/Library/Application Support"},
      {[](StringBuf& s) { AppSupportSubPath(s, "Q"); }, h + "/Library/Application Support/Q"},
      {[&](StringBuf& s) { AppSupportSubPath(s, longName.c_str()); },
       (h + "/Library/Application Support/" + longName).substr(0, 1024)},
      {[](StringBuf& s) { AppGroupContainerPath(s, "group.q"); }, h + "/Library/Group Containers/group.q"},
      {[](StringBuf& s) { AppGroupContainerPath(s, nullptr); }, ""},
  };
  for (const auto& [fill, expected] : cases) {
    StringBuf s("unchanged");
    fill(s);
    EXPECT_EQ(s.Get(), expected);
  }

  EXPECT_FALSE(IsAUv3AppExtension() || IsSandboxed() || IsXPCProcess());
  sys::SetHomeDirectory("/Users/u/Library/Containers/com.host/Data");
  sys::SetProcessName("AUHostingServiceXPC_arrow");
  sys::Bundle::SetMain(std::make_shared<const sys::Bundle>("com.host.AUv3", "/h", ""));
  EXPECT_TRUE(IsAUv3AppExtension() && IsSandboxed() && IsXPCProcess());
}

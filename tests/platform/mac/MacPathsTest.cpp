#include "platform/mac/MacPaths.h"

#include "platform/mac/system/Bundle.h"
#include "support/ui/FontFiles.h"
#include "support/ui/ScopedSystemFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace plugin;
using namespace plugin::ui;
namespace sys = plugin::sys;

namespace {

constexpr const char* kBundleID = "test.quillmere.kelmo";

// A plug-in bundle and a shared resources folder under a scratch home, with a few resource files.
class MacPathsTest : public ::testing::Test
{
protected:
  MacPathsTest()
  {
    mBundle = mFolders.Root() + "/Plug-Ins/Kelmo.vst3";
    mResources = mBundle + "/Contents/Resources";
    mShared = mFolders.Home() + "/Music/SharedSub/Resources";
    for (const std::string& file :
         {mResources + "/background.jpg", mResources + "/Nuppi.png", mResources + "/Roboto-Regular.ttf",
          mResources + "/img/knob.png", mResources + "/Both.png", mShared + "/Both.png",
          mShared + "/Shared.png", mFolders.Root() + "/loose/Nuppi", mFolders.Root() + "/loose/picture.png"})
      Touch(file);
    sys::Bundle::Register(kBundleID, mBundle.c_str(), (mBundle + "/Contents/x86_64-linux/Kelmo.so").c_str());
  }
  ~MacPathsTest() override
  {
    sys::Bundle::Unregister(kBundleID);
    sys::Bundle::SetMain(nullptr);
    sys::SetProcessName(nullptr);
  }

  static void Touch(const std::string& path)
  {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    fonttest::WriteFile(path, fonttest::Ascii("x"));
  }

  ScopedSystemFolders mFolders;
  std::string mBundle, mResources, mShared;
};

} // namespace

TEST_F(MacPathsTest, LocateResourceLooksInBundleThenSharedFolderThenAtThePath)
{
  const std::string loose = mFolders.Root() + "/loose/Nuppi";
  const std::string picture = mFolders.Root() + "/loose/picture.png";
  struct Case
  {
    const char* what;
    const char* name;
    const char* type;
    const char* bundle;
    const char* sub;
    int location;
    std::string path;
  };
  const Case cases[] = {
      {"bundle", "background.jpg", "jpg", kBundleID, "SharedSub", 1, mResources + "/background.jpg"},
      {"upper-case type", "Roboto-Regular.ttf", "TTF", kBundleID, "", 1, mResources + "/Roboto-Regular.ttf"},
      {"upper-case name", "ROBOTO-REGULAR.TTF", "ttf", kBundleID, "", 1, mResources + "/Roboto-Regular.ttf"},
      {"folder part kept in the bundle", "img/knob.png", "png", kBundleID, "", 1,
       mResources + "/img/knob.png"},
      {"bundle before shared folder", "Both.png", "png", kBundleID, "SharedSub", 1, mResources + "/Both.png"},
      {"shared folder", "Shared.png", "png", kBundleID, "SharedSub", 1, mShared + "/Shared.png"},
      {"shared folder takes the last component", "img/Shared.png", "png", kBundleID, "SharedSub", 1,
       mShared + "/Shared.png"},
      {"shared folder for an unknown bundle", "Both.png", "PNG", "no.such.bundle", "SharedSub", 1,
       mShared + "/Both.png"},
      {"no shared folder without a sub-path", "Shared.png", "png", kBundleID, "", 0, ""},
      {"null sub-path", "Shared.png", "png", kBundleID, nullptr, 0, ""},
      {"no extension is no match", "Nuppi", "png", kBundleID, "SharedSub", 0, ""},
      {"a file at the path itself", loose.c_str(), "png", kBundleID, "SharedSub", 1, loose},
      {"a path with another type", picture.c_str(), "jpg", kBundleID, "", 1, picture},
      {"a path under an unknown bundle", picture.c_str(), "png", nullptr, nullptr, 1, picture},
      {"wrong type, relative name", "background.jpg", "png", kBundleID, "SharedSub", 0, ""},
      {"null type", "background.jpg", nullptr, kBundleID, "SharedSub", 0, ""},
      {"missing file", "missing.png", "png", kBundleID, "SharedSub", 0, ""},
      {"empty name", "", "png", kBundleID, "SharedSub", 0, ""},
      {"null name", nullptr, "png", kBundleID, "SharedSub", 0, ""},
  };
  for (const Case& c : cases) {
    StringBuf result("left over");
    EXPECT_EQ(LocateResource(c.name, c.type, result, c.bundle, nullptr, c.sub), c.location) << c.what;
    EXPECT_STREQ(result.Get(), c.path.c_str()) << c.what;
  }
}

TEST_F(MacPathsTest, AppExtensionTakesResourcesTwoFoldersUp)
{
  const std::string host = mFolders.Root() + "/Host.app";
  Touch(host + "/Contents/Resources/knob.png");
  sys::Bundle::Register("test.ext", (host + "/Contents/PlugIns/Ext.appex").c_str(), "");
  StringBuf path;
  EXPECT_FALSE(GetResourcePathFromBundle("knob.png", "png", path, "test.ext"));
  sys::Bundle::SetMain(std::make_shared<const sys::Bundle>("com.host.AUv3.ext", host, ""));
  EXPECT_TRUE(IsAUv3AppExtension());
  EXPECT_TRUE(GetResourcePathFromBundle("knob.png", "png", path, "test.ext"));
  EXPECT_STREQ(path.Get(), (host + "/Contents/Resources/knob.png").c_str());
  sys::Bundle::Unregister("test.ext");
}

TEST_F(MacPathsTest, PathServices)
{
  const std::string& h = mFolders.Home();
  const std::string& r = mFolders.Root();
  const std::string longName(2000, 'n');
  struct Case
  {
    const char* what;
    std::function<void(StringBuf&)> fill;
    std::string expected;
  };
  const Case cases[] = {
      {"host", [](StringBuf& s) { HostPath(s, kBundleID); }, mBundle + "/Contents/x86_64-linux/Kelmo.so"},
      {"host unknown", [](StringBuf& s) { HostPath(s, "no.such"); }, "unchanged"},
      {"plug-in folder", [](StringBuf& s) { PluginPath(s, kBundleID); }, r + "/Plug-Ins/"},
      {"plug-in unknown", [](StringBuf& s) { PluginPath(s, nullptr); }, "unchanged"},
      {"resources", [](StringBuf& s) { BundleResourcePath(s, kBundleID); }, mResources},
      {"resources unknown", [](StringBuf& s) { BundleResourcePath(s, ""); }, "unchanged"},
      {"desktop", [](StringBuf& s) { DesktopPath(s); }, h + "/Desktop"},
      {"home", [](StringBuf& s) { UserHomePath(s); }, h},
      {"music", [](StringBuf& s) { UserMusicPath(s); }, h + "/Music"},
      {"user presets", [](StringBuf& s) { VST3PresetsPath(s, "Quillmere", "Kelmo", false); },
       h + "/Library/Audio/Presets/Quillmere/Kelmo/"},
      {"local presets", [](StringBuf& s) { VST3PresetsPath(s, "Quillmere", "Kelmo", true); },
       r + "/Library/Audio/Presets/Quillmere/Kelmo/"},
      {"presets of null names", [](StringBuf& s) { VST3PresetsPath(s, nullptr, nullptr, false); },
       h + "/Library/Audio/Presets///"},
      {"user support", [](StringBuf& s) { AppSupportPath(s, false); }, h + "/Library/Application Support"},
      {"system support", [](StringBuf& s) { AppSupportPath(s, true); },
       r + "/System/Library/Application Support"},
      {"support sub-folder", [](StringBuf& s) { AppSupportSubPath(s, "Quillmere"); },
       h + "/Library/Application Support/Quillmere"},
      {"group container", [](StringBuf& s) { AppGroupContainerPath(s, "group.q"); },
       h + "/Library/Group Containers/group.q"},
      {"no group", [](StringBuf& s) { AppGroupContainerPath(s, nullptr); }, ""},
  };
  for (const Case& c : cases) {
    StringBuf s("unchanged");
    c.fill(s);
    EXPECT_STREQ(s.Get(), c.expected.c_str()) << c.what;
  }
  StringBuf bounded;
  VST3PresetsPath(bounded, "Quillmere", longName.c_str(), false);
  EXPECT_EQ(bounded.GetLength(), 1024);
  AppSupportSubPath(bounded, longName.c_str());
  EXPECT_EQ(bounded.GetLength(), 1024);
}

TEST_F(MacPathsTest, ProcessKindTests)
{
  EXPECT_FALSE(IsAUv3AppExtension());
  EXPECT_FALSE(IsSandboxed());
  EXPECT_FALSE(IsXPCProcess());
  sys::SetHomeDirectory("/Users/u/Library/Containers/com.host/Data");
  EXPECT_TRUE(IsSandboxed());
  sys::SetProcessName("AUHostingServiceXPC_arrow");
  EXPECT_TRUE(IsXPCProcess());
  sys::Bundle::SetMain(std::make_shared<const sys::Bundle>("com.host.auv3", "/h", ""));
  EXPECT_FALSE(IsAUv3AppExtension()); // the identifier test is case-sensitive
}

// The editor's pictures and fonts, as the built plug-in bundle ships them, found and loaded
// through the platform's resource lookup and font loading.
#include "editor/PresetControllerMenu.h"
#include "engine/KelmoConfig.h"
#include "platform/mac/CoreTextFont.h"
#include "platform/mac/MacPaths.h"
#include "platform/mac/system/Bundle.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/ScopedResourceLocator.h"
#include "support/ui/ScopedSystemFolders.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
namespace sys = plugin::sys;

namespace {

// The plug-in bundle registered under the plug-in's identifier for one test, its resources found
// by the platform's locator as in the bundle; no home folder of the user's is looked at.
class PluginBundleResources : public ::testing::Test
{
protected:
  PluginBundleResources() { sys::Bundle::Register(kKelmoBundleID, bundle.c_str(), ""); }
  ~PluginBundleResources() override { sys::Bundle::Unregister(kKelmoBundleID); }

  // The files of the bundle's Resources folder with that extension, by name.
  std::vector<std::string> ResourcesWithExtension(const std::string& ext) const
  {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(resources))
      if (entry.path().extension() == ext) names.push_back(entry.path().filename().string());
    return names;
  }

  ScopedSystemFolders folders;
  ScopedResourceLocator locator{&MacLocateResource};
  const std::string bundle = std::filesystem::canonical(KELMO_TEST_BUNDLE_DIR).string();
  const std::string resources = bundle + "/Contents/Resources";
};

} // namespace

TEST_F(PluginBundleResources, ThePresetBarsPicturesComeFromTheBundleAtScale2)
{
  TestEditorDelegate dlg;
  RecordingCanvas g(dlg, 899, 500);
  g.bundleID = kKelmoBundleID; // as the plug-in's graphics context names its bundle
  g.AttachControl(new PresetControllerMenu(IRECT(250.f, 1.f, 650.f, 24.f), PresetBarStyle()));
  const std::vector<CanvasCall> loads = g.CallsNamed("LoadAPIBitmap");
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[0], (CanvasCall{"LoadAPIBitmap", {2, 1}, resources + "/Save@2x.png"}));
  EXPECT_EQ(loads[1], (CanvasCall{"LoadAPIBitmap", {2, 1}, resources + "/Trash@2x.png"}));

  // Every picture the bundle ships is found there by its name, its extension in any case.
  std::vector<std::string> pictures = ResourcesWithExtension(".png");
  for (const std::string& jpeg : ResourcesWithExtension(".jpg"))
    pictures.push_back(jpeg);
  ASSERT_FALSE(pictures.empty());
  for (const std::string& name : pictures) {
    const std::string ext = name.substr(name.rfind('.') + 1);
    plugin::StringBuf path;
    EXPECT_EQ(LocateResource(name.c_str(), ext == "png" ? "PNG" : "JPG", path, kKelmoBundleID, nullptr, ""),
              kResourceFoundAsFile)
        << name;
    EXPECT_EQ(path.Get(), resources + "/" + name);
  }
}

TEST_F(PluginBundleResources, EveryFontTheBundleShipsLoadsByItsFileName)
{
  const std::vector<std::string> fonts = ResourcesWithExtension(".ttf");
  ASSERT_GE(fonts.size(), 3u); // the text, label and readout fonts
  for (const std::string& file : fonts) {
    SCOPED_TRACE(file);
    const auto font = LoadCoreTextFontFromFile(file.c_str(), file.c_str(), kKelmoBundleID, "");
    ASSERT_NE(font, nullptr);
    const auto data = font->GetFontData();
    EXPECT_TRUE(data->IsValid());
    EXPECT_EQ(data->mFamily.Get(), font->GetDescriptor()->FamilyName());
    EXPECT_GT(data->mUnitsPerEm, 0);
  }
  // Not in the bundle, and no shared folder or path names it.
  EXPECT_EQ(LoadCoreTextFontFromFile("x", "Missing.ttf", kKelmoBundleID, ""), nullptr);
}

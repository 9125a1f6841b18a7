// The editor view of the linked plug-in takes the platform's view type only while a graphics
// factory is installed, and reports a failure when no editor could be made.
#include "tools/editor/LinkedPlugin.h"

#include "platform/mac/MacGraphicsFactory.h"
#include "platform/mac/system/View.h"
#include "vst3/MakeGraphics.h"

#include <gtest/gtest.h>

using namespace kelmo::editor;
using namespace Steinberg;

namespace {} // namespace
TEST(Vst3ViewType, NoFactoryNoPlatformType)
{
  plugin::SetGraphicsFactory(nullptr);
  std::string error;
  auto plug = LinkedPlugin::Create(error);
  ASSERT_TRUE(plug) << error;
  IPtr<IPlugView> view = plug->CreateEditorView();
  ASSERT_TRUE(view);
  auto parent = std::make_shared<plugin::sys::View>();
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeNSView), kResultFalse);
  EXPECT_EQ(view->attached(parent.get(), kPlatformTypeNSView), kResultFalse);
  EXPECT_TRUE(parent->Subviews().empty());
  EXPECT_EQ(view->removed(), kResultOk);
}

TEST(Vst3ViewType, FactoryMakesNSViewTheType)
{
  plugin::SetGraphicsFactory(&plugin::ui::MakeMacGraphics);
  std::string error;
  auto plug = LinkedPlugin::Create(error);
  ASSERT_TRUE(plug) << error;
  IPtr<IPlugView> view = plug->CreateEditorView();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeNSView), kResultTrue);
  for (FIDString other : {kPlatformTypeX11EmbedWindowID, kPlatformTypeHWND, "", "nsview"})
    EXPECT_EQ(view->isPlatformTypeSupported(other), kResultFalse) << other;
  auto parent = std::make_shared<plugin::sys::View>();
  EXPECT_EQ(view->attached(parent.get(), kPlatformTypeX11EmbedWindowID), kResultFalse);
  EXPECT_EQ(view->attached(nullptr, kPlatformTypeNSView), kResultFalse);
  EXPECT_TRUE(parent->Subviews().empty());
  plugin::SetGraphicsFactory(nullptr);
}

TEST(Vst3ViewType, MakeGraphicsPassesThePluginsIdentifiers)
{
  static std::string seen;
  plugin::SetGraphicsFactory([](plugin::IEditorDelegate&, int w, int h, int fps, float scale,
                                const char* bundle, const char* group,
                                const char* sub) -> plugin::ui::ICanvas* {
    seen = std::to_string(w) + "x" + std::to_string(h) + "@" + std::to_string(fps) + " " +
           std::to_string(scale) + " " + bundle + " " + group + " " + sub;
    return nullptr;
  });
  std::string error;
  auto plug = LinkedPlugin::Create(error);
  ASSERT_TRUE(plug) << error;
  auto* delegate = dynamic_cast<plugin::IEditorDelegate*>(&plug->Controller());
  ASSERT_TRUE(delegate);
  EXPECT_EQ(plugin::MakeGraphics(*delegate, 899, 500, 60, 1.f), nullptr);
  EXPECT_EQ(seen, "899x500@60 1.000000 com.quillmere.vst3.ZPHKelmo group.com.quillmere.ZPHKelmo Kelmo");
  plugin::SetGraphicsFactory(nullptr);
  EXPECT_EQ(plugin::MakeGraphics(*delegate, 899, 500, 60, 1.f), nullptr);
}

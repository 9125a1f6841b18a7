// The host's context menu for a parameter, as the binding builds it through the component
// handler: which hosts get asked, the items the editor adds (texts, tags, flags, groups), the
// position, and a chosen item reaching the editor control.
#include "tests/vst3/binding/DirectKelmo.h"
#include "tests/vst3/testhost/ComponentHandler.h"

#include "graphics/IControl.h"
#include "graphics/IPopupMenu.h"
#include "vst3/layer/Utf16Convert.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using plugin::vst3host::HostObject;

namespace {

// A host menu that keeps every item added, its target and where it popped up.
class RecordingMenu : public HostObject<IContextMenu>
{
public:
  ~RecordingMenu() override
  {
    for (IContextMenuTarget* t : targets)
      t->release();
  }
  int32 PLUGIN_API getItemCount() override { return static_cast<int32>(items.size()); }
  tresult PLUGIN_API getItem(int32, Item&, IContextMenuTarget**) override { return kNotImplemented; }
  tresult PLUGIN_API addItem(const Item& item, IContextMenuTarget* target) override
  {
    const std::string name = plugin::layer::Utf16ToUtf8(plugin::layer::Utf16View(item.name, 128));
    items.push_back(name + " " + std::to_string(item.tag) + " " + std::to_string(item.flags));
    targets.push_back(target);
    return target->addRef(), kResultOk;
  }
  tresult PLUGIN_API removeItem(const Item&, IContextMenuTarget*) override { return kNotImplemented; }
  tresult PLUGIN_API popup(UCoord x, UCoord y) override { return popups.push_back({x, y}), kResultOk; }

  std::vector<std::string> items; // "text tag flags"
  std::vector<IContextMenuTarget*> targets;
  std::vector<std::pair<int32, int32>> popups;
};

// A component handler that also makes context menus (null ones on request).
class MenuHandler : public HostObject<IComponentHandler, IComponentHandler3>
{
public:
  tresult PLUGIN_API beginEdit(ParamID) override { return kResultOk; }
  tresult PLUGIN_API performEdit(ParamID, ParamValue) override { return kResultOk; }
  tresult PLUGIN_API endEdit(ParamID) override { return kResultOk; }
  tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }
  IContextMenu* PLUGIN_API createContextMenu(IPlugView* view, const ParamID* id) override
  {
    askedView = view;
    askedId = id ? static_cast<int>(*id) : -1;
    if (!makeMenus) return nullptr;
    menu->addRef();
    return menu.get();
  }

  IPtr<RecordingMenu> menu = owned(new RecordingMenu);
  bool makeMenus = true;
  IPlugView* askedView = nullptr;
  int askedId = -2;
};

class Target : public plugin::ui::IControl
{
public:
  Target() : IControl(plugin::ui::IRECT(0, 0, 1, 1)) {}
  void OnContextSelection(int tag) override { chosen.push_back(tag); }
  void Draw(plugin::ui::ICanvas&) override {}
  std::vector<int> chosen;
};

class HostContextMenu : public ::testing::Test
{
protected:
  ~HostContextMenu() override { kelmo->setComponentHandler(nullptr); } // the host's part of terminate
  bool Popup(int paramIdx) { return kelmo->PopupHostContextMenu(&target, paramIdx, items, 31, 16); }

  Target target; // outlives the host objects, whose menu targets refer to it
  IPtr<kelmotest::DirectKelmo> kelmo = kelmotest::DirectKelmo::Make();
  IPtr<MenuHandler> handler = owned(new MenuHandler);
  plugin::ui::IPopupMenu items{"", {"Own"}};
};

} // namespace

TEST_F(HostContextMenu, EditorItemsFollowTheHostsWithTagsFlagsAndGroups)
{
  using Item = plugin::ui::IPopupMenu::Item;
  items.AddSeparator();
  items.AddItem("Checked", Item::kChecked);
  items.AddItem("Off", Item::kDisabled);
  items.AddItem("Both", Item::kChecked | Item::kDisabled);
  items.AddItem("Sub", new plugin::ui::IPopupMenu("", {"Deep"}));
  kelmo->setComponentHandler(handler);
  IPtr<IPlugView> view = owned(kelmo->createView(ViewType::kEditor));
  ASSERT_TRUE(Popup(kLAttack));
  EXPECT_EQ(handler->askedId, kLAttack);
  EXPECT_EQ(handler->askedView, view.get());
  const RecordingMenu& menu = *handler->menu;
  EXPECT_EQ(menu.items, (std::vector<std::string>{"Own 0 0", " 1 1", "Checked 2 4", "Off 3 2", "Both 4 6",
                                                  "Sub 5 10", "Deep 6 0", " 7 17"}));
  EXPECT_EQ(menu.popups, (std::vector<std::pair<int32, int32>>{{31, 16}}));
  EXPECT_EQ(handler->menu->refCount(), 1u);                  // the binding released the menu
  EXPECT_EQ(menu.targets[6]->executeMenuItem(6), kResultOk); // the user picks an editor item
  EXPECT_EQ(target.chosen, std::vector<int>{6});
}

TEST_F(HostContextMenu, NothingShowsWithoutAHandlerAViewTheInterfaceOrAParameter)
{
  EXPECT_FALSE(Popup(kLAttack)); // no handler
  kelmo->setComponentHandler(handler);
  EXPECT_FALSE(Popup(kLAttack)); // no view
  IPtr<IPlugView> view = owned(kelmo->createView(ViewType::kEditor));
  EXPECT_FALSE(Popup(-1) || Popup(kNumParams));
  handler->makeMenus = false;
  EXPECT_FALSE(Popup(kLAttack));
  kelmo->setComponentHandler(owned(new plugin::testhost::ComponentHandler)); // edits only
  EXPECT_FALSE(Popup(kLAttack));
  EXPECT_TRUE(handler->menu->popups.empty());
  EXPECT_EQ(target.GetRefCount(), 1u); // no menu target was left holding the control
}

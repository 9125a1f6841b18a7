// The host's context menu for a parameter, as the binding builds it through the component
// handler for a control of the open editor: which hosts get asked, the items the editor adds
// (texts, tags, flags, groups), the position, a chosen item reaching the editor control, and a
// menu the host keeps after the editor or its control went reaching nothing.
#include "support/vst3/ComponentHandler.h"
#include "tests/vst3/binding/DirectKelmo.h"

#include "framework/text/UnicodeCodec.h"
#include "graphics/control/IControl.h"
#include "graphics/menu/IPopupMenu.h"
#include "support/ui/RecordingCanvas.h"

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
    const std::string name = plugin::text::Utf16ToUtf8(plugin::text::Utf16View(item.name, 128));
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

// An editor control that logs the menu items chosen into a log that outlives it.
class Target : public plugin::ui::IControl
{
public:
  explicit Target(std::vector<int>& chosen) : IControl(plugin::ui::IRECT(0, 0, 1, 1)), mChosen(chosen) {}
  void OnContextSelection(int tag) override { mChosen.push_back(tag); }
  void Draw(plugin::ui::ICanvas&) override {}

private:
  std::vector<int>& mChosen;
};

// The compressor built directly, an editor that opens on a recording context, and a host that
// makes context menus.
struct MenuSession
{
  MenuSession()
  {
    kelmotest::DirectKelmo* plug = kelmo.get();
    kelmo->SetMakeGraphicsFunc(
        [plug]() -> plugin::ui::ICanvas* { return new plugin::ui::test::RecordingCanvas(*plug, 899, 500); });
  }
  ~MenuSession()
  {
    if (kelmo) kelmo->setComponentHandler(nullptr); // the host's part of terminate
  }

  // Opens the editor (a recording context) with one control in it.
  plugin::ui::IControl* OpenEditor()
  {
    kelmo->OpenWindow(&parent);
    return kelmo->GetUI()->AttachControl(new Target(chosen));
  }
  // The graphics context's road: the editor delegate asks the binding for the host's menu.
  bool Popup(plugin::ui::IControl* target, int paramIdx)
  {
    return kelmo->PopupHostContextMenu(target, paramIdx, items, 31, 16);
  }

  IPtr<kelmotest::DirectKelmo> kelmo = kelmotest::DirectKelmo::Make();
  IPtr<MenuHandler> handler = owned(new MenuHandler);
  plugin::ui::IPopupMenu items{"", {"Own"}};
  std::vector<int> chosen; // items that reached a control
  int parent = 0;
};

class HostContextMenu : public ::testing::Test, protected MenuSession
{};

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
  plugin::ui::IControl* target = OpenEditor();
  ASSERT_TRUE(Popup(target, kLAttack));
  EXPECT_EQ(handler->askedId, kLAttack);
  EXPECT_EQ(handler->askedView, view.get());
  const RecordingMenu& menu = *handler->menu;
  EXPECT_EQ(menu.items, (std::vector<std::string>{"Own 0 0", " 1 1", "Checked 2 4", "Off 3 2", "Both 4 6",
                                                  "Sub 5 10", "Deep 6 0", " 7 17"}));
  EXPECT_EQ(menu.popups, (std::vector<std::pair<int32, int32>>{{31, 16}}));
  EXPECT_EQ(handler->menu->refCount(), 1u);                  // the binding released the menu
  EXPECT_EQ(menu.targets[6]->executeMenuItem(6), kResultOk); // the user picks an editor item
  EXPECT_EQ(chosen, std::vector<int>{6});
}

TEST_F(HostContextMenu, NothingShowsWithoutAHandlerAViewTheInterfaceOrAParameter)
{
  plugin::ui::IControl* target = OpenEditor();
  EXPECT_FALSE(Popup(target, kLAttack)); // no handler
  kelmo->setComponentHandler(handler);
  EXPECT_FALSE(Popup(target, kLAttack)); // no view
  IPtr<IPlugView> view = owned(kelmo->createView(ViewType::kEditor));
  EXPECT_FALSE(Popup(target, -1) || Popup(target, kNumParams));
  handler->makeMenus = false;
  EXPECT_FALSE(Popup(target, kLAttack));
  kelmo->setComponentHandler(owned(new plugin::testhost::ComponentHandler)); // edits only
  EXPECT_FALSE(Popup(target, kLAttack));
  EXPECT_TRUE(handler->menu->popups.empty());
  EXPECT_EQ(target->GetRefCount(), 1u); // no menu target holds the control
}

TEST_F(HostContextMenu, AMenuTheHostKeepsReachesNothingOnceItsControlIsGone)
{
  // What goes after the menu was built; the host then picks an item and, later, releases the
  // menu with its targets. Run under the address sanitizer, a target that kept the control itself
  // would touch freed memory here.
  struct Case
  {
    const char* name;
    void (*after)(MenuSession& t, plugin::ui::IControl* control);
  };
  const Case cases[] = {
      {"control removed",
       [](MenuSession& t, plugin::ui::IControl* c) { t.kelmo->GetUI()->RemoveControl(c); }},
      {"editor closed", [](MenuSession& t, plugin::ui::IControl*) { t.kelmo->CloseWindow(); }},
      {"editor reopened",
       [](MenuSession& t, plugin::ui::IControl*) {
         t.kelmo->CloseWindow();
         t.OpenEditor(); // a new control, perhaps where the old one was
       }},
      {"plug-in released",
       [](MenuSession& t, plugin::ui::IControl*) {
         t.kelmo->setComponentHandler(nullptr);
         t.kelmo = nullptr; // the last reference: the object and its editor go
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MenuSession t;
    t.kelmo->setComponentHandler(t.handler);
    IPtr<IPlugView> view = owned(t.kelmo->createView(ViewType::kEditor));
    plugin::ui::IControl* target = t.OpenEditor();
    ASSERT_TRUE(t.Popup(target, kLAttack));
    IPtr<IContextMenuTarget> kept = t.handler->menu->targets[0]; // the host keeps the menu
    view = nullptr;
    c.after(t, target);
    EXPECT_EQ(kept->executeMenuItem(0), kResultFalse);
    EXPECT_TRUE(t.chosen.empty());
    t.handler->menu = nullptr; // the host drops the menu, then its last hold on the target
    kept = nullptr;
  }
}

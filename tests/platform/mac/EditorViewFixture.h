#pragma once

#include "framework/queues/IKeyPress.h"
#include "graphics/control/IControl.h"
#include "platform/mac/ICanvasMac.h"
#include "platform/mac/ICanvasView.h"
#include "platform/mac/MacGraphicsFactory.h"
#include "platform/mac/system/ScriptedUser.h"
#include "platform/mac/system/VirtualTime.h"
#include "platform/mac/system/Window.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace macview {

using namespace plugin;
using namespace plugin::ui;
using plugin::sys::Point;

// A control that logs each event it gets as "what x y" (with the buttons and modifiers that matter).
class ProbeControl : public IControl
{
public:
  explicit ProbeControl(const IRECT& bounds, int paramIdx = -1) : IControl(bounds, paramIdx) {}

  void Draw(ICanvas&) override { ++draws; }
  void OnMouseDown(float x, float y, const IMouseMod& mod) override { Log("down", x, y, &mod); }
  void OnMouseUp(float x, float y, const IMouseMod& mod) override { Log("up", x, y, &mod); }
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override
  {
    Log("drag", x, y, &mod);
    drags.push_back({dX, dY});
  }
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override { Log("dbl", x, y, &mod); }
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float delta) override
  {
    Log("wheel", x, y, &mod);
    wheel = delta;
  }
  void OnMouseOver(float x, float y, const IMouseMod& mod) override
  {
    Log("over", x, y, &mod);
    IControl::OnMouseOver(x, y, mod);
  }
  void OnMouseOut() override
  {
    log.push_back("out");
    IControl::OnMouseOut();
  }
  bool OnKeyDown(float x, float y, const IKeyPress& key) override
  {
    Log("key", x, y, nullptr);
    keys.push_back(key);
    return handlesKeys;
  }
  void OnDrop(const char* path) override { dropped = {path}; }
  void OnDropMultiple(const std::vector<const char*>& paths) override
  {
    dropped.assign(paths.begin(), paths.end());
  }
  void OnTextEntryCompletion(const char* str, int) override { entered.push_back(str); }
  void OnPopupMenuSelection(IPopupMenu* menu, int) override { menus.push_back(menu); }

  std::vector<std::string> Take()
  {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }

  std::vector<std::string> log;
  std::vector<std::pair<float, float>> drags;
  std::vector<IKeyPress> keys;
  std::vector<std::string> dropped;
  std::vector<std::string> entered;
  std::vector<IPopupMenu*> menus;
  float wheel = 0.f;
  int draws = 0;
  bool handlesKeys = true;

private:
  void Log(const char* what, float x, float y, const IMouseMod* mod)
  {
    std::ostringstream s;
    s << what << ' ' << x << ' ' << y;
    if (mod && mod->leftButton) s << " L";
    if (mod && mod->rightButton) s << " R";
    log.push_back(s.str());
  }
};

// An editor of w x h toolkit units opened through its delegate into the content view of a window
// on the headless screen, on virtual time; one probe control covers it (above an empty background)
// unless the layout is replaced.
class EditorViewTest : public ::testing::Test
{
protected:
  EditorViewTest() { user.Reset(); }
  ~EditorViewTest() override
  {
    dlg.CloseWindow();
    user.Reset();
  }

  void Open(int w = 200, int h = 100, float drawScale = 1.f, int fps = 60)
  {
    dlg.SetMakeGraphicsFunc(
        [this, w, h, drawScale, fps] { return MakeMacGraphics(dlg, w, h, fps, drawScale, "", "", ""); });
    dlg.SetLayoutFunc([this](ICanvas* ui) {
      if (layout) {
        layout(ui);
      } else {
        ui->AttachControl(new ProbeControl(IRECT())); // the background slot: hit by nothing
        probe = new ProbeControl(
            IRECT(0.f, 0.f, static_cast<float>(ui->Width()), static_cast<float>(ui->Height())));
        ui->AttachControl(probe);
      }
    });
    dlg.OpenWindow(window->ContentView().get());
  }

  ICanvasMac& G() { return *static_cast<ICanvasMac*>(dlg.GetUI()); }
  ICanvasView_vKelmo_vst3& V() { return *G().GetView(); }

  // A point in toolkit units as the window sees it.
  Point At(float x, float y)
  {
    const double s = G().GetDrawScale();
    return V().ConvertPointToView({x * s, y * s}, nullptr);
  }

  sys::ScriptedUser& user = sys::ScriptedUser::Shared();
  sys::VirtualTime time;
  sys::WindowRef window = sys::Window::Create(sys::MakeRect(100.0, 100.0, 600.0, 400.0));
  test::TestEditorDelegate dlg;
  std::function<void(ICanvas*)> layout;
  ProbeControl* probe = nullptr;
};

} // namespace macview

// Plays arbitrary bytes into the in-editor popup menu and text field of a graphics context that
// draws nothing: menus of any shape (empty, separators only, deep submenus, hundreds of items,
// anchors anywhere, also off the editor), pointer presses, drags, hovers, wheels and double clicks
// anywhere, frames at any interval, text entries for fields of every parameter type, keys with any
// code, text bytes and modifiers, clipboards of raw bytes, and the field's clipboard operations.
// After every step the field's cursor lies inside its text, its text survives its own
// UTF-8 round trip (no lone surrogate stays), and every menu's chosen index is none or one of its
// items.
#include "NullCanvas.h"

#include "framework/params/IParam.h"
#include "framework/queues/IKeyPress.h"
#include "framework/runloop/RunLoop.h"
#include "framework/runloop/RunLoopClock.h"
#include "framework/text/UnicodeCodec.h"
#include "graphics/attached/IPopupMenuControl.h"
#include "graphics/attached/ITextEntryControl.h"
#include "graphics/menu/IPopupMenu.h"
#include "graphics/values/IRECTList.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace plugin;
using namespace plugin::ui;

namespace {

void Check(bool ok)
{
  if (!ok) std::abort();
}

// The input, read a byte at a time; 0 once it is used up.
struct Bytes
{
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool Done() const { return pos >= size; }
  uint8_t Next() { return pos < size ? data[pos++] : 0; }
  float Coord(float scale) { return static_cast<float>(Next()) * scale - 20.f; }
  std::string Text(size_t maxLen)
  {
    std::string s;
    for (size_t n = Next() % (maxLen + 1); n > 0 && !Done(); --n)
      if (const char c = static_cast<char>(Next())) s += c;
    return s;
  }
};

// A control that asks for menus and text and draws nothing.
class Caller : public IControl
{
public:
  explicit Caller(int paramIdx) : IControl(IRECT(0, 0, 10, 10), paramIdx) {}
  void Draw(ICanvas&) override {}
};

// A menu of the input's shape; submenus down to depth 3.
std::unique_ptr<IPopupMenu> BuildMenu(Bytes& in, int depth)
{
  auto menu = std::make_unique<IPopupMenu>("");
  const uint8_t size = in.Next();
  const int n = size < 0xF0 ? size % 24 : 100 * (size - 0xEF); // now and then a very long menu
  for (int i = 0; i < n && !in.Done(); ++i) {
    const uint8_t kind = in.Next();
    if (kind & 0x80)
      menu->AddSeparator();
    else if ((kind & 0x40) && depth < 3)
      menu->AddItem(in.Text(12).c_str(), BuildMenu(in, depth + 1).release(), -1);
    else
      menu->AddItem(in.Text(12).c_str(), kind & 0x7);
  }
  return menu;
}

void CheckChosen(const IPopupMenu& menu)
{
  const int chosen = menu.GetChosenItemIdx();
  Check(chosen >= -1 && chosen < menu.NItems());
  for (int i = 0; i < menu.NItems(); ++i)
    if (const IPopupMenu* sub = menu.GetItem(i)->GetSubmenu()) CheckChosen(*sub);
}

void CheckField(const ITextEntryControl& field)
{
  const int len = field.GetLength();
  Check(field.GetCursor() >= 0 && field.GetCursor() <= len);
  // Undo may leave a selection past a text that got shorter: the engine clamps it before any use,
  // and so do drawing and copying.
  Check(field.GetSelectionStart() >= 0 && field.GetSelectionEnd() >= 0);
  Check(plugin::text::Utf8ToUtf16(field.GetUtf8()) == field.GetEditString());
}

IMouseMod Buttons(uint8_t b)
{
  return {.leftButton = (b & 1) != 0,
          .rightButton = (b & 2) != 0,
          .shift = (b & 4) != 0,
          .control = (b & 8) != 0,
          .alt = (b & 16) != 0};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  // The run loop's clock is shared by every input; animations read it.
  static ManualRunLoopClock clock(1000.0);
  static const bool clockSet = (RunLoop::Main().SetClock(&clock), true);
  (void)clockSet;

  std::vector<std::unique_ptr<IPopupMenu>> menus; // outlive the context that shows them
  fuzz::NullDelegate dlg(4);
  dlg.GetParam(0)->InitDouble("Gain", 0.0, -12.0, 12.0, 0.1, "dB");
  dlg.GetParam(1)->InitInt("Steps", 5, 0, 10);
  dlg.GetParam(2)->InitEnum("Mode", 1, {"Off", "Soft", "Hard"});
  dlg.GetParam(3)->InitBool("Bypass", false);
  auto ui = std::make_unique<fuzz::NullCanvas>(dlg, 300, 200);
  ui->AttachPopupMenuControl();
  ui->AttachTextEntryControl();
  IPopupMenuControl* menuCtrl = ui->GetPopupMenuControl();
  ITextEntryControl* field = ui->GetTextEntryControl();
  Check(menuCtrl && field);
  std::vector<Caller*> callers;
  for (int param = -1; param < 4; ++param) {
    callers.push_back(new Caller(param));
    ui->AttachControl(callers.back());
  }
  IRECTList rects;

  Bytes in{data, size};
  while (!in.Done()) {
    const uint8_t op = in.Next();
    const float x = in.Coord(1.3f);
    const float y = in.Coord(0.9f);
    const IMouseMod mod = Buttons(in.Next());
    switch (op % 12) {
    case 0: {
      menus.push_back(BuildMenu(in, 0));
      const IRECT anchor(x, y, x + in.Next() % 64, y + in.Next() % 32);
      ui->CreatePopupMenu(*callers[in.Next() % callers.size()], *menus.back(), anchor);
      break;
    }
    case 1:
      ui->OnMouseOver(x, y, mod);
      break;
    case 2:
      ui->OnMouseDown({{x, y, 0.f, 0.f, mod}});
      break;
    case 3:
      ui->OnMouseDrag({{x, y, in.Coord(0.2f), in.Coord(0.2f), mod}});
      break;
    case 4:
      ui->OnMouseUp({{x, y, 0.f, 0.f, mod}});
      break;
    case 5:
      clock.AdvanceMs(in.Next() * 4.0);
      rects.Clear();
      if (ui->IsDirty(rects)) {
        ui->SetAllControlsClean();
        ui->Draw(rects);
      }
      break;
    case 6: {
      Caller* c = callers[in.Next() % callers.size()];
      const IText text(8.f + in.Next() % 24, COLOR_BLACK, nullptr, static_cast<EAlign>(in.Next() % 3),
                       static_cast<EVAlign>(in.Next() % 3));
      const std::string str = in.Text(24);
      ui->CreateTextEntry(*c, text, IRECT(x, y, x + in.Next(), y + in.Next() % 40), str.c_str());
      break;
    }
    case 7: {
      int vKey = in.Next();
      if (vKey == 0xFF) vKey = 0x800D; // the keypad's Enter
      const std::string text = in.Text(4);
      ui->OnKeyDown(x, y, IKeyPress(text.c_str(), vKey, mod.shift, mod.control, mod.alt));
      break;
    }
    case 8:
      ui->clipboard = in.Text(255);
      break;
    case 9:
      ui->OnMouseDblClick(x, y, mod);
      break;
    case 10:
      ui->OnMouseWheel(x, y, mod, in.Coord(0.1f));
      break;
    default:
      switch (in.Next() % 4) {
      case 0:
        field->SelectAll();
        break;
      case 1:
        field->CopySelection();
        break;
      case 2:
        field->CutSelection();
        break;
      default:
        field->Paste();
        break;
      }
      break;
    }
    CheckField(*field);
    Check(menuCtrl->GetState() >= IPopupMenuControl::kCollapsed &&
          menuCtrl->GetState() <= IPopupMenuControl::kCleanUp);
    for (const auto& menu : menus)
      CheckChosen(*menu);
  }
  ui.reset(); // the controls go before the menus they may still point at
  return 0;
}

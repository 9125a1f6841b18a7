// Arbitrary sequences of pointer, key, menu, text, resize, removal and frame events on an editor
// with a knob, slider, switch, button, container and a control that opens value menus. Every host
// gesture must end once, never before it began, and every value sent must be finite.
#include "framework/params/IParam.h"
#include "graphics/IButtonControlBase.h"
#include "graphics/ICanvas.h"
#include "graphics/ICanvasEditorDelegate.h"
#include "graphics/IContainerBase.h"
#include "graphics/IKnobControlBase.h"
#include "graphics/ISliderControlBase.h"
#include "graphics/ISwitchControlBase.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace plugin;
using namespace plugin::ui;

namespace {

constexpr int kParams = 4;

class CountingDelegate : public ICanvasEditorDelegate<>
{
public:
  CountingDelegate() : ICanvasEditorDelegate<>(kParams)
  {
    GetParam(0)->InitDouble("Gain", 0.0, -12.0, 12.0, 0.1, "dB");
    GetParam(1)->InitInt("Steps", 5, 0, 10);
    GetParam(2)->InitEnum("Mode", 1, {"Off", "Soft", "Hard"});
    GetParam(3)->InitBool("Bypass", false);
  }
  void BeginInformHostOfParamChangeFromUI(int idx) override
  {
    if (idx < 0 || idx >= kParams) std::abort();
    ++open[idx];
  }
  void EndInformHostOfParamChangeFromUI(int idx) override
  {
    if (idx < 0 || idx >= kParams || --open[idx] < 0) std::abort(); // an end without a begin
  }
  void SendParameterValueFromUI(int idx, double value) override
  {
    if (!std::isfinite(value)) std::abort();
    ICanvasEditorDelegate<>::SendParameterValueFromUI(idx, value);
  }
  int open[kParams] = {};
};

// A graphics context with nothing behind its renderer and platform slots. Menus answer with the
// scripted choice, synchronously or later.
class NullCanvas : public ICanvas
{
public:
  using ICanvas::ICanvas;
  int menuChoice = -1;
  bool menuAsync = false;

  void DrawBitmap(const IBitmap&, const IRECT&, int, int, const IBlend*) override {}
  IColor QueryColor(float, float) const override { return COLOR_BLACK; }
  void* GetDrawContext() override { return nullptr; }
  const char* GetDrawingAPIStr() override { return ""; }
  bool BitmapExtSupported(const char*) override { return false; }
  void GetLayerBitmapData(const ILayerPtr&, RawBitmapData&) override {}
  void ApplyShadowMask(ILayerPtr&, RawBitmapData&, const IShadow&) override {}
  void PathClear() override {}
  void PathClose() override {}
  void PathArc(float, float, float, float, float, EWinding) override {}
  void PathMoveTo(float, float) override {}
  void PathLineTo(float, float) override {}
  void PathCubicBezierTo(float, float, float, float, float, float) override {}
  void PathQuadraticBezierTo(float, float, float, float) override {}
  void PathStroke(const IPattern&, float, const IStrokeOptions&, const IBlend*) override {}
  void PathFill(const IPattern&, const IFillOptions&, const IBlend*) override {}
  void PathTransformSetMatrix(const IMatrix&) override {}
  void SetClipRegion(const IRECT&) override {}
  void GetMouseLocation(float& x, float& y) const override { x = y = 10.f; }
  void HideMouseCursor(bool hide, bool lock) override
  {
    mCursorHidden = hide;
    mCursorLocked = hide && lock;
  }
  void MoveMouseCursor(float, float) override {}
  void EndPlatformTextEntry() override {}
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  bool GetTextFromClipboard(StringBuf&) override { return false; }
  bool SetTextInClipboard(const char*) override { return false; }
  void UpdateTooltips() override {}
  int ShowMessageBox(const char*, const char*, int, IMsgBoxCompletionHandlerFunc) override { return 0; }
  void PromptForFile(StringBuf&, StringBuf&, int, const char*, IFileDialogCompletionHandlerFunc) override {}
  void PromptForDirectory(StringBuf&, IFileDialogCompletionHandlerFunc) override {}
  bool PromptForColor(IColor&, const char*, IColorPickerHandlerFunc) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  PlatformFontPtr LoadPlatformFont(const char*, const char*) override { return nullptr; }
  PlatformFontPtr LoadPlatformFontFromMemory(const char*, const void*, int) override { return nullptr; }
  PlatformFontPtr LoadPlatformFontByName(const char*, const char*, ETextStyle) override { return nullptr; }
  void CachePlatformFont(const char*, PlatformFontPtr&) override {}
  void CreatePlatformTextEntry(int, const IText&, const IRECT&, int, const char*) override {}
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT&, bool& isAsync) override
  {
    isAsync = menuAsync;
    menu.SetChosenItemIdx(menuChoice);
    return isAsync || menuChoice < 0 ? nullptr : &menu;
  }
  APIBitmap* LoadAPIBitmap(const char*, int, int, const char*) override { return nullptr; }
  APIBitmap* LoadAPIBitmapFromMemory(const char*, const void*, int, int) override { return nullptr; }
  APIBitmap* CreateAPIBitmap(int, int, float, double, bool) override { return nullptr; }
  bool LoadAPIFont(const char*, const PlatformFontPtr&) override { return false; }
  int GetAlphaChannelIndex() const override { return 3; }
  bool IsFlippedBitmap() const override { return false; }
  float DoMeasureText(const IText&, const char*, IRECT&) const override { return 0.f; }
  void DoDrawText(const IText&, const char*, const IRECT&, const IBlend*) override {}
};

template <class Base> class Drawn : public Base
{
public:
  using Base::Base;
  void Draw(ICanvas&) override {}
};

// Opens its value prompt on every press, as a caption does.
class Prompting : public IControl
{
public:
  Prompting(const IRECT& r, int param) : IControl(r, param) { SetPromptBlocked(false); }
  void OnMouseDown(float, float, const IMouseMod&) override { PromptUserInput(0); }
  void Draw(ICanvas&) override {}
};

struct Reader
{
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool More() const { return pos < size; }
  uint8_t Byte() { return pos < size ? data[pos++] : 0; }
  float Coord() { return static_cast<float>(Byte()) * 1.25f - 20.f; } // a little beyond the editor
  float Delta() { return static_cast<float>(static_cast<int8_t>(Byte())); }
};

void Populate(ICanvas& ui)
{
  ui.AttachControl(new Drawn<IControl>(IRECT(0, 0, 300, 200), -1));
  ui.AttachControl(new Drawn<IKnobControlBase>(IRECT(10, 10, 60, 90), 0, EDirection::Vertical, 2.0));
  ui.AttachControl(new Drawn<ISliderControlBase>(IRECT(70, 10, 90, 190), 1, EDirection::Vertical, 1.0, 8.f));
  ui.AttachControl(new Drawn<ISwitchControlBase>(IRECT(100, 10, 140, 40), 2, nullptr, 2));
  ui.AttachControl(new Drawn<IButtonControlBase>(IRECT(100, 50, 140, 80), IControl::DefaultClickAction));
  ui.AttachControl(new Prompting(IRECT(150, 10, 200, 40), 2));
  ui.AttachControl(new Drawn<IContainerBase>(IRECT(150, 100, 290, 190), [](IContainerBase* c, const IRECT&) {
    c->AddChildControl(new Drawn<IKnobControlBase>(IRECT(160, 110, 200, 150), 3, EDirection::Horizontal, 1.0));
    c->AddChildControl(new Drawn<ISwitchControlBase>(IRECT(210, 110, 280, 150), 1, nullptr, 3));
  }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  CountingDelegate dlg;
  {
    NullCanvas ui(dlg, 300, 200, 60, 1.f);
    Populate(ui);
    Reader in{data, size};
    IRECTList rects;
    while (in.More()) {
      const uint8_t op = in.Byte();
      const uint64_t touch = in.Byte() % 3;
      IMouseMod mod{.leftButton = (op & 0x10) == 0, .rightButton = (op & 0x10) != 0, .shift = (op & 0x20) != 0,
                    .touchID = touch};
      switch (op % 14) {
      case 0: ui.OnMouseDown({IMouseInfo{in.Coord(), in.Coord(), 0.f, 0.f, mod}}); break;
      case 1: ui.OnMouseUp({IMouseInfo{in.Coord(), in.Coord(), 0.f, 0.f, mod}}); break;
      case 2: ui.OnMouseDrag({IMouseInfo{in.Coord(), in.Coord(), in.Delta(), in.Delta(), mod}}); break;
      case 3: ui.OnMouseDblClick(in.Coord(), in.Coord(), mod); break;
      case 4: ui.OnMouseWheel(in.Coord(), in.Coord(), mod, in.Delta() / 8.f); break;
      case 5: ui.Resize(300 + in.Byte(), 200 + in.Byte(), 0.25f + in.Byte() / 64.f, false); break;
      case 6: ui.RemoveControl(in.Byte() % 10); break;
      case 7: dlg.SendParameterValueFromDelegate(in.Byte() % kParams, in.Delta() / 64.0, true); break;
      case 8: ui.SetControlValueAfterPopupMenu(nullptr); break;
      case 9: ui.SetControlValueAfterTextEdit(in.Byte() & 1 ? "3.5" : "nan"); break;
      case 10: ui.OnTouchCancelled({IMouseInfo{0.f, 0.f, 0.f, 0.f, mod}}); break;
      case 11: ui.EnableMultiTouch(in.Byte() & 1); break;
      case 12:
        ui.menuChoice = static_cast<int>(in.Byte() % 5) - 1;
        ui.menuAsync = (op & 0x40) != 0;
        break;
      default:
        rects.Clear();
        if (ui.IsDirty(rects)) {
          ui.SetAllControlsClean();
          ui.Draw(rects);
        }
      }
    }
    ui.RemoveAllControls();
  }
  for (int open : dlg.open)
    if (open != 0) std::abort(); // a gesture never ended
  return 0;
}

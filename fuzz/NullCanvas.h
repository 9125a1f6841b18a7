#pragma once

// A graphics context for the controls' fuzz targets: it draws nothing, opens nothing and loads
// nothing. Text measures 0.5 x size per byte by size; the clipboard is a short string; platform
// menus are dismissed at once.
#include "graphics/canvas/ICanvas.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"

#include <cstring>
#include <string>

namespace plugin::ui::fuzz {

// An editor delegate whose parameters the fuzz target defines; it informs no host.
class NullDelegate : public ICanvasEditorDelegate<>
{
public:
  explicit NullDelegate(int nParams) : ICanvasEditorDelegate(nParams) {}
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

class NullCanvas : public ICanvas
{
public:
  NullCanvas(ICanvasEditorDelegateBase& dlg, int width, int height) : ICanvas(dlg, width, height, 60, 1.f) {}

  static constexpr size_t kClipboardMax = 256;
  std::string clipboard;

  // --- Renderer slots ---
  void DrawBitmap(const IBitmap&, const IRECT&, int, int, const IBlend*) override {}
  IColor QueryColor(float, float) const override { return COLOR_BLACK; }
  void* GetDrawContext() override { return nullptr; }
  const char* GetDrawingAPIStr() override { return "Null"; }
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
  APIBitmap* LoadAPIBitmap(const char*, int, int, const char*) override { return nullptr; }
  APIBitmap* LoadAPIBitmapFromMemory(const char*, const void*, int, int) override { return nullptr; }
  APIBitmap* CreateAPIBitmap(int, int, float, double, bool) override { return nullptr; }
  bool LoadAPIFont(const char*, const PlatformFontPtr&) override { return false; }
  int GetAlphaChannelIndex() const override { return 3; }
  bool IsFlippedBitmap() const override { return false; }
  float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const override
  {
    const float w = 0.5f * text.mSize * static_cast<float>(str ? std::strlen(str) : 0);
    bounds = IRECT(bounds.L, bounds.T, bounds.L + w, bounds.T + text.mSize);
    return w;
  }
  void DoDrawText(const IText&, const char*, const IRECT&, const IBlend*) override {}

  // --- Platform slots ---
  void GetMouseLocation(float& x, float& y) const override { x = y = 0.f; }
  void HideMouseCursor(bool, bool) override {}
  void MoveMouseCursor(float, float) override {}
  void EndPlatformTextEntry() override {}
  void* OpenWindow(void*) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  bool GetTextFromClipboard(StringBuf& str) override
  {
    return str.Set(clipboard.c_str()), !clipboard.empty();
  }
  // Keeps at most kClipboardMax bytes, so that copy and paste cannot double the text on every few
  // input bytes.
  bool SetTextInClipboard(const char* str) override
  {
    clipboard.assign(str ? str : "", str ? strnlen(str, kClipboardMax) : 0);
    return true;
  }
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
    isAsync = false;
    menu.SetChosenItemIdx(-1);
    return &menu;
  }
};

} // namespace plugin::ui::fuzz

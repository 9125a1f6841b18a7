#pragma once

#include "graphics/canvas/ICanvas.h"

#include <atomic>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace plugin::ui::test {

// One renderer or platform call: its name, numeric arguments in order and text argument.
struct CanvasCall
{
  std::string op;
  std::vector<double> args;
  std::string text;

  bool operator==(const CanvasCall&) const = default;
};

std::ostream& operator<<(std::ostream& os, const CanvasCall& call);

// Renderer image counted while it lives.
class CountedBitmap : public APIBitmap
{
public:
  CountedBitmap(int image, int width, int height, float scale, float drawScale);
  ~CountedBitmap() override;
  static int Live() noexcept { return sLive.load(); }

private:
  static std::atomic<int> sLive;
};

// Platform font counted while it lives.
class CountedFont : public PlatformFont
{
public:
  explicit CountedFont(const char* fontID);
  ~CountedFont() override;
  const std::string& GetID() const noexcept { return mID; }
  static int Live() noexcept { return sLive.load(); }

private:
  std::string mID;
  static std::atomic<int> sLive;
};

// A graphics context whose renderer and platform slots record every call with its arguments.
// Text has fixed metrics (each character kCharWidth x size wide, the line size high); bitmaps and
// fonts are counted objects; menus, message boxes, dialogs and layer pixels are scripted; the
// window is a token. Tests reach the dispatch state through the helpers at the end.
class RecordingCanvas : public ICanvas
{
public:
  static constexpr float kCharWidth = 0.5f;

  explicit RecordingCanvas(ICanvasEditorDelegateBase& dlg, int width = 300, int height = 200, int fps = 60,
                           float drawScale = 1.f);
  ~RecordingCanvas() override;

  // --- Script ---

  // Menus: the item chosen (-1: dismissed) in the menu reached through submenuPath (item
  // indices from the root); async menus return null and report nothing by themselves.
  struct MenuScript
  {
    bool async = false;
    std::vector<int> submenuPath;
    int chosenIdx = -1;
  } menuScript;
  // Runs first in every platform menu, before it is recorded (it may throw, as code under a real
  // menu might).
  std::function<void()> beforeMenu;
  int messageBoxResult = 1;
  std::string fileDialogName;
  std::string fileDialogPath;
  std::string clipboard;
  bool clipboardHasText = false;
  float mouseX = 0.f;
  float mouseY = 0.f;
  float screenScaleOnOpen = 1.f;
  int bitmapWidth = 100; // size of every loaded image at scale 1
  int bitmapHeight = 50;
  bool failBitmapLoads = false;
  bool failFontLoads = false;
  bool acceptFonts = true;
  bool cacheTakesFonts = true;
  int alphaChannelIndex = 3;
  bool flippedBitmaps = false;
  RawBitmapData layerPixels{4096};  // what GetLayerBitmapData reads back
  std::string bundleID;             // what GetBundleID answers, as a platform's context names its bundle
  void* platformResource = nullptr; // the handle LoadPlatformResource hands the resource locator

  // --- Recording ---

  mutable std::vector<CanvasCall> calls;
  std::vector<PlatformFontPtr> cachedFonts; // fonts the platform cache took over
  RawBitmapData lastShadowMask{4096};
  std::vector<std::string> lastMenuItems; // root items of the platform menu shown last, checked ones "*"

  // Calls with the given op, in order; their number.
  std::vector<CanvasCall> CallsNamed(const std::string& op) const;
  int Count(const std::string& op) const;
  void ClearCalls() { calls.clear(); }

  // --- Dispatch state for tests ---

  void Capture(uint64_t touchId, IControl* control) { mCaptureMap[touchId] = control; }
  void SetMouseOver(IControl* control, int idx)
  {
    mMouseOverCtrl = control;
    mMouseOverIdx = idx;
  }
  void SetInTextEntry(IControl* control) { mInTextEntryCtrl = control; }
  void SetInPopupMenu(IControl* control) { mInPopupMenuCtrl = control; }

  // --- Renderer slots ---

  void OnViewInitialized(void*) override { Rec("OnViewInitialized"); }
  // Removes every control, as a renderer does when its view goes.
  void OnViewDestroyed() override;
  void BeginFrame() override;
  void EndFrame() override { Rec("EndFrame"); }
  void DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY, const IBlend* blend) override;
  IColor QueryColor(float x, float y) const override { return Rec("QueryColor", x, y), COLOR_BLACK; }
  void* GetDrawContext() override { return nullptr; }
  const char* GetDrawingAPIStr() override { return "Recording"; }
  // "png", "jpg" and "jpeg" in any case.
  bool BitmapExtSupported(const char* extension) override;
  // Copies layerPixels.
  void GetLayerBitmapData(const ILayerPtr& layer, RawBitmapData& data) override;
  // Keeps a copy of the mask in lastShadowMask.
  void ApplyShadowMask(ILayerPtr& layer, RawBitmapData& mask, const IShadow& shadow) override;
  void UpdateLayer() override { Rec("UpdateLayer", LayerStackDepth()); }
  void PathClear() override { Rec("PathClear"); }
  void PathClose() override { Rec("PathClose"); }
  void PathArc(float cx, float cy, float r, float a1, float a2, EWinding w) override
  {
    Rec("PathArc", cx, cy, r, a1, a2, w);
  }
  void PathMoveTo(float x, float y) override { Rec("PathMoveTo", x, y); }
  void PathLineTo(float x, float y) override { Rec("PathLineTo", x, y); }
  void PathSetWinding(bool hole) override { Rec("PathSetWinding", hole); }
  void PathCubicBezierTo(float a, float b, float c, float d, float x, float y) override
  {
    Rec("PathCubicBezierTo", a, b, c, d, x, y);
  }
  void PathQuadraticBezierTo(float cx, float cy, float x, float y) override
  {
    Rec("PathQuadraticBezierTo", cx, cy, x, y);
  }
  // Pattern type and first colour, thickness, options (miter, preserve, cap, join, dash count), blend.
  void PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                  const IBlend* blend) override;
  // Pattern type and first colour, fill rule, preserve, blend method and weight.
  void PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* blend) override;
  void PathTransformSetMatrix(const IMatrix& m) override
  {
    Rec("PathTransformSetMatrix", m.xx, m.yx, m.xy, m.yy, m.tx, m.ty);
  }
  void SetClipRegion(const IRECT& r) override { Rec("SetClipRegion", r.L, r.T, r.R, r.B); }
  void DrawResize() override { Rec("DrawResize", Width(), Height(), GetDrawScale(), GetScreenScale()); }
  // Counted images of bitmapWidth x bitmapHeight at the scale; null with failBitmapLoads.
  APIBitmap* LoadAPIBitmap(const char* path, int scale, int location, const char* extension) override;
  APIBitmap* LoadAPIBitmapFromMemory(const char* name, const void* data, int size, int scale) override;
  APIBitmap* CreateAPIBitmap(int width, int height, float scale, double drawScale, bool cacheable) override;
  bool LoadAPIFont(const char* fontID, const PlatformFontPtr&) override
  {
    return RecText("LoadAPIFont", fontID), acceptFonts;
  }
  int GetAlphaChannelIndex() const override { return alphaChannelIndex; }
  bool IsFlippedBitmap() const override { return flippedBitmaps; }
  // Each character kCharWidth x size wide, size high, from bounds' top-left.
  float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const override;
  void DoDrawText(const IText& t, const char* s, const IRECT& r, const IBlend* b) override
  {
    RecText("DoDrawText", s, r.L, r.T, r.R, r.B, t.mSize, Weight(b));
  }

  // --- Platform slots ---

  void GetMouseLocation(float& x, float& y) const override { x = mouseX, y = mouseY; }
  // Keeps the cursor flags as the platform does.
  void HideMouseCursor(bool hide, bool lock) override;
  void MoveMouseCursor(float x, float y) override { Rec("MoveMouseCursor", x, y); }
  void EndPlatformTextEntry() override { Rec("EndPlatformTextEntry"); }
  // Sets the scripted screen scale, lays out the UI, updates tooltips and tells the delegate.
  void* OpenWindow(void* parent) override;
  // Forgets the window and reports the view gone.
  void CloseWindow() override;
  void* GetWindow() override { return mWindowOpen ? &mWindowToken : nullptr; }
  bool GetTextFromClipboard(StringBuf& str) override
  {
    return str.Set(clipboardHasText ? clipboard.c_str() : ""), clipboardHasText;
  }
  bool SetTextInClipboard(const char* str) override
  {
    return clipboard = str ? str : "", clipboardHasText = true;
  }
  void UpdateTooltips() override { Rec("UpdateTooltips"); }
  int ShowMessageBox(const char* str, const char*, int type, IMsgBoxCompletionHandlerFunc) override
  {
    return RecText("ShowMessageBox", str, type), messageBoxResult;
  }
  // Answers fileDialogName and fileDialogPath.
  void PromptForFile(StringBuf& fileName, StringBuf& path, int action, const char* ext,
                     IFileDialogCompletionHandlerFunc completion) override;
  void PromptForDirectory(StringBuf& dir, IFileDialogCompletionHandlerFunc) override
  {
    RecText("PromptForDirectory", dir.Get());
  }
  bool PromptForColor(IColor&, const char* prompt, IColorPickerHandlerFunc) override
  {
    return RecText("PromptForColor", prompt), false;
  }
  bool OpenURL(const char* url, const char*, const char*, const char*) override
  {
    return RecText("OpenURL", url), true;
  }
  // Counted fonts; null with failFontLoads.
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  PlatformFontPtr LoadPlatformFontFromMemory(const char* fontID, const void* data, int size) override;
  PlatformFontPtr LoadPlatformFontByName(const char* fontID, const char* fontName, ETextStyle style) override;
  // Takes the font into cachedFonts when cacheTakesFonts.
  void CachePlatformFont(const char* fontID, PlatformFontPtr& font) override;
  void CreatePlatformTextEntry(int paramIdx, const IText& t, const IRECT& r, int length,
                               const char* str) override
  {
    RecText("CreatePlatformTextEntry", str, paramIdx, r.L, r.T, r.R, r.B, length, t.mSize);
  }
  // Runs beforeMenu, keeps the menu's items, then follows menuScript: records the choice in the
  // menu reached and runs its completion.
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;
  void PlatformResize(bool resized) override { Rec("PlatformResize", resized); }
  const char* GetBundleID() const override { return bundleID.c_str(); }
  void* LoadPlatformResource() override { return platformResource; }

private:
  template <class... Args> void Rec(const char* op, Args... args) const
  {
    calls.push_back({op, {double(args)...}, ""});
  }
  template <class... Args> void RecText(const char* op, const char* text, Args... args) const
  {
    calls.push_back({op, {double(args)...}, text ? text : ""});
  }
  static double Weight(const IBlend* blend) { return blend ? blend->mWeight : 1.0; }

  bool mWindowOpen = false;
  int mWindowToken = 0;
  int mNextImage = 1;
};

} // namespace plugin::ui::test

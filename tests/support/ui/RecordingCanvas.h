#pragma once

#include "graphics/ICanvas.h"

#include <atomic>
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

  explicit RecordingCanvas(ICanvasEditorDelegate& dlg, int width = 300, int height = 200, int fps = 60,
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
  RawBitmapData layerPixels{4096}; // what GetLayerBitmapData reads back

  // --- Recording ---

  mutable std::vector<CanvasCall> calls;
  std::vector<PlatformFontPtr> cachedFonts; // fonts the platform cache took over
  RawBitmapData lastShadowMask{4096};

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

  void OnViewInitialized(void* platformLayer) override;
  void OnViewDestroyed() override;
  void BeginFrame() override;
  void EndFrame() override;
  void DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY, const IBlend* blend) override;
  IColor QueryColor(float x, float y) const override;
  void* GetDrawContext() override { return nullptr; }
  const char* GetDrawingAPIStr() override { return "Recording"; }
  bool BitmapExtSupported(const char* extension) override;
  void GetLayerBitmapData(const ILayerPtr& layer, RawBitmapData& data) override;
  void ApplyShadowMask(ILayerPtr& layer, RawBitmapData& mask, const IShadow& shadow) override;
  void UpdateLayer() override;
  void PathClear() override;
  void PathClose() override;
  void PathArc(float cx, float cy, float r, float startDegrees, float endDegrees, EWinding winding) override;
  void PathMoveTo(float x, float y) override;
  void PathLineTo(float x, float y) override;
  void PathSetWinding(bool hole) override;
  void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) override;
  void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) override;
  void PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                  const IBlend* blend) override;
  void PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* blend) override;
  void PathTransformSetMatrix(const IMatrix& m) override;
  void SetClipRegion(const IRECT& r) override;
  void DrawResize() override;
  APIBitmap* LoadAPIBitmap(const char* path, int scale, int location, const char* extension) override;
  APIBitmap* LoadAPIBitmapFromMemory(const char* name, const void* data, int size, int scale) override;
  APIBitmap* CreateAPIBitmap(int width, int height, float scale, double drawScale, bool cacheable) override;
  bool LoadAPIFont(const char* fontID, const PlatformFontPtr& font) override;
  int GetAlphaChannelIndex() const override { return alphaChannelIndex; }
  bool IsFlippedBitmap() const override { return flippedBitmaps; }
  float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const override;
  void DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* blend) override;

  // --- Platform slots ---

  void GetMouseLocation(float& x, float& y) const override;
  void HideMouseCursor(bool hide, bool lock) override;
  void MoveMouseCursor(float x, float y) override;
  void EndPlatformTextEntry() override;
  // Sets the scripted screen scale, lays out the UI, updates tooltips and tells the delegate.
  void* OpenWindow(void* parent) override;
  // Forgets the window and reports the view gone.
  void CloseWindow() override;
  void* GetWindow() override { return mWindowOpen ? &mWindowToken : nullptr; }
  bool GetTextFromClipboard(StringBuf& str) override;
  bool SetTextInClipboard(const char* str) override;
  void UpdateTooltips() override;
  int ShowMessageBox(const char* str, const char* caption, int type,
                     IMsgBoxCompletionHandlerFunc completion) override;
  void PromptForFile(StringBuf& fileName, StringBuf& path, int action, const char* ext,
                     IFileDialogCompletionHandlerFunc completion) override;
  void PromptForDirectory(StringBuf& dir, IFileDialogCompletionHandlerFunc completion) override;
  bool PromptForColor(IColor& color, const char* prompt, IColorPickerHandlerFunc completion) override;
  bool OpenURL(const char* url, const char* windowTitle, const char* confirmText,
               const char* errorText) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  PlatformFontPtr LoadPlatformFontFromMemory(const char* fontID, const void* data, int size) override;
  PlatformFontPtr LoadPlatformFontByName(const char* fontID, const char* fontName, ETextStyle style) override;
  void CachePlatformFont(const char* fontID, PlatformFontPtr& font) override;
  void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                               const char* str) override;
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;
  void PlatformResize(bool parentHasResized) override;

private:
  void Record(const char* op, std::vector<double> args = {}, const char* text = "") const;

  bool mWindowOpen = false;
  int mWindowToken = 0;
  int mNextImage = 1;
};

} // namespace plugin::ui::test

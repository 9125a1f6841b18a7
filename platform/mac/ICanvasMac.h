#pragma once

#include "framework/buffers/StringBuf.h"
#include "graphics/renderer/ICanvasVG.h"
#include "platform/mac/system/Geometry.h"

#include <memory>

namespace plugin::ui {

class ICanvasView_vKelmo_vst3;

// The editor's graphics context on macOS: the drawing backend over the GPU render backend, with
// the platform operations done through the system layer. It owns the editor view while the
// window is open (OpenWindow with the host's parent view, a plugin::sys::View*), and provides
// cursor control, clipboard, drags, message boxes, file and folder panels, URL opening, platform
// fonts and the dark-mode query. The count of live contexts decides when the process-wide font
// descriptor cache is emptied. Main thread only.
class ICanvasMac : public ICanvasVG
{
public:
  // The drawing backend with the GPU render backend; the application's services are loaded and
  // the font descriptor cache counts one more user. Allocates; locks the font caches.
  ICanvasMac(ICanvasEditorDelegateBase& dlg, int width, int height, int fps, float scale);
  // Closes a window still open (the view detached first, nothing under the font cache's lock),
  // then the font descriptor cache counts one user less (emptied at none).
  ~ICanvasMac() override;

  // Identifiers set by the graphics factory after construction: the bundle the resources and
  // fonts are looked up in, and the application group (the platform text).
  void SetBundleID(const char* id) { mBundleID.Set(id); }
  void SetAppGroupID(const char* id) { mAppGroupID.Set(id); }

  // --- Platform block (the toolkit calls these on the main thread) ---

  // Places a native view (a plugin::sys::View*) over r in the editor's view.
  void AttachPlatformView(const IRECT& r, void* view) override;
  void RemovePlatformView(void* view) override;
  void HidePlatformView(void* view, bool hide) override;
  // The pointer in toolkit units (the screen position without a view).
  void GetMouseLocation(float& x, float& y) const override;
  void HideMouseCursor(bool hide = true, bool lock = true) override;
  // Warps the pointer to (x, y) in toolkit units; nothing with tablet input.
  void MoveMouseCursor(float x, float y) override;
  int SetMouseCursor(int cursorType = kCursorArrow) override;
  void EndPlatformTextEntry() override;
  // Creates the view and its render context, sets the screen scale, lays the UI out, sets the
  // tooltips, tells the delegate, and adds the view to parent (a plugin::sys::View*; null: none).
  // Returns the view.
  void* OpenWindow(void* parent) override;
  // Removes the view (tooltips, timer, superview), then the render context and the controls go.
  // Nothing without a view.
  void CloseWindow() override;
  void* GetWindow() override;
  bool GetTextFromClipboard(StringBuf& str) override;
  bool SetTextInClipboard(const char* str) override;
  bool SetFilePathInClipboard(const char* path) override;
  // Drags the file out of the editor from iconBounds; false without a view, without a path that
  // makes a file address, or outside an event. Exported from the plug-in module; main thread.
  bool InitiateExternalFileDragDrop(const char* path, const IRECT& iconBounds) override;
  void UpdateTooltips() override;
  int ShowMessageBox(const char* str, const char* caption, int type,
                     IMsgBoxCompletionHandlerFunc completion = nullptr) override;
  void PromptForFile(StringBuf& fileName, StringBuf& path, int action = 0, const char* ext = "",
                     IFileDialogCompletionHandlerFunc completion = nullptr) override;
  void PromptForDirectory(StringBuf& dir, IFileDialogCompletionHandlerFunc completion = nullptr) override;
  bool PromptForColor(IColor& color, const char* prompt = "",
                      IColorPickerHandlerFunc completion = nullptr) override;
  // Opens a web address (a text containing "http") or a file; false when no address can be
  // made of url or nothing opened it.
  bool OpenURL(const char* url, const char* windowTitle = nullptr, const char* confirmText = nullptr,
               const char* errorText = nullptr) override;
  const char* GetPlatformAPIStr() override { return "Cocoa"; }
  bool RevealPathInFileBrowser(StringBuf& path, bool select = false) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  PlatformFontPtr LoadPlatformFontFromMemory(const char* fontID, const void* data, int size) override;
  PlatformFontPtr LoadPlatformFontByName(const char* fontID, const char* fontName, ETextStyle style) override;
  void CachePlatformFont(const char* fontID, PlatformFontPtr& font) override;
  const char* GetBundleID() const override { return mBundleID.Get(); }
  const char* GetPlatformText() const override { return mAppGroupID.Get(); }
  void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                               const char* str) override;
  // Queues the native menu on the main queue and returns null at once (isAsync set); the choice
  // arrives through SetControlValueAfterPopupMenu. A queued menu whose context is gone, or whose
  // control is gone, is dropped.
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;
  void PlatformResize(bool parentHasResized) override;
  bool IsDarkMode() const override;

  // --- For the view ---

  // The view's mouse handling with the event position in toolkit units, in prevX/prevY: while the
  // cursor is hidden and locked (not with tablet input) the cursor is warped back to where it was
  // hidden and prevX/prevY become that position; otherwise they become the cursor position.
  void ApplyCursorLock(float& x, float& y);

  // The view, or null while the window is closed.
  ICanvasView_vKelmo_vst3* GetView() const noexcept { return mView.get(); }
  // Where the cursor was hidden or moved to, in screen points (origin bottom left).
  sys::Point CursorScreenPosition() const noexcept { return mCursorScreen; }
  // The cursor position the context keeps (toolkit units).
  float CursorX() const noexcept { return mCursorLockX; }
  float CursorY() const noexcept { return mCursorLockY; }

  // Toolkit rectangle -> view points at the draw scale (floor of the near edges, ceiling of the
  // far ones).
  sys::Rect ScaledRect(const IRECT& r) const;

private:
  // Screen point (origin bottom left) <-> toolkit units through the view and its window.
  sys::Point ScreenToToolkit(sys::Point screen) const;
  sys::Point ToolkitToScreen(sys::Point toolkit) const;
  // The cursor to the screen point, by the display services.
  static void WarpCursor(sys::Point screen);
  // Tears the view down: detached, tooltips, timer, removal, release.
  void TearDownView();

  std::shared_ptr<ICanvasView_vKelmo_vst3> mView;
  sys::Point mCursorScreen;
  StringBuf mBundleID{128};
  StringBuf mAppGroupID{128};
  // Held while this object lives; queued work holds a weak reference and checks it first.
  std::shared_ptr<int> mAlive = std::make_shared<int>(0);
};

} // namespace plugin::ui

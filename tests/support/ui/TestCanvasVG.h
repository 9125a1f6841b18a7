#pragma once

#include "graphics/renderer/ICanvasVG.h"

#include <atomic>
#include <string>

namespace plugin::ui::test {

// A platform font that reads a font file itself: its data is the whole file, face 0, with the
// head, name and hhea tables found in the file's table directory. Counted while alive; counts
// the records it hands out.
class FileFontDouble : public PlatformFont
{
public:
  explicit FileFontDouble(std::string path);
  ~FileFontDouble() override;
  std::unique_ptr<IFontData> GetFontData() const override;

  static int Live() noexcept { return sLive.load(); }
  static int DataHandedOut() noexcept { return sDataHandedOut.load(); }

private:
  std::string mPath;
  static std::atomic<int> sLive;
  static std::atomic<int> sDataHandedOut;
};

// The drawing backend with the platform slots a test needs: fonts are files read by
// FileFontDouble (the name is a path), the window is a token, the clipboard a string, dialogs and
// menus answer nothing. The render backend is whatever the test gives it.
class TestCanvasVG : public ICanvasVG
{
public:
  TestCanvasVG(ICanvasEditorDelegateBase& dlg, int width, int height, const ICanvasVGBackend& backend,
               float drawScale = 1.f, int fps = 60);
  // The view goes first, as the platform's graphics context does it (unless closeOnDestroy is off).
  ~TestCanvasVG() override;

  bool closeOnDestroy = true;

  // Initialises the view on layer (the backend's platform layer), sets the screen scale (which
  // makes the main framebuffer) and lays the UI out through the delegate.
  void OpenOn(void* layer, float screenScale = 1.f);

  void GetMouseLocation(float& x, float& y) const override { x = y = 0.f; }
  void HideMouseCursor(bool hide, bool lock) override
  {
    mCursorHidden = hide;
    mCursorLocked = hide && lock;
  }
  void MoveMouseCursor(float, float) override {}
  void EndPlatformTextEntry() override {}
  void* OpenWindow(void* parent) override;
  void CloseWindow() override;
  void* GetWindow() override { return mWindowOpen ? &mWindowToken : nullptr; }
  bool GetTextFromClipboard(StringBuf& str) override
  {
    str.Set(mClipboard.c_str());
    return !mClipboard.empty();
  }
  bool SetTextInClipboard(const char* str) override
  {
    mClipboard = str ? str : "";
    return true;
  }
  void UpdateTooltips() override {}
  int ShowMessageBox(const char*, const char*, int, IMsgBoxCompletionHandlerFunc) override { return 0; }
  void PromptForFile(StringBuf&, StringBuf&, int, const char*, IFileDialogCompletionHandlerFunc) override {}
  void PromptForDirectory(StringBuf&, IFileDialogCompletionHandlerFunc) override {}
  bool PromptForColor(IColor&, const char*, IColorPickerHandlerFunc) override { return false; }
  bool OpenURL(const char*, const char*, const char*, const char*) override { return false; }
  // A FileFontDouble of the file; null when it cannot be read.
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  PlatformFontPtr LoadPlatformFontFromMemory(const char*, const void*, int) override { return nullptr; }
  PlatformFontPtr LoadPlatformFontByName(const char*, const char*, ETextStyle) override { return nullptr; }
  void CachePlatformFont(const char*, PlatformFontPtr&) override {}
  void CreatePlatformTextEntry(int, const IText&, const IRECT&, int, const char*) override {}
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu&, const IRECT&, bool& isAsync) override
  {
    isAsync = false;
    return nullptr;
  }

private:
  bool mWindowOpen = false;
  int mWindowToken = 0;
  std::string mClipboard;
};

} // namespace plugin::ui::test

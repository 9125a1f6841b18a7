#pragma once

#include "graphics/ICanvasEditorDelegate.h"
#include "graphics/renderer/ICanvasVG.h"

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Header-only, so that fuzz targets (built without the test libraries) use it too.

namespace plugin::ui::test {

// A platform font that reads a font file itself: its data is the whole file, face 0, with the
// head, name and hhea tables found in the file's table directory (read with bounds checks:
// hostile files are read too). Counted while alive; counts the records it hands out.
class FileFontDouble : public PlatformFont
{
public:
  explicit FileFontDouble(std::string path) : mPath(std::move(path)) { ++sLive; }
  ~FileFontDouble() override { --sLive; }

  std::unique_ptr<IFontData> GetFontData() const override
  {
    auto data = std::make_unique<IFontData>();
    const std::vector<unsigned char> bytes = ReadFile(mPath);
    ++sDataHandedOut;
    if (bytes.size() < 12) return data;
    void* copy = data->mBytes.Resize(static_cast<int>(bytes.size()));
    if (!copy) return data;
    std::memcpy(copy, bytes.data(), bytes.size());
    data->mFaceData = data->GetBytes();
    data->mFaceIndex = 0;
    data->mHeadOffset = TableOffset(bytes, "head");
    data->mNameOffset = TableOffset(bytes, "name");
    data->mHheaOffset = TableOffset(bytes, "hhea");
    return data;
  }

  static std::vector<unsigned char> ReadFile(const std::string& path)
  {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static int Live() noexcept { return sLive.load(); }
  static int DataHandedOut() noexcept { return sDataHandedOut.load(); }

private:
  // Offset of a table in a single face's directory; 0 when missing or out of the bytes.
  static uint32_t TableOffset(const std::vector<unsigned char>& font, const char* tag)
  {
    const size_t numTables = (size_t{font[4]} << 8) | font[5];
    for (size_t i = 0; i < numTables; ++i) {
      const size_t record = 12 + 16 * i;
      if (record + 16 > font.size()) return 0;
      if (std::memcmp(&font[record], tag, 4) != 0) continue;
      const unsigned char* o = &font[record + 8];
      return (uint32_t{o[0]} << 24) | (uint32_t{o[1]} << 16) | (uint32_t{o[2]} << 8) | o[3];
    }
    return 0;
  }

  std::string mPath;
  static inline std::atomic<int> sLive{0};
  static inline std::atomic<int> sDataHandedOut{0};
};

// The drawing backend with the platform slots a test needs: fonts are files read by
// FileFontDouble (the name is a path), the window is a token, the clipboard a string, dialogs and
// menus answer nothing. The render backend is whatever the test gives it.
class TestCanvasVG : public ICanvasVG
{
public:
  TestCanvasVG(ICanvasEditorDelegateBase& dlg, int width, int height, const ICanvasVGBackend& backend,
               float drawScale = 1.f, int fps = 60)
      : ICanvasVG(dlg, width, height, fps, drawScale)
  {
    SetBackend(backend);
  }
  // The view goes first, as the platform's graphics context does it (unless closeOnDestroy is off).
  ~TestCanvasVG() override
  {
    if (closeOnDestroy) CloseWindow();
  }

  bool closeOnDestroy = true;

  // Initialises the view on layer (the backend's platform layer), sets the screen scale (which
  // makes the main framebuffer) and lays the UI out through the delegate.
  void OpenOn(void* layer, float screenScale = 1.f)
  {
    OnViewInitialized(layer);
    SetScreenScale(screenScale);
    mWindowOpen = true;
    GetCanvasDelegate()->LayoutUI(this);
  }

  void GetMouseLocation(float& x, float& y) const override { x = y = 0.f; }
  void HideMouseCursor(bool hide, bool lock) override
  {
    mCursorHidden = hide;
    mCursorLocked = hide && lock;
  }
  void MoveMouseCursor(float, float) override {}
  void EndPlatformTextEntry() override {}
  void* OpenWindow(void* parent) override
  {
    OpenOn(parent);
    return &mWindowToken;
  }
  void CloseWindow() override
  {
    if (!mWindowOpen) return;
    mWindowOpen = false;
    OnViewDestroyed();
  }
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
  PlatformFontPtr LoadPlatformFont(const char*, const char* fileNameOrResID) override
  {
    if (!fileNameOrResID || FileFontDouble::ReadFile(fileNameOrResID).empty()) return nullptr;
    return std::make_unique<FileFontDouble>(fileNameOrResID);
  }
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
